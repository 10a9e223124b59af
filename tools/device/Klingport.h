#pragma once

// The simulated Klingport: a device core that is fed the bytes the PC sends and the
// passing of (virtual) time, and answers with the bytes it sends back. It does no I/O
// and never reads a clock, so tests can pair it with the link engine in process, and
// klingport-sim can put it on a pseudo-terminal or a real serial port.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <map>
#include <optional>

namespace device {

using Millis = qint64;

constexpr int ImageSize = 6144;
constexpr int BlockSize = 128;
constexpr int FrameSize = 132; // SOH, n, 255 - n, 128 data bytes, checksum
constexpr int ImageBlocks = ImageSize / BlockSize;

constexpr char Soh = 0x01;
constexpr char Eot = 0x04;
constexpr char Ack = 0x06;
constexpr char Cr = 0x0D;
constexpr char Lf = 0x0A;
constexpr char Nak = 0x15;
constexpr char Can = 0x18;
constexpr char Sub = 0x1A;

// An incomplete frame is thrown away once its bytes pause for longer than this.
constexpr Millis FramePause = 1000;
// An unfinished command line is forgotten once its bytes pause for longer than this.
constexpr Millis CommandPause = 1000;
// A transfer that hears nothing from the PC for this long is given up without a word.
constexpr Millis TransferGiveUp = 10000;

// What the device answers to "i" CR.
enum class VersionMode {
    Complete,       // firmware with bus driver: the line holds "PIC"
    BootloaderOnly, // the line holds "Bootlader"
    NoBusDriver,    // firmware without bus driver: neither "PIC" nor "Bootlader"
    Koppler,        // a "Koppler" answer without CR LF
};

// Where the device answers with CAN instead of going on.
struct CanFault {
    enum class Phase {
        None,
        Request, // upload: CAN instead of the first NAK; download: CAN instead of block 1
        Block,   // upload: CAN as the answer to block `block`; download: CAN instead of block `block`
        Eot,     // upload: CAN instead of the final ACK; download: CAN instead of EOT
    };
    Phase phase = Phase::None;
    int block = 0;
};

// Block numbers in faults count the blocks of one transfer from 1 and do not wrap at 256.
// Counted faults (nakBlock, corruptBlock, truncateBlock) start afresh with every transfer.
struct Faults {
    std::map<int, int> nakBlock;      // upload: answer block n with NAK k times before taking it
    std::map<int, int> corruptBlock;  // download: send block n k times with a wrong checksum
    std::map<int, int> truncateBlock; // download: send only the first 100 bytes of block n, k times
    CanFault can;
    bool silent = false;    // answer nothing at all
    QByteArray garbage;     // sent before each answer to a request (first NAK, block 1, version, call button)
    Millis storeDelay = 0;  // time between an upload's EOT and the device's final ACK
    int dropAtBlock = 0;    // the line drops when block n is due (either direction); 0 = never
    int doubleAckBlock = 0; // upload: answer block n with two ACKs; 0 = never
    std::optional<QByteArray> callButtonAnswer; // sent instead of the device's own call-button answer
};

struct Options {
    VersionMode version = VersionMode::Complete;
    // The 6144-byte device image; empty = the factory image.
    QByteArray image;
    // Bus reports sent while logging, each ending in CR LF; empty = the built-in sequence.
    QList<QByteArray> reports;
    // Extra pause before reports[i]; the key reports.size() pauses before a new round.
    std::map<int, Millis> reportPauses;
    Millis reportInterval = 400; // between two reports while logging; at least 1
    bool logging = false; // logging from the start, as a program that ended without its log-off left it
    Faults faults;
};

// Something the device did that its host may want to log or act on.
struct Event {
    enum class Kind {
        Request,         // a request was taken up (text names it)
        TransferEnded,   // a transfer ended, well or not (text says how)
        ImageStored,     // image() holds a new image from "D"
        FirmwareStored,  // firmware() holds a new firmware image from "s"
        BusDriverStored, // busDriver() holds a new bus-driver image from "p"
        LineDropped,     // the dropAtBlock fault struck
    };
    Kind kind;
    QString text;
};

// How the device behaves beyond the bare protocol:
// - "s" (bare in the bootloader, else with CR), "p" CR and "D" CR are XMODEM receptions; an empty
//   upload, and a "D" upload that is not exactly 6144 bytes, are refused with CAN after EOT.
// - Firmware and bus-driver images are kept as received, including the SUB padding of the last block.
// - A stored firmware leaves the bootloader; a stored bus driver makes the version report "PIC".
// - Starting a transfer or restarting with "r" ends logging; the bootloader knows only "s" and "i".
class Klingport {
public:
    explicit Klingport(Options options = {});

