#include "PacedDirection.h"

namespace ptyline {

PacedDirection::PacedDirection(sim::Line& from, sim::Line& to, int baud, QObject* parent)
    : QObject(parent), to_(to), schedule_(baud, 0)
{
    connect(&timer_, &PreciseTimer::timeout, this, &PacedDirection::writeDue);
    connect(&from, &sim::Line::received, this, &PacedDirection::onReceived);
}

void PacedDirection::onReceived(const QByteArray& bytes)
{
    carried_ += bytes.size();
    schedule_.add(bytes, PreciseTimer::now());
    writeDue();
}

void PacedDirection::writeDue()
{
    const QByteArray due = schedule_.takeDue(PreciseTimer::now());
    if (!due.isEmpty())
        to_.write(due);
    if (const auto next = schedule_.nextWrite())
        timer_.startAt(*next);
    else
        timer_.stop();
}

void PacedDirection::handOverRest()
{
    timer_.stop();
    const QByteArray rest = schedule_.takeAll();
    if (!rest.isEmpty())
        to_.write(rest);
}

} // namespace ptyline
