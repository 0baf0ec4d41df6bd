#include "themeapi.h"

#include <cwchar>
#include <cwctype>

namespace {

const char* const kEntryNames[kThemeEntryCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemePartSize",
    "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString",
    "GetThemeBool", "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont",
    "GetThemeRect", "GetThemeMargins", "GetThemeIntList", "GetThemePropertyOrigin",
    "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme",
    "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled", "GetThemeAppProperties",
    "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx",
};

// The taskband's edge and fill colours, in the order the holder keeps them.
const int kTaskbandProps[kTaskbandColorCount] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};

typedef BOOL(WINAPI* PFN_IsAppThemed)();
typedef HANDLE(WINAPI* PFN_OpenThemeData)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFN_CloseThemeData)(HANDLE);
typedef HRESULT(WINAPI* PFN_GetThemeColor)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFN_GetCurrentThemeName)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

void LowerCase(wchar_t* psz)
{
    for (; *psz != L'\0'; ++psz)
        *psz = (wchar_t)std::towlower(*psz);
}

} // namespace

LPCSTR ThemeApi::EntryName(int nIndex)
{
    return nIndex >= 0 && nIndex < kThemeEntryCount ? kEntryNames[nIndex] : NULL;
}

FARPROC ThemeApi::Entry(LPCSTR lpszName) const
{
    for (int i = 0; i < kThemeEntryCount; ++i) {
        if (lstrcmpA(kEntryNames[i], lpszName) == 0)
            return entries[i];
    }
    return NULL;
}

void ThemeApi::Resolve()
{
    for (int i = 0; i < kThemeEntryCount; ++i)
        entries[i] = hModule != NULL ? ::GetProcAddress(hModule, kEntryNames[i]) : NULL;
}

int ThemeSchemeFromNames(LPCWSTR lpszFileName, LPCWSTR lpszColorName)
{
    if (lpszFileName == NULL || lpszColorName == NULL)
        return kSchemeNone;
    wchar_t szFile[MAX_PATH];
    wchar_t szColor[MAX_PATH];
    lstrcpynW(szFile, lpszFileName, MAX_PATH);
    lstrcpynW(szColor, lpszColorName, MAX_PATH);
    LowerCase(szFile);
    LowerCase(szColor);
    if (std::wcsstr(szFile, L"luna.msstyles") == NULL)
        return kSchemeNone;
    if (lstrcmpW(szColor, L"normalcolor") == 0)
        return kSchemeBlue;
    if (lstrcmpW(szColor, L"homestead") == 0)
        return kSchemeOlive;
    if (lstrcmpW(szColor, L"metallic") == 0)
        return kSchemeSilver;
    return kSchemeNone;
}

void ReadThemeInfo(const ThemeApi& api, ThemeInfo& info)
{
    info.flags = 0;
    info.scheme = kSchemeNone;
    auto pfnIsAppThemed = (PFN_IsAppThemed)api.Entry("IsAppThemed");
    auto pfnOpen = (PFN_OpenThemeData)api.Entry("OpenThemeData");
    auto pfnClose = (PFN_CloseThemeData)api.Entry("CloseThemeData");
    auto pfnColor = (PFN_GetThemeColor)api.Entry("GetThemeColor");
    auto pfnName = (PFN_GetCurrentThemeName)api.Entry("GetCurrentThemeName");
    if (api.hModule == NULL || pfnIsAppThemed == NULL || pfnOpen == NULL || pfnClose == NULL ||
        pfnColor == NULL || pfnName == NULL)
        return;
    info.flags |= kThemeApiUsable;
    if (pfnIsAppThemed())
        info.flags |= kThemeAppThemed;

    wchar_t szFile[MAX_PATH] = L"";
    wchar_t szColor[MAX_PATH] = L"";
    if (SUCCEEDED(pfnName(szFile, MAX_PATH, szColor, MAX_PATH, NULL, 0)))
        info.scheme = ThemeSchemeFromNames(szFile, szColor);

    HANDLE hTheme = pfnOpen(::GetDesktopWindow(), L"taskband");
    if (hTheme == NULL)
        return;
    int nRead = 0;
    for (; nRead < kTaskbandColorCount; ++nRead) {
        if (FAILED(pfnColor(hTheme, 2, 0, kTaskbandProps[nRead], &info.taskband[nRead])))
            break;
    }
    if (nRead == kTaskbandColorCount)
        info.flags |= kThemeTaskbandRead;
    pfnClose(hTheme);
}
