// The visual-style library (uxtheme) as the painters see it: its 48 entry points looked up by
// name (each may be missing), and what the holder reads from it: whether themes are usable
// and applied, the Luna colour scheme and the seven taskband colours.
#pragma once
#include "afxwin.h"

const int kThemeEntryCount = 48;
const int kTaskbandColorCount = 7;

enum ThemeFlag : BYTE {
    kThemeApiUsable = 1 << 0,
    kThemeAppThemed = 1 << 1,
    kThemeTaskbandRead = 1 << 2,
    kThemeColorsAllowed = 1 << 3,
};

enum ThemeScheme { kSchemeNone = 0, kSchemeBlue = 1, kSchemeOlive = 2, kSchemeSilver = 3 };

struct ThemeApi {
    HMODULE hModule = NULL;
    FARPROC entries[kThemeEntryCount] = {};

    // Names in entry order.
    static LPCSTR EntryName(int nIndex);
    FARPROC Entry(LPCSTR lpszName) const;
    // Looks every entry up again (all null without the module).
    void Resolve();
};

// The scheme code of a visual style: the Luna style's "normalcolor", "homestead" and
// "metallic" colours give 1, 2 and 3; any other file or colour gives 0.
int ThemeSchemeFromNames(LPCWSTR lpszFileName, LPCWSTR lpszColorName);

// What LoadThemeApi found, and what a test may put in its place.
struct ThemeInfo {
    BYTE flags = 0;          // ThemeFlag bits 0 to 2 (bit 3 stays with the holder)
    int scheme = kSchemeNone;
    COLORREF taskband[kTaskbandColorCount] = {};
};

// Reads the theme information through the library's entry points.
void ReadThemeInfo(const ThemeApi& api, ThemeInfo& info);
