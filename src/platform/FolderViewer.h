#pragma once

#include <QString>

namespace platform {

// Shows a folder in the platform's file manager.
class FolderViewer {
public:
    virtual ~FolderViewer() = default;
    // False when no file manager could be started.
    virtual bool show(const QString& ordner) = 0;
};

class DesktopFolderViewer final : public FolderViewer {
public:
    bool show(const QString& ordner) override;
};

} // namespace platform
