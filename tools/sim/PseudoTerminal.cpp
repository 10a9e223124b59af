#include "PseudoTerminal.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace sim {

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString& error)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = systemError("grantpt/unlockpt");
        close();
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(slavePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = systemError("open slave");
        close();
        return false;
    }
    // Raw from the start, so a client that sets nothing gets the bytes unchanged and no echo.
    termios settings{};
    ::tcgetattr(slave_, &settings);
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B19200);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0) {
        error = systemError("tcsetattr");
        close();
        return false;
    }
    reader_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(reader_, &QSocketNotifier::activated, this, &PseudoTerminal::readAvailable);
    writer_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writer_->setEnabled(false);
    connect(writer_, &QSocketNotifier::activated, this, &PseudoTerminal::writePending);
    return true;
}

bool PseudoTerminal::linkTo(const QString& path, QString& error)
{
    const QByteArray name = path.toLocal8Bit();
    const QFileInfo there(path);
    if (there.isDir() && !there.isSymLink()) {
        error = QStringLiteral("%1 is a directory").arg(path);
        return false;
    }
    if ((there.exists() || there.isSymLink()) && ::unlink(name.constData()) != 0) {
        error = systemError("unlink");
        return false;
    }
    if (::symlink(slavePath_.toLocal8Bit().constData(), name.constData()) != 0) {
        error = systemError("symlink");
        return false;
    }
    link_ = path;
    return true;
}

void PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        reader_->setEnabled(false);
        emit failed(n == 0 ? QStringLiteral("pseudo-terminal closed") : systemError("read"));
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PseudoTerminal::write(const QByteArray& bytes)
{
    if (master_ < 0)
        return;
    pending_ += bytes;
    writePending();
}

void PseudoTerminal::writePending()
{
    while (!pending_.isEmpty()) {
        const ssize_t n = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            emit failed(systemError("write"));
            pending_.clear();
            break;
        }
    }
    // A client that does not read fills the terminal's buffer; the rest waits for room.
    writer_->setEnabled(!pending_.isEmpty());
}

void PseudoTerminal::drain(std::chrono::milliseconds limit)
{
    if (master_ < 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const auto left = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                     std::chrono::steady_clock::now());
    };
    while (!pending_.isEmpty() && left().count() > 0) {
        pollfd room{master_, POLLOUT, 0};
        if (::poll(&room, 1, int(left().count())) > 0)
            writePending();
    }
    ::tcdrain(master_);
    // Closing the master throws away what the client has not read yet, so wait for it to be read.
    // The count leaves out bytes the kernel is still moving across, so it must stay at 0 a while.
    constexpr int QuietPolls = 5;
    int quiet = 0;
    int unread = 0;
    while (quiet < QuietPolls && left().count() > 0 && ::ioctl(slave_, FIONREAD, &unread) == 0) {
        quiet = unread == 0 ? quiet + 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void PseudoTerminal::removeLink()
{
    if (link_.isEmpty())
        return;
    if (QFileInfo(link_).symLinkTarget() == QFileInfo(slavePath_).absoluteFilePath())
        ::unlink(link_.toLocal8Bit().constData());
    link_.clear();
}

void PseudoTerminal::drop()
{
    if (master_ < 0)
        return;
    droppedLink_ = link_;
    close();
}

bool PseudoTerminal::restore(QString& error)
{
    if (master_ >= 0)
        return true;
    if (!open(error))
        return false;
    if (!droppedLink_.isEmpty() && !linkTo(droppedLink_, error)) {
        close();
        return false;
    }
    return true;
}

void PseudoTerminal::close()
{
    removeLink();
    // Later, since close may run inside one of the notifiers' own signals.
    for (QSocketNotifier* notifier : {reader_, writer_}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    reader_ = writer_ = nullptr;
    pending_.clear();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

} // namespace sim
