#pragma once

#include <QObject>

class QSocketNotifier;

namespace sim {

// Turns SIGUSR1 and SIGUSR2 into Qt signals, so a test or a user can pull the simulated adapter and
// plug it back in while the simulator runs its event loop.
class LineSignals : public QObject {
    Q_OBJECT
public:
    explicit LineSignals(QObject* parent = nullptr);
    ~LineSignals() override;

signals:
    void dropRequested();
    void restoreRequested();

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace sim
