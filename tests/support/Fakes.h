#pragma once

// Fakes of the platform seams: they record what the program asked and answer as scripted.

#include "InstanceGuard.h"
#include "MessageBoxes.h"
#include "Printers.h"
#include "SerialPort.h"
#include "SystemInfoTool.h"

#include <QList>
#include <QSet>
#include <QStringList>

struct ShownMessage {
    QString text;
    platform::Icon icon;
    platform::Buttons buttons;
};

class FakeMessageBoxes final : public platform::MessageBoxes {
public:
    QList<ShownMessage> shown;
    QList<platform::Reply> replies; // answered in order; OK/Yes when none is left

    platform::Reply show(const QString& text, platform::Icon icon, platform::Buttons buttons) override
    {
        shown.append({text, icon, buttons});
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

class FakePrinters final : public platform::Printers {
public:
    QStringList names;
    QString currentName;

    QStringList installed() const override { return names; }
    QString current() const override { return currentName; }
    void setCurrent(const QString& name) override
    {
        if (names.contains(name))
            currentName = name;
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

// A serial port whose devices exist when listed in `present`; it records every write.
class FakeSerialPort final : public platform::SerialPort {
public:
    QSet<QString> present;
    QString openPath;
    QList<QByteArray> writes;
    QList<QString> opened;

    bool open(const QString& path) override
    {
        close();
        if (!present.contains(path))
            return false;
        openPath = path;
        opened.append(path);
        return true;
    }
    void close() override { openPath.clear(); }
    bool isOpen() const override { return !openPath.isEmpty(); }
    bool write(const QByteArray& bytes) override
    {
        if (!isOpen())
            return false;
        writes.append(bytes);
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
    QByteArray input;
};
