// Preloaded into rx and sx: on a pty, the output flush at exit discards the final ACK unread; skip it.

#include <dlfcn.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace {

// The queue still to flush once output is spared; -1 when nothing is left to flush.
int inputPart(int queue)
{
    return queue == TCOFLUSH ? -1 : queue == TCIOFLUSH ? TCIFLUSH : queue;
}

} // namespace

extern "C" int tcflush(int fd, int queue) noexcept
{
    static const auto real = reinterpret_cast<int (*)(int, int)>(dlsym(RTLD_NEXT, "tcflush"));
    const int rest = inputPart(queue);
    return rest < 0 ? 0 : real(fd, rest);
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    static const auto real = reinterpret_cast<int (*)(int, unsigned long, ...)>(dlsym(RTLD_NEXT, "ioctl"));
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (request != TCFLSH)
        return real(fd, request, argument);
    const int rest = inputPart(int(reinterpret_cast<long>(argument)));
    return rest < 0 ? 0 : real(fd, request, long(rest));
}
