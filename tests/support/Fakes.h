#pragma once

// Fakes of the platform seams: they record what the program asked and answer as scripted.

#include "FileDialogs.h"
#include "InstanceGuard.h"
#include "Klingport.h"
#include "MessageBoxes.h"
#include "Printers.h"
#include "SerialPort.h"
#include "SystemInfoTool.h"

#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <optional>

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

// File dialogs that give the scripted names in order (then none) and record what they were asked.
class FakeFileDialogs final : public platform::FileDialogs {
public:
    QStringList names;
    QStringList filters;
    QStringList startPaths;

    QString openFileName(const QString& filter, const QString& startPath) override
    {
        return next(filter, startPath);
    }
    QString saveFileName(const QString& filter, const QString& startPath) override
    {
        return next(filter, startPath);
    }

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

    QStringList installed() const override { return names; }

protected:
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
    bool acquire() override { return free; }
};

class FakeSystemInfoTool final : public platform::SystemInfoTool {
public:
    bool available = false;
    int starts = 0;
    bool start() override
    {
        ++starts;
        return available;
    }
};

// A serial port whose devices exist when listed in `present`; it records every write. With a device
// attached, the simulated Klingport answers on it in process, unpaced, on the real clock.
class FakeSerialPort final : public platform::SerialPort {
public:
    QSet<QString> present;
    QString openPath;
    QList<QByteArray> writes;
    QList<QString> opened;
    std::optional<device::Klingport> gerät;

    FakeSerialPort()
    {
        wecker.setSingleShot(true);
        connect(&wecker, &QTimer::timeout, this, [this] {
            gerät->advanceTo(uhr.elapsed());
            gerätWeiter();
        });
    }
    void gerätAnschließen(device::Options optionen = {})
    {
        gerät.emplace(std::move(optionen));
        uhr.start();
    }

    bool open(const QString& path) override
    {
        openPath = present.contains(path) ? path : QString();
        if (isOpen())
            opened.append(path);
        return isOpen();
    }
    void close() override { openPath.clear(); }
    bool isOpen() const override { return !openPath.isEmpty(); }
    bool write(const QByteArray& bytes) override
    {
        if (!isOpen())
            return false;
        writes.append(bytes);
        if (gerät) {
            gerät->receive(bytes, uhr.elapsed());
            gerätWeiter();
        }
        return true;
    }
    QByteArray readAll() override { return std::exchange(input, {}); }
    void clearInput() override { input.clear(); }
    // Bytes from the device.
    void deliver(const QByteArray& bytes)
    {
        input += bytes;
        emit readyRead();
    }

private:
    // Hands on what the device said, as a later receive event, and wakes it at its next deadline.
    void gerätWeiter()
    {
        if (const QByteArray antwort = gerät->takeOutput(); !antwort.isEmpty())
            QMetaObject::invokeMethod(
                this,
                [this, antwort] {
                    if (isOpen())
                        deliver(antwort);
                },
                Qt::QueuedConnection);
        if (const std::optional<device::Millis> frist = gerät->nextDeadline())
            wecker.start(static_cast<int>(std::max<qint64>(0, *frist - uhr.elapsed())));
        else
            wecker.stop();
    }

    QByteArray input;
    QElapsedTimer uhr;
    QTimer wecker;
};
