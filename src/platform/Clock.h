#pragma once

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

} // namespace platform
