// What the soak reads of the program's process from outside at every sample: its memory, its
// kernel handles and its drawing and window objects.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

struct ProcessCounts
{
    double workingSet = 0;    // bytes
    double privateBytes = 0;  // bytes
    double handles = 0;       // kernel handles
    double gdiObjects = -1;   // -1: the system answers nothing
    double userObjects = 0;
};

// The road each count came by, for the report.
struct CountSources
{
    std::string privateBytes;
    std::string handles;
    std::string gdi;
    std::string user;
};

// Reads the counts of a process opened with query and read rights. Where the system's own
// answer is missing (Wine answers 0 to GetProcessHandleCount, GetGuiResources and a process's
// PrivateUsage), the next road from outside is taken: the resident private memory
// (PagefileUsage), the handles the system's handle list gives the process, and its windows
// (top-level, children and message-only); a drawing-object count has no such road there.
bool SampleProcess(HANDLE process, DWORD pid, ProcessCounts& counts, CountSources& sources);

} // namespace bench
