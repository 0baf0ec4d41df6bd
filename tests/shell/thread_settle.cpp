// Wine's loader, when a DLL with thread-local storage loads, walks the links of every thread of
// the process; a thread ending at that very moment leaves it a dangling link, and the process
// dies inside the loader. These tests load the script and extension DLLs again and again right
// after tests whose connection, timer and sound threads are still ending: after each test the
// threads it started are given the moment they take to end, before the next test begins.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

namespace {

int ThreadCount()
{
    HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnap == INVALID_HANDLE_VALUE)
        return -1;
    const DWORD pid = ::GetCurrentProcessId();
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(hSnap, &entry); more; more = ::Thread32Next(hSnap, &entry))
        count += entry.th32OwnerProcessID == pid;
    ::CloseHandle(hSnap);
    return count;
}

class ThreadSettle : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { m_nAtStart = ThreadCount(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        // The threads the test started end before the next test begins (at most 2 s).
        const DWORD start = ::GetTickCount();
        while (ThreadCount() > m_nAtStart && ::GetTickCount() - start < 2000)
            ::Sleep(10);
    }
    int m_nAtStart = 0;
};

struct Register {
    Register() { ::testing::UnitTest::GetInstance()->listeners().Append(new ThreadSettle); }
} g_register;

} // namespace
