#include "Klingport.h"

#include <algorithm>
#include <utility>

// How the device works
//
// The device is always in one of five modes:
//
//   Mode       what comes in             what the device does
//   ---------  ------------------------  ----------------------------------------------------------
//   Commands   printable byte            collects it into the command line (forgotten after a pause)
//              CR                        runs the line ("s" "p" "D" "U" "i" "z.." "t" "n")
//              "r" on an empty line      restarts into the bootloader
//              "s" on an empty line      (bootloader only) starts the firmware reception
//   Receiving  SOH between frames        starts a 132-byte frame; a full frame is ACKed or NAKed
//              EOT between frames        goes to Storing
//              CAN between frames        ends the transfer
//              anything else between     is ignored
//   Storing    anything                  is ignored until the store time, then ACK -> Commands
//   Sending    NAK                       sends the current block (first: block 1), or EOT again
//              ACK                       sends the next block, EOT after block 48, ends after EOT
//              CAN                       ends the transfer
//   Dead       anything                  nothing: the line has dropped
//
// Deadlines: the command pause and the next report while logging (Commands), the frame pause and
// the give-up (Receiving), the store time (Storing), the give-up (Sending).

namespace device {

namespace {

constexpr int MaxCommandLine = 32;

quint8 checksum(QByteArrayView data)
{
    quint8 sum = 0;
    for (char c : data)
        sum += quint8(c);
    return sum;
}

QByteArray frame(int block, QByteArrayView data)
{
    QByteArray f;
    f.reserve(FrameSize);
    f += Soh;
    f += char(quint8(block));
    f += char(quint8(255 - quint8(block)));
    f += data;
    f += char(checksum(data));
    return f;
}

} // namespace

Klingport::Klingport(Options options) : options_(std::move(options))
{
    options_.reportInterval = std::max<Millis>(options_.reportInterval, 1);
    image_ = options_.image.isEmpty() ? factoryImage() : options_.image;
    // Keep the image at its fixed size, so every download is 48 whole blocks.
    image_.resize(ImageSize, '\0');
    reports_ = options_.reports.isEmpty() ? builtInReports() : options_.reports;
    if (options_.logging)
        startLogging();
    switch (options_.version) {
    case VersionMode::Complete:
        break;
    case VersionMode::BootloaderOnly:
        bootloader_ = true;
        break;
    case VersionMode::NoBusDriver:
        busDriverPresent_ = false;
        break;
    case VersionMode::Koppler:
        koppler_ = true;
        break;
    }
}

void Klingport::receive(QByteArrayView bytes, Millis now)
{
    advanceTo(now);
    if (options_.faults.silent)
        return;
    for (char byte : bytes) {
        if (mode_ == Mode::Dead)
            return;
        take(byte);
    }
}

void Klingport::advanceTo(Millis now)
{
    while (const auto due = nextDeadline()) {
        if (*due > now)
            break;
        now_ = std::max(now_, *due);
        actOnDeadline();
    }
    now_ = std::max(now_, now);
}

std::optional<Millis> Klingport::nextDeadline() const
{
    switch (mode_) {
    case Mode::Commands: {
        std::optional<Millis> due;
        if (!line_.isEmpty())
            due = lastHeard_ + CommandPause + 1;
        if (logging_ && (!due || reportAt_ < *due))
            due = reportAt_;
        return due;
    }
    case Mode::Receiving:
        if (!upload_.frame.isEmpty())
            return lastHeard_ + FramePause + 1;
        return lastHeard_ + TransferGiveUp;
    case Mode::Storing:
        return storeAt_;
    case Mode::Sending:
        return lastHeard_ + TransferGiveUp;
    case Mode::Dead:
        return std::nullopt;
    }
    return std::nullopt;
}

void Klingport::actOnDeadline()
{
    switch (mode_) {
    case Mode::Commands:
        if (!line_.isEmpty() && now_ > lastHeard_ + CommandPause)
            line_.clear();
        else
            sendNextReport();
        break;
    case Mode::Receiving:
        if (now_ >= lastHeard_ + TransferGiveUp)
            endTransfer(QStringLiteral("upload given up: nothing heard for %1 ms").arg(TransferGiveUp));
        else
            upload_.frame.clear();
        break;
    case Mode::Storing:
        completeStore();
        break;
    case Mode::Sending:
        endTransfer(QStringLiteral("image download given up: nothing heard for %1 ms").arg(TransferGiveUp));
        break;
    case Mode::Dead:
        break;
    }
}

QByteArray Klingport::takeOutput()
{
    return std::exchange(output_, {});
}

QList<Event> Klingport::takeEvents()
{
    return std::exchange(events_, {});
}

bool Klingport::lineDropped() const
{
    return mode_ == Mode::Dead;
}

const QByteArray& Klingport::image() const
{
    return image_;
}

const QByteArray& Klingport::firmware() const
{
    return firmware_;
}

const QByteArray& Klingport::busDriver() const
{
    return busDriver_;
}

bool Klingport::bootloaderOnly() const
{
    return bootloader_;
}

bool Klingport::logging() const
{
    return logging_;
}

VersionMode Klingport::version() const
{
    if (bootloader_)
        return VersionMode::BootloaderOnly;
    if (koppler_)
        return VersionMode::Koppler;
    return busDriverPresent_ ? VersionMode::Complete : VersionMode::NoBusDriver;
}

Faults& Klingport::faults()
{
    return options_.faults;
}

QByteArray Klingport::versionAnswer(VersionMode mode)
{
    switch (mode) {
    case VersionMode::Complete:
        return QByteArrayLiteral("Klingport V2.10 / Bustreiber PIC V1.07\r\n");
    case VersionMode::BootloaderOnly:
        return QByteArrayLiteral("Klingport Bootlader V1.02\r\n");
    case VersionMode::NoBusDriver:
        return QByteArrayLiteral("Klingport V2.10 / Bustreiber fehlt\r\n");
    case VersionMode::Koppler:
        return QByteArrayLiteral("Klingport Koppler V1.03");
    }
    return {};
}

void Klingport::take(char byte)
{
    lastHeard_ = now_;
    switch (mode_) {
    case Mode::Commands:
        takeCommandByte(byte);
        break;
    case Mode::Receiving:
        takeUploadByte(byte);
        break;
    case Mode::Sending:
        takeDownloadByte(byte);
        break;
    case Mode::Storing:
    case Mode::Dead:
        break;
    }
}

void Klingport::takeCommandByte(char byte)
{
    if (line_.isEmpty() && byte == 'r') {
        restartIntoBootloader();
        return;
    }
    if (line_.isEmpty() && byte == 's' && bootloader_) {
        startUpload(Target::Firmware);
        return;
    }
    if (byte == Cr) {
        runCommand(std::exchange(line_, {}));
        return;
    }
    // Control characters are leftovers of a transfer the PC gave up; they belong to no command.
    if (quint8(byte) < 0x20 || line_.size() >= MaxCommandLine)
        return;
    line_ += byte;
}

void Klingport::runCommand(const QByteArray& line)
{
    if (line.isEmpty())
        return;
    if (line == "i") {
        send(options_.faults.garbage);
        send(versionAnswer(version()));
        note(Event::Kind::Request, QStringLiteral("version query"));
    } else if (bootloader_) {
        note(Event::Kind::Request,
             QStringLiteral("bootloader ignores \"%1\"").arg(QString::fromLatin1(line)));
    } else if (line == "s") {
        startUpload(Target::Firmware);
    } else if (line == "p") {
        startUpload(Target::BusDriver);
    } else if (line == "D") {
        startUpload(Target::Image);
    } else if (line == "U") {
        startDownload();
    } else if (line == "t") {
        startLogging();
    } else if (line == "n") {
        logging_ = false;
        note(Event::Kind::Request, QStringLiteral("logging off"));
    } else if (line.startsWith('z')) {
        answerCallButton(line);
    } else {
        note(Event::Kind::Request,
             QStringLiteral("unknown command \"%1\" ignored").arg(QString::fromLatin1(line)));
    }
}

void Klingport::answerCallButton(const QByteArray& line)
{
    // "z", the door station, then the entry number in two digits: the last two digits are the entry.
    const QByteArray digits = line.mid(1);
    const bool wellFormed = digits.size() >= 3 && std::all_of(digits.begin(), digits.end(),
                                                              [](char c) { return c >= '0' && c <= '9'; });
    if (!wellFormed) {
        note(Event::Kind::Request,
             QStringLiteral("malformed call-button query \"%1\" ignored").arg(QString::fromLatin1(line)));
        return;
    }
    const int doorStation = digits.left(digits.size() - 2).toInt();
    const int entry = digits.right(2).toInt();
    send(options_.faults.garbage);
    send(options_.faults.callButtonAnswer.value_or(callButtonAnswer(doorStation, entry)));
    note(Event::Kind::Request,
         QStringLiteral("call-button query: door station %1, entry %2").arg(doorStation).arg(entry));
}

void Klingport::startLogging()
{
    logging_ = true;
    nextReport_ = 0;
    reportAt_ = now_ + options_.reportInterval + pauseBefore(0);
    note(Event::Kind::Request, QStringLiteral("logging on"));
}

Millis Klingport::pauseBefore(int report) const
{
    const auto it = options_.reportPauses.find(report);
    return it == options_.reportPauses.end() ? 0 : it->second;
}

void Klingport::sendNextReport()
{
    send(reports_[nextReport_]);
    nextReport_ = (nextReport_ + 1) % reports_.size();
    Millis pause = pauseBefore(nextReport_);
    if (nextReport_ == 0)
        pause += pauseBefore(reports_.size());
    reportAt_ += options_.reportInterval + pause;
}

void Klingport::restartIntoBootloader()
{
    bootloader_ = true;
    logging_ = false;
    line_.clear();
    note(Event::Kind::Request, QStringLiteral("restart into the bootloader"));
}

void Klingport::startUpload(Target target)
{
    static const char* const names[] = {"firmware", "bus-driver", "image"};
    logging_ = false;
    upload_ = Upload{};
    upload_.target = target;
    upload_.naksLeft = options_.faults.nakBlock;
    mode_ = Mode::Receiving;
    note(Event::Kind::Request, QStringLiteral("%1 upload").arg(QLatin1String(names[int(target)])));
    if (options_.faults.can.phase == CanFault::Phase::Request) {
        abortWithCan(QStringLiteral("upload refused with CAN"));
        return;
    }
    send(options_.faults.garbage);
    send(QByteArrayView(&Nak, 1));
    if (options_.faults.dropAtBlock == 1)
        dropLine();
}

void Klingport::takeUploadByte(char byte)
{
    Upload& u = upload_;
    if (!u.frame.isEmpty()) {
        u.frame += byte;
        if (u.frame.size() == FrameSize)
            checkFrame();
        return;
    }
    if (byte == Soh) {
        u.frame += byte;
    } else if (byte == Eot) {
        mode_ = Mode::Storing;
        storeAt_ = now_ + options_.faults.storeDelay;
        if (options_.faults.storeDelay <= 0)
            completeStore();
    } else if (byte == Can) {
        endTransfer(QStringLiteral("upload aborted by the PC after %1 blocks").arg(u.blocks));
    } else {
        // Such as the CR of an "s" CR that the bootloader took at its "s".
        note(Event::Kind::Request, QStringLiteral("stray byte 0x%1 between blocks ignored")
                                       .arg(quint8(byte), 2, 16, QLatin1Char('0')));
    }
}

void Klingport::checkFrame()
{
    Upload& u = upload_;
    const QByteArray f = std::exchange(u.frame, {});
    const quint8 number = quint8(f[1]);
    const QByteArrayView data(f.constData() + 3, BlockSize);
    if (quint8(number + quint8(f[2])) != 0xFF || checksum(data) != quint8(f[FrameSize - 1])) {
        send(QByteArrayView(&Nak, 1));
        return;
    }
    const int index = u.blocks + 1;
    if (number != quint8(index)) {
        // The PC did not hear the ACK for the block before and sends it again.
        if (u.blocks > 0 && number == quint8(u.blocks)) {
            send(QByteArrayView(&Ack, 1));
            return;
        }
        abortWithCan(QStringLiteral("upload aborted: block number %1 where %2 was due")
                         .arg(number)
                         .arg(quint8(index)));
        return;
    }
    if (options_.faults.can.phase == CanFault::Phase::Block && options_.faults.can.block == index) {
        abortWithCan(QStringLiteral("upload aborted with CAN at block %1").arg(index));
        return;
    }
    if (auto it = u.naksLeft.find(index); it != u.naksLeft.end() && it->second > 0) {
        --it->second;
        send(QByteArrayView(&Nak, 1));
        return;
    }
    u.data += data;
    u.blocks = index;
    send(QByteArrayView(&Ack, 1));
    if (options_.faults.doubleAckBlock == index)
        send(QByteArrayView(&Ack, 1));
    if (options_.faults.dropAtBlock == index + 1)
        dropLine();
}

void Klingport::completeStore()
{
    const Upload& u = upload_;
    if (options_.faults.can.phase == CanFault::Phase::Eot) {
        abortWithCan(QStringLiteral("store refused with CAN"));
        return;
    }
    if (u.data.isEmpty()) {
        abortWithCan(QStringLiteral("empty upload refused"));
        return;
    }
    switch (u.target) {
    case Target::Image:
        if (u.data.size() != ImageSize) {
            abortWithCan(QStringLiteral("image of %1 bytes refused").arg(u.data.size()));
            return;
        }
        image_ = u.data;
        note(Event::Kind::ImageStored, QStringLiteral("image stored"));
        break;
    case Target::Firmware:
        firmware_ = u.data;
        bootloader_ = false;
        note(Event::Kind::FirmwareStored, QStringLiteral("firmware of %1 bytes stored").arg(u.data.size()));
        break;
    case Target::BusDriver:
        busDriver_ = u.data;
        busDriverPresent_ = true;
        note(Event::Kind::BusDriverStored,
             QStringLiteral("bus driver of %1 bytes stored").arg(u.data.size()));
        break;
    }
    send(QByteArrayView(&Ack, 1));
    endTransfer(QStringLiteral("upload of %1 blocks done").arg(u.blocks));
}

void Klingport::startDownload()
{
    logging_ = false;
    download_ = Download{};
    download_.corruptLeft = options_.faults.corruptBlock;
    download_.truncateLeft = options_.faults.truncateBlock;
    mode_ = Mode::Sending;
    note(Event::Kind::Request, QStringLiteral("image download"));
}

void Klingport::takeDownloadByte(char byte)
{
    Download& d = download_;
    if (byte == Can) {
        endTransfer(QStringLiteral("image download aborted by the PC at block %1").arg(d.block));
        return;
    }
    switch (d.phase) {
    case Download::Phase::WaitingForNak:
        if (byte == Nak)
            sendBlock(true);
        break;
    case Download::Phase::BlockSent:
        if (byte == Nak) {
            sendBlock(false);
        } else if (byte == Ack) {
            if (++d.block > ImageBlocks)
                sendEot();
            else
                sendBlock(false);
        }
        break;
    case Download::Phase::EotSent:
        if (byte == Nak)
            sendEot();
        else if (byte == Ack)
            endTransfer(QStringLiteral("image download done"));
        break;
    }
}

void Klingport::sendBlock(bool firstTime)
{
    Download& d = download_;
    const Faults& faults = options_.faults;
    if (faults.dropAtBlock == d.block) {
        dropLine();
        return;
    }
    if ((firstTime && faults.can.phase == CanFault::Phase::Request) ||
        (faults.can.phase == CanFault::Phase::Block && faults.can.block == d.block)) {
        abortWithCan(QStringLiteral("image download aborted with CAN at block %1").arg(d.block));
        return;
    }
    if (firstTime)
        send(faults.garbage);
    QByteArray f = frame(d.block, QByteArrayView(image_).sliced((d.block - 1) * BlockSize, BlockSize));
    if (auto it = d.corruptLeft.find(d.block); it != d.corruptLeft.end() && it->second > 0) {
        --it->second;
        f[FrameSize - 1] = char(quint8(f[FrameSize - 1]) + 1);
    } else if (auto it = d.truncateLeft.find(d.block); it != d.truncateLeft.end() && it->second > 0) {
        --it->second;
        f.truncate(100);
    }
    send(f);
    d.phase = Download::Phase::BlockSent;
}

void Klingport::sendEot()
{
    if (options_.faults.can.phase == CanFault::Phase::Eot) {
        abortWithCan(QStringLiteral("image download aborted with CAN instead of EOT"));
        return;
    }
    send(QByteArrayView(&Eot, 1));
    download_.phase = Download::Phase::EotSent;
}

void Klingport::endTransfer(const QString& how)
{
    mode_ = Mode::Commands;
    line_.clear();
    note(Event::Kind::TransferEnded, how);
}

void Klingport::abortWithCan(const QString& why)
{
    send(QByteArrayView(&Can, 1));
    endTransfer(why);
}

void Klingport::dropLine()
{
    mode_ = Mode::Dead;
    logging_ = false;
    note(Event::Kind::LineDropped, QStringLiteral("line dropped"));
}

void Klingport::send(QByteArrayView bytes)
{
    if (!options_.faults.silent)
        output_ += bytes;
}

void Klingport::note(Event::Kind kind, const QString& text)
{
    events_.append(Event{kind, text});
}

} // namespace device
