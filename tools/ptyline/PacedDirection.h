#pragma once

#include "Line.h"
#include "OutputSchedule.h"
#include "PreciseTimer.h"

#include <QObject>

namespace ptyline {

// One direction of the cable: a byte reaches the far end when its last bit would have, never sooner.
class PacedDirection : public QObject {
    Q_OBJECT
public:
    PacedDirection(sim::Line& from, sim::Line& to, int baud, QObject* parent = nullptr);

    qint64 bytesCarried() const { return carried_; }
    // Hands over at once whatever is still on its way, so ending the cable loses nothing.
    void handOverRest();

private:
    void onReceived(const QByteArray& bytes);
    void writeDue();

    sim::Line& to_;
    sim::OutputSchedule schedule_;
    PreciseTimer timer_;
    qint64 carried_ = 0;
};

} // namespace ptyline
