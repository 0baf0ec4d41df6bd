/* Writes the command line it was started with to the file named by KORVANE_RECORDER_OUT. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrev, LPSTR lpCmdLine, int nShow)
{
    char szPath[MAX_PATH];
    DWORD cch = GetEnvironmentVariableA("KORVANE_RECORDER_OUT", szPath, sizeof(szPath));
    if (cch == 0 || cch >= sizeof(szPath))
        return 1;
    LPCSTR lpszLine = GetCommandLineA();
    HANDLE hFile = CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    DWORD cbWritten = 0;
    WriteFile(hFile, lpszLine, lstrlenA(lpszLine), &cbWritten, NULL);
    CloseHandle(hFile);
    return 0;
}
