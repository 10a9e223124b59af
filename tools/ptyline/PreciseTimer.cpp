#include "PreciseTimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

namespace ptyline {

namespace {

constexpr qint64 NsPerSecond = 1'000'000'000;

void arm(int fd, qint64 deadline)
{
    itimerspec setting{};
    setting.it_value.tv_sec = time_t(deadline / NsPerSecond);
    setting.it_value.tv_nsec = long(deadline % NsPerSecond);
    ::timerfd_settime(fd, TFD_TIMER_ABSTIME, &setting, nullptr);
}

} // namespace

PreciseTimer::PreciseTimer(QObject* parent) : QObject(parent)
{
    fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0)
        qFatal("timerfd_create failed");
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PreciseTimer::onReadable);
}

PreciseTimer::~PreciseTimer()
{
    delete notifier_;
    ::close(fd_);
}

qint64 PreciseTimer::now()
{
    timespec time{};
    ::clock_gettime(CLOCK_MONOTONIC, &time);
    return qint64(time.tv_sec) * NsPerSecond + time.tv_nsec;
}

void PreciseTimer::startAt(qint64 deadline)
{
    // A zero it_value would disarm the timer instead of firing at once.
    arm(fd_, std::max<qint64>(deadline, 1));
}

void PreciseTimer::stop()
{
    arm(fd_, 0);
}

void PreciseTimer::onReadable()
{
    quint64 expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) == qint64(sizeof expirations))
        emit timeout();
}

} // namespace ptyline
