#include "windowsversion.h"

WORD ComputeWindowsFamily(const OSVERSIONINFOA& vi, CString& strText)
{
    WORD wFlags = 0;
    CString strName;
    const DWORD major = vi.dwMajorVersion;
    const DWORD minor = vi.dwMinorVersion;
    switch (vi.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        wFlags |= kWinWin32s;
        strName = "Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS: {
        wFlags |= kWin9x;
        if (major == 4 && minor == 0)
            wFlags |= kWin95;
        if (major >= 5 || (major == 4 && minor > 0))
            wFlags |= kWin9xAbove40;
        strName = "Windows ";
        if ((wFlags & kWin9xAbove40) == 0) {
            strName += "95";
        } else if (!(major == 4 && minor > 0)) {
            strName += "98 or later";
        } else {
            strName += "98";
            wFlags |= kWin98;
        }
        break;
    }
    case VER_PLATFORM_WIN32_NT:
        wFlags |= kWinNT;
        if (major == 4) {
            wFlags |= kWinNT4;
            strName = "Windows NT";
        } else if (major == 5) {
            if (minor == 0) {
                wFlags |= kWin2000;
                strName = "Windows 2000";
            } else if (minor == 1) {
                wFlags |= kWinXP;
                strName = "Windows XP";
            }
        } else {
            strName = "Windows NT";
        }
        if (major >= 4)
            wFlags |= kWinNT4OrLater;
        if (major >= 5) {
            wFlags |= kWinNT5OrLater;
            if (!(major == 5 && minor == 0))
                wFlags |= kWinNTAbove50;
        }
        break;
    default:
        break;
    }
    char szCsd[sizeof(vi.szCSDVersion) + 1];
    memcpy(szCsd, vi.szCSDVersion, sizeof(vi.szCSDVersion));
    szCsd[sizeof(vi.szCSDVersion)] = '\0';
    strText.Format("%s v.%lu.%lu (build %lu) %s", (LPCSTR)strName, (unsigned long)major,
                   (unsigned long)minor, (unsigned long)vi.dwBuildNumber, szCsd);
    return wFlags;
}
