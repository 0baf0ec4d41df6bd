// The real korvane.exe as a process of its own, started and ended as a person does: in a
// working folder of its own, with the program's registry key emptied first when asked, ended
// through its window and waited for until its exit code is known.
//
// It stands on Win32 alone (no class library), so the end-to-end tests and the benchmark read
// the program only from outside, as a user sees it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The program's registry key under HKEY_CURRENT_USER.
extern const char* const kProgramKey;

// The folder of the running executable (the build's tests' folder, with the tests' helpers).
std::string BinFolder();
// The program's folder, where korvane.exe lies: "bin" beside the tests' folder.
std::string ProgramFolder();
// Removes the program's key with everything under it.
void EmptyProgramKey();
// A new empty folder under the system's temporary folder; removed with its contents by
// RemoveFolder.
std::string NewFolder(const char* prefix);
void RemoveFolder(const std::string& path);

class Program {
public:
    // The program runs in workFolder (where it looks for "auto.kvr" and writes its files),
    // started from exeFolder (the program's folder when empty).
    explicit Program(std::string workFolder, std::string exeFolder = std::string());
    // Ends the process by force when a test left it running.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Start();
    // The visible top-level window of the process whose title ends in " - Korvane"; NULL when
    // none showed within the time.
    HWND WaitMainWindow(unsigned timeoutMs = 30000);
    // Waits until the program has gone idle with its main window painted (false after the
    // time).
    bool WaitIdle(unsigned timeoutMs = 30000);

    HWND Main() const { return m_hMain; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }
    bool Running() const;
    // Posts WM_CLOSE to the main window, as the caption's close button does.
    void PostClose();
    // Waits for the process to end; its exit code in *pCode. False when it still runs.
    bool WaitExit(unsigned timeoutMs, DWORD* pCode);
    // Ends it through its window and waits: true when it ended by itself with code 0.
    bool CloseAndWait(unsigned timeoutMs = 20000);

private:
    std::string m_folder;
    std::string m_exeFolder;
    PROCESS_INFORMATION m_pi = {};
    HWND m_hMain = NULL;
};

} // namespace e2e
