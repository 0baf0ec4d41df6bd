#include "painttestsupport.h"

#include "paintmanagerxp.h"
#include "paintsystem.h"

#include <algorithm>

namespace painttest {

COLORREF IdentitySysColor(int nIndex)
{
    return RGB(nIndex * 4 + 1, 128, 255 - nIndex);
}

int IdentitySysColorIndex(COLORREF clr)
{
    for (int i = 0; i < 50; ++i) {
        if (IdentitySysColor(i) == clr)
            return i;
    }
    return -1;
}

PaintLookScope::PaintLookScope() : m_colors(), m_bColors(false)
{
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    m_savedVersion = holder.m_version;
    m_savedThemeFlags = holder.m_bThemeFlags;
    m_savedGradientFill = holder.m_pfnGradientFill;
}

PaintLookScope::~PaintLookScope()
{
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    SetSysColorOverride(nullptr);
    SetBitsPerPixelOverride(0);
    holder.SetVersionInfo(m_savedVersion);
    holder.m_pfnGradientFill = m_savedGradientFill;
    holder.m_bThemeFlags = m_savedThemeFlags;
    holder.SetThemeInfoOverride(nullptr);
    Install(RUNTIME_CLASS(CUiPaintManagerXP));
}

void PaintLookScope::UseIdentitySysColors()
{
    for (int i = 0; i < 50; ++i)
        m_colors[i] = IdentitySysColor(i);
    m_bColors = true;
    SetSysColorOverride(m_colors);
}

void PaintLookScope::SetSysColor(int nIndex, COLORREF clr)
{
    if (!m_bColors)
        UseIdentitySysColors();
    m_colors[nIndex] = clr;
    SetSysColorOverride(m_colors);
}

void PaintLookScope::SetBitsPerPixel(int nBits)
{
    SetBitsPerPixelOverride(nBits);
}

void PaintLookScope::SetTheme(BYTE flags, int nScheme, const COLORREF* pTaskband)
{
    ThemeInfo info;
    info.flags = flags;
    info.scheme = nScheme;
    if (pTaskband != nullptr) {
        for (int i = 0; i < kTaskbandColorCount; ++i)
            info.taskband[i] = pTaskband[i];
    }
    PaintManagerHolder::Get().SetThemeInfoOverride(&info);
}

OSVERSIONINFOA MakeVersionInfo(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCSTR lpszServicePack)
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    vi.dwPlatformId = dwPlatform;
    vi.dwMajorVersion = dwMajor;
    vi.dwMinorVersion = dwMinor;
    vi.dwBuildNumber = dwBuild;
    lstrcpynA(vi.szCSDVersion, lpszServicePack, sizeof(vi.szCSDVersion));
    return vi;
}

void PaintLookScope::SetVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild,
                                LPCSTR lpszServicePack)
{
    PaintManagerHolder::Get().SetVersionInfo(MakeVersionInfo(dwPlatform, dwMajor, dwMinor, dwBuild, lpszServicePack));
}

void PaintLookScope::GradientFillOff()
{
    PaintManagerHolder::Get().m_pfnGradientFill = nullptr;
}

CUiPaintManager* PaintLookScope::Install(CRuntimeClass* pClass)
{
    PaintManagerHolder::Get().SetPaintManagerClass(pClass);
    return Current();
}

CRect InkBounds(const winharness::DibSurface& surface, const CRect& rcSearch, COLORREF clr)
{
    CRect rcInk(0, 0, 0, 0);
    bool bFound = false;
    for (int y = rcSearch.top; y < rcSearch.bottom; ++y) {
        for (int x = rcSearch.left; x < rcSearch.right; ++x) {
            if (surface.Pixel(x, y) != clr)
                continue;
            if (!bFound) {
                rcInk.SetRect(x, y, x + 1, y + 1);
                bFound = true;
            } else {
                rcInk.left = std::min(rcInk.left, (LONG)x);
                rcInk.top = std::min(rcInk.top, (LONG)y);
                rcInk.right = std::max(rcInk.right, (LONG)x + 1);
                rcInk.bottom = std::max(rcInk.bottom, (LONG)y + 1);
            }
        }
    }
    return rcInk;
}

int CountIn(const winharness::DibSurface& surface, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (surface.Pixel(x, y) == clr)
                ++n;
        }
    }
    return n;
}

::testing::AssertionResult InkOnlyInside(const winharness::DibSurface& surface, const CRect& rcAllowed,
                                         COLORREF clr)
{
    const CRect rcAll(0, 0, surface.width(), surface.height());
    const CRect rcInk = InkBounds(surface, rcAll, clr);
    if (rcInk.IsRectEmpty())
        return ::testing::AssertionFailure() << "no pixel of the colour";
    CRect rcUnion;
    rcUnion.UnionRect(&rcInk, &rcAllowed);
    if (rcUnion != rcAllowed) {
        return ::testing::AssertionFailure() << "ink (" << rcInk.left << ", " << rcInk.top << ", " << rcInk.right
                                             << ", " << rcInk.bottom << ") reaches outside (" << rcAllowed.left
                                             << ", " << rcAllowed.top << ", " << rcAllowed.right << ", "
                                             << rcAllowed.bottom << ")";
    }
    return ::testing::AssertionSuccess();
}

int ScreenDpi()
{
    HDC hDC = ::GetDC(NULL);
    int n = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(NULL, hDC);
    return n;
}

} // namespace painttest
