#pragma once

#include "SerialPort.h"

#include <QList>
#include <functional>

// A serial port around another that notes each write and read with its time: the bytes on the wire.
class RecordingSerialPort final : public platform::SerialPort {
    Q_OBJECT
public:
    struct Passage {
        qint64 atNs;  // on the clock handed in
        bool written; // true: the program wrote; false: it received
        qsizetype bytes;
    };

    // `nowNs` is the clock the passages are stamped with.
    RecordingSerialPort(platform::SerialPort& inner, std::function<qint64()> nowNs,
                        QObject* parent = nullptr);

    bool open(const QString& path) override { return inner.open(path); }
    void close() override { inner.close(); }
    bool isOpen() const override { return inner.isOpen(); }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void clearInput() override;

    const QList<Passage>& passages() const { return passages_; }
    void forget() { passages_.clear(); }

private:
    platform::SerialPort& inner;
    std::function<qint64()> nowNs;
    QList<Passage> passages_;
};
