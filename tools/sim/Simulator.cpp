#include "Simulator.h"

#include <cstdio>
#include <thread>

namespace sim {

namespace {

constexpr qint64 NsPerMs = 1'000'000;
constexpr std::chrono::milliseconds DrainLimit{1000};
constexpr int ExitDelayAfterDrop = 1000;
// How much sooner than its last bit a byte may leave, to make up for timers counting in whole ms.
constexpr qint64 MaxLead = NsPerMs / 2;

device::Millis toMillis(qint64 ns)
{
    return ns / NsPerMs;
}

// Milliseconds for a timer so that it fires no earlier than `due`.
int msUntil(qint64 due, qint64 now)
{
    return due <= now ? 0 : int((due - now + NsPerMs - 1) / NsPerMs);
}

// Milliseconds for a timer so that it fires less than a ms before `due`.
int msBefore(qint64 due, qint64 now)
{
    return due <= now ? 0 : int((due - now) / NsPerMs);
}

} // namespace

Simulator::Simulator(device::Options options, int baud, bool verbose, Line& line, const DeviceFiles& files,
                     QObject* parent)
    : QObject(parent), device_(std::move(options)), line_(line), files_(files), verbose_(verbose),
      inbound_(baud), outbound_(baud, MaxLead)
{
    clock_.start();
    for (QTimer* timer : {&deviceTimer_, &outputTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&deviceTimer_, &QTimer::timeout, this, &Simulator::onDeviceDeadline);
    connect(&outputTimer_, &QTimer::timeout, this, [this] {
        writeDue();
        armTimers();
    });
    connect(&line_, &Line::received, this, &Simulator::onReceived);
    connect(&line_, &Line::failed, this,
            [this](const QString& why) { log(QStringLiteral("line: %1").arg(why)); });
}

void Simulator::onReceived(const QByteArray& bytes)
{
    const qint64 readAt = now();
    // Each byte reaches the device when the paced line would have delivered it; the core is told
    // that time at once, and what it answers is held back until after that time anyway.
    for (char byte : bytes) {
        if (dropping_)
            break;
        const qint64 arrival = inbound_.pass(readAt);
        device_.receive(QByteArrayView(&byte, 1), toMillis(arrival));
        collect(arrival);
    }
    writeDue();
    armTimers();
}

void Simulator::onDeviceDeadline()
{
    const qint64 at = now();
    device_.advanceTo(toMillis(at));
    collect(at);
    writeDue();
    armTimers();
}

void Simulator::collect(qint64 when)
{
    outbound_.add(device_.takeOutput(), when);
    for (const device::Event& event : device_.takeEvents())
        handle(event);
}

void Simulator::handle(const device::Event& event)
{
    using Kind = device::Event::Kind;
    log(event.text);
    DeviceFiles::Result written;
    switch (event.kind) {
    case Kind::ImageStored:
        written = files_.saveImage(device_.image());
        break;
    case Kind::FirmwareStored:
        written = files_.saveFirmware(device_.firmware());
        break;
    case Kind::BusDriverStored:
        written = files_.saveBusDriver(device_.busDriver());
        break;
    case Kind::LineDropped:
        dropping_ = true;
        break;
    case Kind::Request:
    case Kind::TransferEnded:
        break;
    }
    if (!written.error.isEmpty())
        std::fprintf(stderr, "klingport-sim: %s\n", qPrintable(written.error));
    else if (!written.path.isEmpty())
        log(QStringLiteral("wrote %1").arg(written.path));
}

void Simulator::writeDue()
{
    // The byte the PC answers leaves at its exact time: the timer wakes within a ms before it,
    // and a short sleep covers the rest, which a whole-ms timer cannot.
    if (const auto next = outbound_.nextWrite(); next && outbound_.nextIsLast()) {
        const qint64 left = *next - now();
        if (left > 0 && left < NsPerMs)
            std::this_thread::sleep_for(std::chrono::nanoseconds(left));
    }
    const QByteArray due = outbound_.takeDue(now());
    if (!due.isEmpty())
        line_.write(due);
    if (dropping_ && outbound_.isEmpty())
        closeDroppedLine();
}

void Simulator::armTimers()
{
    const qint64 at = now();
    if (const auto next = outbound_.nextWrite())
        outputTimer_.start(outbound_.nextIsLast() ? msBefore(*next, at) : msUntil(*next, at));
    else
        outputTimer_.stop();
    if (const auto deadline = device_.nextDeadline(); deadline && !dropping_)
        deviceTimer_.start(msUntil(*deadline * NsPerMs, at));
    else
        deviceTimer_.stop();
}

void Simulator::closeDroppedLine()
{
    if (lineClosed_)
        return;
    lineClosed_ = true;
    deviceTimer_.stop();
    line_.drain(DrainLimit);
    line_.close();
    log(QStringLiteral("line closed; exiting in %1 ms").arg(ExitDelayAfterDrop));
    QTimer::singleShot(ExitDelayAfterDrop, this, [this] { emit finished(0); });
}

void Simulator::shutDown()
{
    deviceTimer_.stop();
    outputTimer_.stop();
    if (lineClosed_)
        return;
    lineClosed_ = true;
    line_.write(outbound_.takeAll());
    line_.drain(DrainLimit);
    line_.close();
}

void Simulator::log(const QString& text) const
{
    if (verbose_)
        std::fprintf(stderr, "klingport-sim %9.3f %s\n", double(clock_.nsecsElapsed()) / 1e9,
                     qPrintable(text));
}

} // namespace sim