    // Bytes from the PC, all arriving at `now`.
    void receive(QByteArrayView bytes, Millis now);
    // Lets the device act on every deadline up to `now`; an earlier `now` than seen before counts as no time.
    void advanceTo(Millis now);
    // The time the device wants to act next without new input.
    std::optional<Millis> nextDeadline() const;
    // Bytes the device has sent since the last call.
    QByteArray takeOutput();
    // Events since the last call, oldest first.
    QList<Event> takeEvents();

    // True once the line was dropped by the dropAtBlock fault; the device then neither reads nor sends.
    bool lineDropped() const;

    const QByteArray& image() const;
    // Images received by "s" and "p" uploads, empty until one arrived.
    const QByteArray& firmware() const;
    const QByteArray& busDriver() const;
    bool bootloaderOnly() const;
    bool logging() const;
    // What "i" CR answers now.
    VersionMode version() const;
    // Changes take effect at once; counted faults from the next transfer on.
    Faults& faults();

    static QByteArray factoryImage();
    static QList<QByteArray> builtInReports();
    static QByteArray versionAnswer(VersionMode mode);
    // The answer to "z" for a door station and phone book entry: 17 characters ending in CR LF.
    static QByteArray callButtonAnswer(int doorStation, int entry);
    // The eight address bytes a phone book entry holds once its call button is taught.
    static QByteArray callButtonAddress(int doorStation, int entry);

private:
    enum class Mode { Commands, Receiving, Storing, Sending, Dead };
    enum class Target { Firmware, BusDriver, Image };

    // The reception of one upload.
    struct Upload {
        Target target = Target::Image;
        QByteArray data;
        QByteArray frame; // the frame being assembled, empty between frames
        int blocks = 0;   // blocks taken so far
        std::map<int, int> naksLeft;
    };

    // The sending of the image.
    struct Download {
        enum class Phase { WaitingForNak, BlockSent, EotSent };
        Phase phase = Phase::WaitingForNak;
        int block = 1;
        std::map<int, int> corruptLeft;
        std::map<int, int> truncateLeft;
    };

    void take(char byte);
    void takeCommandByte(char byte);
    void runCommand(const QByteArray& line);
    void answerCallButton(const QByteArray& line);
    void takeUploadByte(char byte);
    void checkFrame();
    void completeStore();
    void takeDownloadByte(char byte);
    void sendBlock(bool firstTime);
    void sendEot();
    void actOnDeadline();
    void sendNextReport();
    Millis pauseBefore(int report) const;

    void startUpload(Target target);
    void startDownload();
    void startLogging();
    void restartIntoBootloader();
    void endTransfer(const QString& how);
    void abortWithCan(const QString& why);
    void dropLine();
    void send(QByteArrayView bytes);
    void note(Event::Kind kind, const QString& text);

    Options options_;
    QByteArray image_;
    QByteArray firmware_;
    QByteArray busDriver_;
    QList<QByteArray> reports_;
    bool bootloader_ = false;
    bool busDriverPresent_ = true;
    bool koppler_ = false;

    Mode mode_ = Mode::Commands;
    Millis now_ = 0;
    Millis lastHeard_ = 0;
    QByteArray line_;
    Upload upload_;
    Download download_;
    Millis storeAt_ = 0;

    bool logging_ = false;
    int nextReport_ = 0;
    Millis reportAt_ = 0;

    QByteArray output_;
    QList<Event> events_;
};

} // namespace device
