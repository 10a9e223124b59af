#include "TerminationSignals.h"

#include <QWinEventNotifier>
#include <atomic>
#include <csignal>
#include <windows.h>

namespace platform {

namespace {

// The console calls its handler on a thread of its own, which may run on while the receiver is being
// destroyed. The handler therefore touches only these, which live as long as the process, and the
// receiver takes the signal in the event loop when its notifier sees `arrived`.
std::atomic<bool> receiving = false;
std::atomic<int> pending = 0; // the signal number not yet emitted
HANDLE arrived = nullptr;     // auto-reset
// Set when the receiver is gone, that is when the program has done what it must before it ends.
HANDLE cleanedUp = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (!receiving.load())
        return FALSE;
    const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
    pending = interrupt ? SIGINT : SIGTERM;
    ::SetEvent(arrived);
    // Windows ends the process as soon as this returns from a closed window; waiting gives the
    // program its few seconds to send what it must.
    if (!interrupt)
        ::WaitForSingleObject(cleanedUp, 4000);
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (arrived == nullptr) {
        arrived = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        cleanedUp = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    // What an earlier receiver left is not this one's.
    ::ResetEvent(arrived);
    ::ResetEvent(cleanedUp);
    pending = 0;
    notifier_ = new QWinEventNotifier(arrived, this);
    connect(notifier_, &QWinEventNotifier::activated, this, [this] {
        if (const int number = pending.exchange(0))
            emit received(number);
    });
    receiving = true;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals()
{
    receiving = false;
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    delete notifier_;
    ::SetEvent(cleanedUp);
}

} // namespace platform
