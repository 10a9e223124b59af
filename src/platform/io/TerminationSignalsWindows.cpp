#include "TerminationSignals.h"

#include <QMetaObject>
#include <atomic>
#include <csignal>
#include <windows.h>

namespace platform {

namespace {

// The console calls its handler on a thread of its own; the receiver lives in the event loop.
std::atomic<TerminationSignals*> receiver = nullptr;
// Set when the receiver is gone, that is when the program has done what it must before it ends; one
// for the process, made by the first receiver.
HANDLE cleanedUp = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event)
{
    TerminationSignals* target = receiver.load();
    if (target == nullptr)
        return FALSE;
    const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
    const int number = interrupt ? SIGINT : SIGTERM;
    QMetaObject::invokeMethod(
        target, [target, number] { emit target->received(number); }, Qt::QueuedConnection);
    // Windows ends the process as soon as this returns from a closed window, a log-off or a shutdown;
    // waiting gives the program its few seconds to send what it must.
    if (!interrupt)
        ::WaitForSingleObject(cleanedUp, 4000);
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (cleanedUp == nullptr)
        cleanedUp = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::ResetEvent(cleanedUp);
    receiver = this;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals()
{
    receiver = nullptr;
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    ::SetEvent(cleanedUp);
}

} // namespace platform
