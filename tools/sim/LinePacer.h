#pragma once

#include <QtGlobal>

namespace sim {

// One direction of a serial line at 10 bits a byte: when each byte has crossed it. Times in ns.
class LinePacer {
public:
    // Paces at `baud`; 0 leaves the line unpaced, so every byte crosses at once.
    explicit LinePacer(int baud) : baud_(baud > 0 ? baud : 0) {}

    // The time of one byte, rounded down to whole ns; 0 when unpaced.
    qint64 byteTime() const { return baud_ ? ByteNs / baud_ : 0; }
    // Books the line for a byte handed over at `now` and returns when its last bit has crossed.
    qint64 pass(qint64 now);

private:
    static constexpr qint64 ByteNs = 10'000'000'000; // 10 bits at 1 baud

    qint64 baud_;
    qint64 freeAt_ = 0;
    qint64 fraction_ = 0; // ns / baud_ left over from the byte times so far, so long bursts do not drift
};

} // namespace sim
