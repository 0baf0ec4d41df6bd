#include "soakcounts.h"

#include "uiprobe.h"

#include <psapi.h>

#include <algorithm>

#include <vector>

namespace bench {

namespace {

// One entry of the system's handle list (SystemHandleInformation, class 16), 32-bit layout.
struct SystemHandle
{
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};

using QuerySystem = LONG(WINAPI*)(int, void*, ULONG, ULONG*);

// The handles of the process in the system's handle list, -1 when the list cannot be read.
double CountSystemHandles(DWORD pid)
{
    static const QuerySystem query =
        reinterpret_cast<QuerySystem>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
    const LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<BYTE> buffer(1 << 18);
    LONG status = kLengthMismatch;
    for (int tries = 0; query != nullptr && status == kLengthMismatch && tries < 8; ++tries) {
        ULONG needed = 0;
        status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kLengthMismatch)
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
    }
    if (status != 0)
        return -1;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const SystemHandle* entries = reinterpret_cast<const SystemHandle*>(buffer.data() + sizeof(ULONG));
    double owned = 0;
    for (ULONG i = 0; i < count && sizeof(ULONG) + (i + 1) * sizeof(SystemHandle) <= buffer.size(); ++i)
        owned += entries[i].processId == pid;
    return owned;
}

// Every window of the process: top-level ones, their descendants, and message-only ones.
double CountWindows(DWORD pid)
{
    double count = 0;
    auto countTree = [&](HWND hTop) { count += 1 + static_cast<double>(e2e::Descendants(hTop).size()); };
    for (HWND hTop : e2e::TopWindows(pid, false))
        countTree(hTop);
    for (HWND h = FindWindowExA(HWND_MESSAGE, NULL, NULL, NULL); h != NULL;
         h = FindWindowExA(HWND_MESSAGE, h, NULL, NULL)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid)
            countTree(h);
    }
    return count;
}

} // namespace

bool SampleProcess(HANDLE process, DWORD pid, ProcessCounts& counts, CountSources& sources)
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
        return false;
    counts.workingSet = static_cast<double>(memory.WorkingSetSize);
    counts.privateBytes = static_cast<double>(memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage);
    sources.privateBytes = memory.PrivateUsage != 0 ? "PrivateUsage" : "PagefileUsage (no PrivateUsage)";

    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    counts.handles = handles;
    sources.handles = "GetProcessHandleCount";
    if (handles == 0) {
        counts.handles = CountSystemHandles(pid);
        sources.handles = "the system handle list (GetProcessHandleCount answers 0)";
    }

    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    counts.gdiObjects = gdi != 0 ? static_cast<double>(gdi) : -1.0;
    sources.gdi = gdi != 0 ? "GetGuiResources" : "nothing (GetGuiResources answers 0)";
    counts.userObjects = user != 0 ? user : CountWindows(pid);
    sources.user = user != 0 ? "GetGuiResources" : "its windows (GetGuiResources answers 0)";
    return counts.handles >= 0;
}

} // namespace bench
