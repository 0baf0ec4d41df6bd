// Support for tests of the framework's painters.
//
// - PaintLookScope: installs a look with what the test display cannot show put in place of
//   the system's answers (identity system colours, a palette display, a visual-style scheme,
//   another Windows version, no GradientFill) and gives the real system and an XP look back
//   when it ends.
// - Identity system colours: one distinct colour per system colour index, so an assertion
//   can name the index it expects (SysColorOf(COLOR_BTNFACE)).
// - Structural checks for what is drawn through fonts and the system (text, Marlett,
//   DrawState, ellipses): the ink of one colour found inside a rectangle.
#pragma once
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "winharness.h"

namespace painttest {

COLORREF IdentitySysColor(int nIndex);
// The system colour index whose identity colour clr is, or -1.
int IdentitySysColorIndex(COLORREF clr);
OSVERSIONINFOA MakeVersionInfo(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR lpszServicePack);

class PaintLookScope {
public:
    PaintLookScope();
    ~PaintLookScope();

    // System colours: identity colours, then single entries changed.
    void UseIdentitySysColors();
    void SetSysColor(int nIndex, COLORREF clr);
    void SetBitsPerPixel(int nBits);
    void SetTheme(BYTE flags, int nScheme, const COLORREF* pTaskband = nullptr);
    void SetVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR lpszServicePack);
    void GradientFillOff();

    // Installs a new paint manager of the class; the current one.
    CUiPaintManager* Install(CRuntimeClass* pClass);
    CUiPaintManager* Current() const { return PaintManagerHolder::Get().GetStoredHandle(); }

private:
    COLORREF m_colors[50];
    bool m_bColors;
    OSVERSIONINFOA m_savedVersion;
    BYTE m_savedThemeFlags;
    PFN_GradientFill m_savedGradientFill;
};

// The bounding rectangle of the pixels of clr inside rcSearch (empty when there are none).
CRect InkBounds(const winharness::DibSurface& surface, const CRect& rcSearch, COLORREF clr);
int CountIn(const winharness::DibSurface& surface, const CRect& rc, COLORREF clr);
// Success when some pixel of clr lies in rcAllowed and none of the surface lies outside it:
// text, Marlett glyphs, DrawState images and ellipses, whose exact pixels the system picks.
::testing::AssertionResult InkOnlyInside(const winharness::DibSurface& surface, const CRect& rcAllowed,
                                         COLORREF clr);
// Logical pixels per inch of the screen; the painters' tests expect 96.
int ScreenDpi();

} // namespace painttest
