#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns SIGINT and SIGTERM into a Qt signal, so a program can end in its event loop.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace platform
