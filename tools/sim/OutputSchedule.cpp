#include "OutputSchedule.h"

#include <algorithm>
#include <utility>

namespace sim {

OutputSchedule::OutputSchedule(int baud, qint64 maxLead)
    : pacer_(baud), lead_(std::clamp<qint64>(maxLead, 0, pacer_.byteTime()))
{
}

void OutputSchedule::add(QByteArrayView bytes, qint64 now)
{
    for (char byte : bytes) {
        bytes_ += byte;
        due_.push_back(pacer_.pass(now));
    }
}

qint64 OutputSchedule::leaveTime(std::size_t index) const
{
    return index + 1 == due_.size() ? due_[index] : due_[index] - lead_;
}

QByteArray OutputSchedule::takeDue(qint64 now)
{
    std::size_t count = 0;
    while (count < due_.size() && leaveTime(count) <= now)
        ++count;
    due_.erase(due_.begin(), due_.begin() + qsizetype(count));
    const QByteArray leaving = bytes_.left(qsizetype(count));
    bytes_.remove(0, qsizetype(count));
    return leaving;
}

QByteArray OutputSchedule::takeAll()
{
    due_.clear();
    return std::exchange(bytes_, {});
}

std::optional<qint64> OutputSchedule::nextWrite() const
{
    if (due_.empty())
        return std::nullopt;
    return leaveTime(0);
}

} // namespace sim
