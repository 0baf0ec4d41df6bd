/* The address-space reservation of 32-bit Wine on a machine that runs 32-bit code only through
 * an emulator (qemu-i386, registered for i386 programs by scripts/setup.sh).
 *
 * Wine's 32-bit ntdll.so reserves the Windows address space at its start with mmap and
 * MAP_FIXED_NOREPLACE, halving a range whenever it does not land where asked. Debian 12's
 * qemu-i386 does not know that flag: it treats the address as a hint and maps elsewhere, so
 * every range is halved down to 64 KiB, some nine thousand mappings of a slow search each, and
 * every Wine process then takes about 50 s to start. This library gives the flag its meaning in
 * the emulated process: the range is mapped there when the process's own map of its memory
 * shows it free, and the call fails with EEXIST otherwise. Every other call goes to the real one.
 *
 * Linux build and test infrastructure only, built with the host compiler for i386 (gcc -m32
 * -shared -fPIC), and for amd64 without this code, so that LD_PRELOAD can name both through
 * ld.so's $LIB; the Windows program knows nothing of it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <sys/mman.h>
#include <unistd.h>

#if defined(__i386__)

#ifndef MAP_FIXED_NOREPLACE
#define MAP_FIXED_NOREPLACE 0x100000
#endif

static unsigned long hex_field(const char** p)
{
    unsigned long v = 0;
    for (;; ++*p) {
        char c = **p;
        if (c >= '0' && c <= '9')
            v = v * 16 + (unsigned long)(c - '0');
        else if (c >= 'a' && c <= 'f')
            v = v * 16 + (unsigned long)(c - 'a' + 10);
        else
            return v;
    }
}

/* 1 when [start, end) meets a mapping of this process, 0 when it is free, -1 when unknown. */
static int range_used(uintptr_t start, uintptr_t end)
{
    char buf[8192];
    char line[128];
    size_t used = 0;
    int result = 0;
    ssize_t n;
    int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    while ((n = read(fd, buf, sizeof buf)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] != '\n') {
                if (used < sizeof line - 1)
                    line[used++] = buf[i];
                continue;
            }
            line[used] = 0;
            used = 0;
            const char* p = line;
            unsigned long a = hex_field(&p);
            if (*p++ != '-')
                continue;
            unsigned long b = hex_field(&p);
            if (a < end && start < b)
                result = 1;
        }
    }
    close(fd);
    return n < 0 ? -1 : result;
}

/* The flags to map with, or 0 with errno set when the call must fail. */
static int noreplace_flags(void* addr, size_t len, int flags)
{
    uintptr_t start = (uintptr_t)addr;
    uintptr_t end = start + len;
    if (end < start) {
        errno = ENOMEM;
        return 0;
    }
    switch (range_used(start, end)) {
    case 0:
        return (flags & ~MAP_FIXED_NOREPLACE) | MAP_FIXED;
    case 1:
        errno = EEXIST;
        return 0;
    default:
        return flags & ~MAP_FIXED_NOREPLACE;    /* a hint, as the emulator takes it */
    }
}

void* mmap64(void* addr, size_t len, int prot, int flags, int fd, off64_t offset)
{
    static void* (*real)(void*, size_t, int, int, int, off64_t);
    if (!real)
        real = (void* (*)(void*, size_t, int, int, int, off64_t))dlsym(RTLD_NEXT, "mmap64");
    if ((flags & MAP_FIXED_NOREPLACE) && !(flags = noreplace_flags(addr, len, flags)))
        return MAP_FAILED;
    return real(addr, len, prot, flags, fd, offset);
}

void* mmap(void* addr, size_t len, int prot, int flags, int fd, off_t offset)
{
    static void* (*real)(void*, size_t, int, int, int, off_t);
    if (!real)
        real = (void* (*)(void*, size_t, int, int, int, off_t))dlsym(RTLD_NEXT, "mmap");
    if ((flags & MAP_FIXED_NOREPLACE) && !(flags = noreplace_flags(addr, len, flags)))
        return MAP_FAILED;
    return real(addr, len, prot, flags, fd, offset);
}

#endif
