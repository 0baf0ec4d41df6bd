// The application profile. With a registry key the entries live under
// HKCU\Software\<registry key>\<profile name>\<section> as REG_DWORD, REG_SZ and REG_BINARY
// values; without one they go to the .INI file named by m_pszProfileName (binary values as
// two letters 'A'..'P' per byte, low half first).
#include "afxwin.h"

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hAppKey = NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    DWORD dw;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
        }
    }
    if (hSoftKey != NULL)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != NULL)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    if (lpszSection == NULL)
        return NULL;
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                      &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

namespace {

UINT ReadSectionInt(HKEY hSecKey, LPCSTR lpszEntry, int nDefault)
{
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return (UINT)nDefault;
}

CString ReadSectionString(HKEY hSecKey, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    CString strValue(lpszDefault);
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        CString strRead;
        LPSTR p = strRead.GetBuffer((int)dwCount);
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)p, &dwCount);
        if (lResult == ERROR_SUCCESS) {
            // The stored size counts the terminating NUL, when the writer stored one.
            int nLen = (int)dwCount;
            while (nLen > 0 && p[nLen - 1] == '\0')
                nLen--;
            strRead.ReleaseBuffer(nLen);
            strValue = strRead;
        }
    }
    return strValue;
}

} // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return (UINT)nDefault;
    const UINT nValue = ReadSectionInt(hSecKey, lpszEntry, nDefault);
    ::RegCloseKey(hSecKey);
    return nValue;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL) {
        char szT[16];
        wsprintfA(szT, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szT, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (m_pszRegistryKey == NULL) {
        if (lpszDefault == NULL)
            lpszDefault = "";
        for (DWORD nSize = 256;; nSize *= 2) {
            CString strValue;
            DWORD n = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, strValue.GetBuffer((int)nSize),
                                                 nSize, m_pszProfileName);
            strValue.ReleaseBuffer((int)n);
            if (n < nSize - 2 || nSize >= 0x100000)
                return strValue;
        }
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return CString(lpszDefault);
    CString strValue = ReadSectionString(hSecKey, lpszEntry, lpszDefault);
    ::RegCloseKey(hSecKey);
    return strValue;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    LONG lResult;
    if (lpszEntry == NULL) {
        // No entry: the whole section goes.
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        lResult = DelRegTree(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    if (lpszValue == NULL)
        lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
    else
        lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, lstrlenA(lpszValue) + 1);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == NULL || pBytes == NULL)
        return FALSE;
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL) {
        CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        int nLen = str.GetLength();
        if (nLen == 0 || nLen % 2 != 0)
            return FALSE;
        UINT nBytes = (UINT)nLen / 2;
        LPBYTE pData = new BYTE[nBytes];
        for (UINT i = 0; i < nBytes; i++) {
            int lo = str[(int)(i * 2)] - 'A';
            int hi = str[(int)(i * 2 + 1)] - 'A';
            if (lo < 0 || lo > 15 || hi < 0 || hi > 15) {
                delete[] pData;
                return FALSE;
            }
            pData[i] = (BYTE)((hi << 4) | lo);
        }
        *ppData = pData;
        *pBytes = nBytes;
        return TRUE;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
        LPBYTE pData = new BYTE[dwCount == 0 ? 1 : dwCount];
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, pData, &dwCount);
        if (lResult == ERROR_SUCCESS) {
            *ppData = pData;
            *pBytes = dwCount;
        } else {
            delete[] pData;
        }
    } else if (lResult == ERROR_SUCCESS) {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL) {
        CString str;
        LPSTR p = str.GetBuffer((int)nBytes * 2);
        for (UINT i = 0; i < nBytes; i++) {
            p[i * 2] = (char)((pData[i] & 0x0F) + 'A');
            p[i * 2 + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        str.ReleaseBuffer((int)nBytes * 2);
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

LONG CWinApp::DelRegTree(HKEY hParentKey, const CString& strKeyName)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExA(hParentKey, strKeyName, 0, KEY_READ | KEY_WRITE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    char szSubKey[256];
    for (;;) {
        DWORD dwSize = sizeof(szSubKey);
        // Always the first subkey: the one before was just deleted.
        lResult = ::RegEnumKeyExA(hKey, 0, szSubKey, &dwSize, NULL, NULL, NULL, NULL);
        if (lResult != ERROR_SUCCESS)
            break;
        lResult = DelRegTree(hKey, CString(szSubKey));
        if (lResult != ERROR_SUCCESS)
            break;
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_NO_MORE_ITEMS && lResult != ERROR_SUCCESS)
        return lResult;
    return ::RegDeleteKeyA(hParentKey, strKeyName);
}

CProfileSectionReader::CProfileSectionReader(CWinApp* pApp, LPCSTR lpszSection)
    : m_pApp(pApp), m_strSection(lpszSection), m_hKey(NULL)
{
    if (m_pApp->m_pszRegistryKey != NULL)
        m_hKey = m_pApp->GetSectionKey(lpszSection);
}

CProfileSectionReader::~CProfileSectionReader()
{
    if (m_hKey != NULL)
        ::RegCloseKey(m_hKey);
}

UINT CProfileSectionReader::GetInt(LPCSTR lpszEntry, int nDefault)
{
    if (m_pApp->m_pszRegistryKey == NULL)
        return m_pApp->GetProfileInt(m_strSection, lpszEntry, nDefault);
    return m_hKey != NULL ? ReadSectionInt(m_hKey, lpszEntry, nDefault) : (UINT)nDefault;
}

CString CProfileSectionReader::GetString(LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (m_pApp->m_pszRegistryKey == NULL)
        return m_pApp->GetProfileString(m_strSection, lpszEntry, lpszDefault);
    return m_hKey != NULL ? ReadSectionString(m_hKey, lpszEntry, lpszDefault) : CString(lpszDefault);
}
