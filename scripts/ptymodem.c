/* Modem lines for pseudo-terminals, preloaded into the 32-bit Wine process that runs a
 * connection on a COM port mapped to a pseudo-terminal.
 *
 * Wine reads the modem lines (TIOCMGET) whenever it polls a comm-event wait, and a
 * pseudo-terminal refuses that request, so every wait fails at once. This library answers the
 * modem-line requests for pseudo-terminals only (device majors 136 to 143): CTS, DSR, CD, DTR
 * and RTS are on, and setting or clearing lines succeeds without effect. Every other request
 * and every other device goes to the real call. Wine's i386 ntdll.so calls the 64-bit time
 * entry __ioctl_time64, so that symbol is answered as well as ioctl.
 *
 * Linux build and test infrastructure only: built with the host compiler for i386
 * (gcc -m32 -shared -fPIC) and named in LD_PRELOAD; the Windows program knows nothing of it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

typedef int (*ioctl_fn)(int, unsigned long, ...);

static int is_pty(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return 0;
    return major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

/* 1 when the request was answered here (the result in *result), 0 to pass it on. */
static int modem_line_request(int fd, unsigned long request, void *arg, int *result)
{
    switch (request) {
    case TIOCMGET:
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
        break;
    default:
        return 0;
    }
    if (!is_pty(fd))
        return 0;
    if (request == TIOCMGET && arg)
        *(int *)arg = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_DTR | TIOCM_RTS;
    *result = 0;
    return 1;
}

static int forward(const char *name, ioctl_fn *next, int fd, unsigned long request, void *arg)
{
    int result;
    if (modem_line_request(fd, request, arg, &result))
        return result;
    if (!*next)
        *next = (ioctl_fn)dlsym(RTLD_NEXT, name);
    /* A C library without the 64-bit time entry has only the plain one. */
    if (!*next)
        *next = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
    return (*next)(fd, request, arg);
}

/* Both entries take the request's one argument as a pointer (or an integer of its size). */
#define INTERPOSE(name)                                                                            \
    int name(int fd, unsigned long request, ...)                                                   \
    {                                                                                              \
        static ioctl_fn next;                                                                      \
        va_list ap;                                                                                \
        void *arg;                                                                                 \
        va_start(ap, request);                                                                     \
        arg = va_arg(ap, void *);                                                                  \
        va_end(ap);                                                                                \
        return forward(#name, &next, fd, request, arg);                                            \
    }

INTERPOSE(ioctl)
INTERPOSE(__ioctl_time64)
