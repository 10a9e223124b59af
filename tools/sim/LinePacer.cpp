#include "LinePacer.h"

namespace sim {

qint64 LinePacer::pass(qint64 now)
{
    if (baud_ == 0)
        return now;
    if (now > freeAt_) {
        freeAt_ = now;
        fraction_ = 0;
    }
    fraction_ += ByteNs % baud_;
    freeAt_ += ByteNs / baud_ + fraction_ / baud_;
    fraction_ %= baud_;
    return freeAt_;
}

} // namespace sim
