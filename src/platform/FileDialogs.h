#pragma once

#include <QString>

namespace platform {

// File choice; an empty result means the user chose nothing. Filters are "Text (*.ext)|*.ext" pairs.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(const QString& filter, const QString& startPath) = 0;
    virtual QString saveFileName(const QString& filter, const QString& startPath) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString openFileName(const QString& filter, const QString& startPath) override;
    QString saveFileName(const QString& filter, const QString& startPath) override;

    // "Logdateien (*.log)|*.log" -> "Logdateien (*.log)"
    static QString qtFilter(const QString& filter);
};

} // namespace platform
