// A program of the build started as a person starts it, for the figures that watch a whole
// process: in a working folder of its own, its main window waited for until it shows and its
// thread has gone idle, its working set read from outside, and ended through its window.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// The folder of the running executable (the build's bin folder).
std::string BinFolder();
// A new empty folder under the temporary folder, and its removal with what it holds.
std::string NewFolder(const char* prefix);
void RemoveFolder(const std::string& path);
// Writes bytes to a file; false when it cannot.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);

class ProgramRun
{
public:
    ProgramRun(std::string exePath, std::string workFolder);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the process; the time of the call is kept as the launch.
    bool Start();
    // Waits until a visible top-level window of the process shows and the process has since
    // answered a message sent to it from its idle loop; returns the seconds from the launch,
    // or a negative value when that did not happen within the time.
    double WaitShownAndIdle(DWORD timeoutMs);
    // Waits for the program's thread to go idle again (after work that the bench gave it).
    bool WaitIdle(DWORD timeoutMs);
    HWND MainWindow() const { return m_hMain; }
    // The process's working set in bytes (0 when the system does not tell).
    double WorkingSet() const;
    // Closes the main window and waits for the end; true when it ended with code 0.
    bool Close(DWORD timeoutMs);

private:
    std::string m_exe;
    std::string m_folder;
    PROCESS_INFORMATION m_pi = {};
    HWND m_hMain = NULL;
    double m_launch = 0;
};

} // namespace bench
