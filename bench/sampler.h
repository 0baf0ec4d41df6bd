// A sampling profiler of one thread of the benchmark's process, for finding where a figure's
// time goes where no outside profiler sees in (Wine run by an emulator: every instruction of
// the program and of Wine's own DLLs is emulated, and perf or valgrind see only the emulator).
//
// A thread of its own suspends the sampled thread every millisecond or so, reads its
// instruction pointer and the words of its stack that follow a call instruction in a module's
// code (the return addresses, and now and then a stale one), and lets it go on. At the end it
// writes the samples, each address as its module's file gives it (the module's preferred
// base), so that `i686-w64-mingw32-addr2line -f -C -e <file> <address>` names the functions:
// the program's code and Wine's DLLs carry their line tables. bench/profilereport.py does that
// for a whole file. A sample taken while the thread is in Wine's Unix side (the window system,
// the server) stands outside every module ("?"): its stack tells which call it is in.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

namespace bench {

class ThreadSampler
{
public:
    // Samples the calling thread.
    ThreadSampler();
    ~ThreadSampler();
    ThreadSampler(const ThreadSampler&) = delete;
    ThreadSampler& operator=(const ThreadSampler&) = delete;

    void Start();
    void Stop();
    // Writes every sample to profile-<title>.txt in the working folder and prints the share
    // of the samples that stood in each module.
    void Print(const char* pszTitle) const;

private:
    void Run();

    HANDLE m_hThread;
    ULONG_PTR m_stackBase;
    std::atomic<bool> m_bStop{false};
    std::thread m_sampler;
    // Every sample: its frame count, then the addresses, innermost first.
    std::vector<DWORD> m_samples;
    size_t m_nSamples = 0;
};

// Whether the environment variable KORVANE_BENCH_PROFILE names the part given: the figure
// then profiles that part and prints what it found.
bool ProfileWanted(const char* pszPart);

} // namespace bench
