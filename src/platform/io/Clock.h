#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace platform {

// Milliseconds on a monotonic clock; tests hand in a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 now() const = 0;
};

class SteadyClock final : public Clock {
public:
    SteadyClock() { timer.start(); }
    qint64 now() const override { return timer.elapsed(); }

private:
    QElapsedTimer timer;
};

// The local date and time, as the log's time stamps show it; tests hand in a clock of their own.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace platform
