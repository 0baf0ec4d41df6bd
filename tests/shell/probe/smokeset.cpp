// Writes the start-up set of the run command's smoke road: a set file with the given name
// whose port 1 is in use on the given COM port (1 = COM1); a fourth argument puts port 1 in
// extended mode with that extension DLL.
#include <cstdlib>

#include "setfile_writer.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    CCommSetRecord set = testsets::PortOneSet(argv[2], std::atoi(argv[3]));
    if (argc > 4) {
        set.m_nExtendedMode[0] = 1;
        set.m_strExtDllPath[0] = argv[4];
    }
    return testsets::WriteSetFileTo(argv[1], set) ? 0 : 1;
}
