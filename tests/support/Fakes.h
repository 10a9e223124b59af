#pragma once

// Fakes of the platform seams: they record what the program asked and answer as scripted.

#include "FileDialogs.h"
#include "FolderViewer.h"
#include "InstanceGuard.h"
#include "MessageBoxes.h"
#include "Printers.h"
#include "SystemInfoTool.h"

#include <QList>
#include <QStringList>

struct ShownMessage {
    QString text;
    platform::Icon icon;
    platform::Buttons buttons;
    platform::Default standard;
};

class FakeMessageBoxes final : public platform::MessageBoxes {
public:
    QList<ShownMessage> shown;
    QList<platform::Reply> replies; // answered in order; OK/Yes when none is left

    platform::Reply show(const QString& text, platform::Icon icon, platform::Buttons buttons,
                         platform::Default standard) override
    {
        shown.append({text, icon, buttons, standard});
        if (!replies.isEmpty())
            return replies.takeFirst();
        return buttons == platform::Buttons::YesNo ? platform::Reply::Yes : platform::Reply::Ok;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const ShownMessage& m : shown)
            t.append(m.text);
        return t;
    }
};

// File dialogs that give the scripted names in order (then none), with the type `type`, and record
// what they offered and where they started.
class FakeFileDialogs final : public platform::FileDialogs {
public:
    QStringList names;
    int type = 0;
    QStringList filters;
    QStringList startPaths;

    QString openFileName(const QString& f, const QString& startPath) override { return next(f, startPath); }
    QString saveFileName(const QString& f, const QString& startPath) override { return next(f, startPath); }
    int chosenType() const override { return type; }

private:
    QString next(const QString& filter, const QString& startPath)
    {
        filters.append(filter);
        startPaths.append(startPath);
        return names.isEmpty() ? QString() : names.takeFirst();
    }
};

// Printers that keep what they were given to print; `bereit` false makes the output fail.
class FakePrinters final : public platform::Printers {
public:
    QStringList names;
    bool bereit = true;
    QList<platform::Druckdokument> gedruckt;

protected:
    QStringList systemdrucker() const override { return names; }
    bool ausgeben(const platform::Druckdokument& dokument) override
    {
        if (bereit)
            gedruckt.append(dokument);
        return bereit;
    }
};

class FakeInstanceGuard final : public platform::InstanceGuard {
public:
    bool free = true;
    Anspruch acquire() override { return free ? Anspruch::Erhalten : Anspruch::Belegt; }
    QString ordner() const override { return {}; }
};

// No system information tool is installed.
class FakeSystemInfoTool final : public platform::SystemInfoTool {
public:
    bool start() override { return false; }
};

// Records the folders it was asked to show.
class FakeFolderViewer final : public platform::FolderViewer {
public:
    QStringList shown;
    bool show(const QString& ordner) override
    {
        shown.append(ordner);
        return true;
    }
};
