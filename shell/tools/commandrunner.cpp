#include "commandrunner.h"

#include <vector>

#include "messagetext.h"

namespace {

CString InterpreterPath()
{
    char szFolder[MAX_PATH] = "";
    ::GetSystemDirectoryA(szFolder, MAX_PATH);
    return CString(szFolder) + "\\cmd.exe";
}

// Ends the interpreter and everything it started.
void EndChild(HANDLE hJob, HANDLE hProcess)
{
    if (hJob == NULL || !::TerminateJobObject(hJob, 0))
        ::TerminateProcess(hProcess, 0);
}

// Waits for the child, posting the progress tick on every 100 ms that pass; the status.
LPARAM WatchChild(const CommandRunParams& params, HANDLE hProcess, HANDLE hJob)
{
    const HANDLE handles[2] = {params.hStop, hProcess};
    for (;;) {
        const DWORD result = ::WaitForMultipleObjects(2, handles, FALSE, 100);
        if (result == WAIT_TIMEOUT) {
            ::PostMessageA(params.hDialog, WM_COMMAND_OUTPUT, 1, 0);
            continue;
        }
        if (result == WAIT_OBJECT_0 + 1)
            return 0;
        EndChild(hJob, hProcess);
        return result == WAIT_OBJECT_0 ? 1 : 2;
    }
}

} // namespace

CString MakeInterpreterCommandLine(const CString& strCommand)
{
    return "\"" + InterpreterPath() + "\" /A /C " + strCommand;
}

UINT CommandRunnerThread(LPVOID pParam)
{
    CommandRunParams* pParams = static_cast<CommandRunParams*>(pParam);
    const CString commandLine = MakeInterpreterCommandLine(pParams->strCommand);
    std::vector<char> buffer(static_cast<LPCSTR>(commandLine), static_cast<LPCSTR>(commandLine) + commandLine.GetLength() + 1);

    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = NULL;
    si.hStdOutput = pParams->hWrite;
    si.hStdError = pParams->hWrite;
    ::PostMessageA(pParams->hDialog, WM_COMMAND_OUTPUT, 1, 0);

    // Suspended until it is in its job, so nothing it starts escapes the job.
    PROCESS_INFORMATION pi = {};
    LPARAM status = 0;
    if (!::CreateProcessA(InterpreterPath(), buffer.data(), NULL, NULL, TRUE, NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED,
                          NULL, NULL, &si, &pi)) {
        AfxMessageBox(GetMessageText(13040), MB_OK);
    } else {
        HANDLE hJob = ::CreateJobObjectA(NULL, NULL);
        if (hJob != NULL && !::AssignProcessToJobObject(hJob, pi.hProcess)) {
            ::CloseHandle(hJob);
            hJob = NULL;
        }
        ::ResumeThread(pi.hThread);
        ::CloseHandle(pi.hThread);
        status = WatchChild(*pParams, pi.hProcess, hJob);
        ::CloseHandle(pi.hProcess);
        if (hJob != NULL)
            ::CloseHandle(hJob);
    }
    ::PostMessageA(pParams->hDialog, WM_COMMAND_OUTPUT, 0, status);
    delete pParams;
    return 0;
}
