// A small console program that the command tool's tests run through the command interpreter:
// "lines" prints a line ended by CR LF and one ended by LF alone, "sleep N" prints a line and
// sleeps N seconds, "length ARG" prints the length of its argument and the argument's last
// eight characters, "bytes N" writes N bytes of 64-byte lines (ProbeLine) as fast as it can,
// "flood N" writes such lines without pause for N seconds, "nul" writes a line with a zero
// byte inside.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Line i of "bytes" and "flood": 63 characters and a line feed.
void ProbeLine(unsigned i, char* line)
{
    std::snprintf(line, 65, "%08u:abcdefghijklmnopqrstuvwxyz_ABCDEFGHIJKLMNOPQRSTUVWXYZ_\n", i % 100000000u);
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc >= 3 && std::strcmp(argv[1], "bytes") == 0) {
        unsigned long left = std::strtoul(argv[2], nullptr, 10);
        char line[65];
        for (unsigned i = 0; left > 0; ++i) {
            ProbeLine(i, line);
            const unsigned long n = left < 64 ? left : 64;
            std::fwrite(line, 1, n, stdout);
            left -= n;
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "flood") == 0) {
        const DWORD dwEnd = ::GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
        char line[65];
        for (unsigned i = 0; ::GetTickCount() < dwEnd; ++i) {
            ProbeLine(i, line);
            std::fwrite(line, 1, 64, stdout);
        }
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "nul") == 0) {
        std::fwrite("before\0after\n", 1, 13, stdout);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "lines") == 0) {
        std::fputs("first line\r\nsecond line\n", stdout);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0) {
        std::fputs("sleeping\n", stdout);
        std::fflush(stdout);
        ::Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
        std::fputs("woke up\n", stdout);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "length") == 0) {
        const size_t length = std::strlen(argv[2]);
        std::printf("length=%u tail=%s\n", static_cast<unsigned>(length), argv[2] + (length > 8 ? length - 8 : 0));
        return 0;
    }
    std::fputs("usage: cmdprobe lines | sleep N | length ARG | bytes N | flood N | nul\n", stdout);
    return 2;
}
