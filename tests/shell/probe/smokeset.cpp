// Writes the start-up set of the run command's smoke road: a set file with the given name
// whose port 1 is in use on the given COM port (1 = COM1). After them, "--lines" makes port 1
// read a chatty device (blocks up to a line feed, 115200 baud, 64 KiB buffers and queues), and
// any other argument puts port 1 in extended mode with that extension DLL.
#include <cstdlib>
#include <cstring>

#include "setfile_writer.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    CCommSetRecord set = testsets::PortOneSet(argv[2], std::atoi(argv[3]));
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lines") == 0) {
            set.m_nRecvFraming[0] = 2;
            set.m_delimiters[0] = testbytes::BufferOf({'\n'});
            set.m_nBaudRate[0] = 115200;
            set.m_nRecvBufferSize[0] = 65536;
            set.m_nInQueue[0] = set.m_nOutQueue[0] = 65536;
        } else {
            set.m_nExtendedMode[0] = 1;
            set.m_strExtDllPath[0] = argv[i];
        }
    }
    return testsets::WriteSetFileTo(argv[1], set) ? 0 : 1;
}
