/* Preloaded into the plain terminal of bench/viewer-vs-terminal.sh: a pseudo-terminal has no modem
 * lines, so their queries answer "all low" instead of failing, and the sensor's CR line ends read
 * as LF so that the terminal shows one line per reading. Only terminal devices are touched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

/* Whether a descriptor is a terminal, asked once per descriptor (0 not asked yet, 1 yes, 2 no):
 * the terminal's other reads must not pay a system call more. */
static signed char kinds[4096];

static int is_terminal(int fd)
{
    if (fd < 0 || fd >= (int)sizeof kinds) return 0;
    if (!kinds[fd]) {
        struct termios t;
        kinds[fd] = tcgetattr(fd, &t) == 0 ? 1 : 2;
    }
    return kinds[fd] == 1;
}

int close(int fd)
{
    static int (*real_close)(int);
    if (!real_close) real_close = (int (*)(int))dlsym(RTLD_NEXT, "close");
    if (fd >= 0 && fd < (int)sizeof kinds) kinds[fd] = 0;
    return real_close(fd);
}

ssize_t read(int fd, void* buffer, size_t count)
{
    static ssize_t (*real_read)(int, void*, size_t);
    if (!real_read) real_read = (ssize_t(*)(int, void*, size_t))dlsym(RTLD_NEXT, "read");
    const ssize_t n = real_read(fd, buffer, count);
    if (n > 0 && is_terminal(fd)) {
        char* p = buffer;
        for (ssize_t i = 0; i < n; ++i)
            if (p[i] == '\r') p[i] = '\n';
    }
    return n;
}

int ioctl(int fd, unsigned long request, ...)
{
    static int (*real_ioctl)(int, unsigned long, void*);
    if (!real_ioctl) real_ioctl = (int (*)(int, unsigned long, void*))dlsym(RTLD_NEXT, "ioctl");
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);
    const int r = real_ioctl(fd, request, argument);
    if (r != 0 && (request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC)) {
        if (request == TIOCMGET && argument) *(int*)argument = 0;
        return 0;
    }
    return r;
}
