// A program of the build started as a person starts it, for the figures that watch a whole
// process: in a working folder of its own, its main window waited for until it shows and its
// thread has gone idle, its working set read from outside, and ended through its window. Unlike
// the end-to-end tests' e2e::Program (programdriver.h, whose folder helpers the figures use) it
// starts any executable of the build, the bare floor program too, and times the launch.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

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
