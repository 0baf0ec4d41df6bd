// A small console program that the command tool's tests run through the command interpreter:
// "lines" prints two lines ended by LF alone, "sleep N" prints a line and sleeps N seconds,
// "length ARG" prints the length of its argument and the argument's last eight characters.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc >= 2 && std::strcmp(argv[1], "lines") == 0) {
        std::fputs("first line\nsecond line\n", stdout);
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
    std::fputs("usage: cmdprobe lines | sleep N | length ARG\n", stdout);
    return 2;
}
