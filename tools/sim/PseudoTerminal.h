#pragma once

#include "Line.h"

#include <QSocketNotifier>

namespace sim {

// A pseudo-terminal in raw mode whose slave side a client opens like a serial port.
// It keeps a slave descriptor of its own, so the master never sees a hang-up while no client
// has the slave open, and so it can tell how much the client has not yet read.
class PseudoTerminal : public Line {
    Q_OBJECT
public:
    using Line::Line;
    ~PseudoTerminal() override;

    // Opens the pair; false with `error` set when the system refuses.
    bool open(QString& error);
    QString slavePath() const { return slavePath_; }
    // Points a symlink at the slave, replacing what is there; it is removed again on close.
    bool linkTo(const QString& path, QString& error);

    void write(const QByteArray& bytes) override;
    void drain(std::chrono::milliseconds limit) override;
    void close() override;
    // Pulls the line as an unplugged adapter does: closed, so the client sees the hang-up, and the
    // symlink removed. What is not yet read is lost.
    void drop();
    // Plugs a dropped line back in: a new pair, the symlink pointed at its slave.
    bool restore(QString& error);
    bool isOpen() const { return master_ >= 0; }

private:
    void readAvailable();
    void writePending();
    void removeLink();

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString link_;
    QString droppedLink_;
    QByteArray pending_;
    QSocketNotifier* reader_ = nullptr;
    QSocketNotifier* writer_ = nullptr;
};

} // namespace sim
