#pragma once

#include <QObject>

class QSocketNotifier;

namespace ptyline {

// A single-shot timer with ns deadlines: QTimer's whole ms exceed a byte's time at 19200 baud.
class PreciseTimer : public QObject {
    Q_OBJECT
public:
    explicit PreciseTimer(QObject* parent = nullptr);
    ~PreciseTimer() override;

    // Nanoseconds on the clock the deadlines refer to.
    static qint64 now();
    // Fires once at `deadline` (at once if that has passed), replacing an earlier deadline.
    void startAt(qint64 deadline);
    void stop();

signals:
    void timeout();

private:
    void onReadable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace ptyline
