#pragma once

#include <QObject>

class QSocketNotifier;
class QWinEventNotifier;

namespace platform {

// Turns SIGINT and SIGTERM into a Qt signal, so a program can end in its event loop. On Windows the
// console's Ctrl-C and Ctrl-Break come as SIGINT; a closed console window comes as SIGTERM, and Windows
// waits up to four seconds, until this object is destroyed, before it ends the process. A log-off or a
// shutdown never comes: Windows tells no console handler of a process that has loaded user32, and Qt
// Core loads it.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

#ifndef Q_OS_WIN
    // Passes these signals on as well (the simulator's SIGUSR1 and SIGUSR2), through the same `received`.
    void auchWeitergeben(std::initializer_list<int> signalNumbers);
#endif

signals:
    void received(int signalNumber);

#ifndef Q_OS_WIN
private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
#endif
#ifdef Q_OS_WIN
private:
    QWinEventNotifier* notifier_ = nullptr;
#endif
};

} // namespace platform
