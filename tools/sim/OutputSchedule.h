#pragma once

#include "LinePacer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <deque>
#include <optional>

namespace sim {

// Bytes on their way out, each due when its last bit would have left the line. Times in ns.
// Timers count in whole ms, and waiting for each byte's exact time would add up to a ms to every
// exchange; so a byte may leave up to `maxLead` early, never before its first bit has left. The
// last byte queued never leaves early: the PC answers it, and must not answer sooner than the line allows.
class OutputSchedule {
public:
    OutputSchedule(int baud, qint64 maxLead);

    // Queues bytes the device sent at `now`.
    void add(QByteArrayView bytes, qint64 now);
    // Removes and returns the bytes that may leave by `now`, oldest first.
    QByteArray takeDue(qint64 now);
    // Removes and returns everything still queued.
    QByteArray takeAll();
    // The time the next byte may leave, if any is queued.
    std::optional<qint64> nextWrite() const;
    bool isEmpty() const { return due_.empty(); }
    // True when the next byte is the last one queued, the one the PC will answer.
    bool nextIsLast() const { return due_.size() == 1; }

private:
    qint64 leaveTime(std::size_t index) const;

    LinePacer pacer_;
    qint64 lead_;
    QByteArray bytes_;
    std::deque<qint64> due_;
};

} // namespace sim
