#include "barstatelimits.h"

#include "afxext.h"

#include <algorithm>

namespace barstatelimits {

namespace {

typedef long long Wide;

Wide WidthOf(const RECT& rc)
{
    return (Wide)rc.right - rc.left;
}

Wide HeightOf(const RECT& rc)
{
    return (Wide)rc.bottom - rc.top;
}

// Moves (never resizes) a rectangle no larger than the work area so that it lies wholly on it.
CRect InsideWork(Wide left, Wide top, LONG cx, LONG cy, const RECT& rcWork)
{
    left = std::max<Wide>(rcWork.left, std::min<Wide>(left, (Wide)rcWork.right - cx));
    top = std::max<Wide>(rcWork.top, std::min<Wide>(top, (Wide)rcWork.bottom - cy));
    return CRect((LONG)left, (LONG)top, (LONG)(left + cx), (LONG)(top + cy));
}

} // namespace

CRect FramePlacement(const RECT& rcSaved, const RECT& rcOwn, const RECT& rcWork, SIZE sizeMinTrack)
{
    const bool bRefused = WidthOf(rcSaved) < sizeMinTrack.cx || HeightOf(rcSaved) < sizeMinTrack.cy;
    const RECT& rc = bRefused ? rcOwn : rcSaved;
    const LONG cx = (LONG)std::max<Wide>(0, std::min(WidthOf(rc), WidthOf(rcWork)));
    const LONG cy = (LONG)std::max<Wide>(0, std::min(HeightOf(rc), HeightOf(rcWork)));
    return InsideWork(rc.left, rc.top, cx, cy, rcWork);
}

CRect FloatingFrame(const RECT& rcSaved, SIZE sizeMin, SIZE sizeDefault, const RECT& rcWork)
{
    Wide cx = WidthOf(rcSaved), cy = HeightOf(rcSaved);
    if (cx < sizeMin.cx || cy < sizeMin.cy) {
        cx = sizeDefault.cx;
        cy = sizeDefault.cy;
    }
    cx = std::min(cx, WidthOf(rcWork));
    cy = std::min(cy, HeightOf(rcWork));
    Wide left = rcSaved.left, top = rcSaved.top;
    // Wholly off the work area: onto its nearest edge (a frame partly on it stays where it is).
    if (left >= rcWork.right)
        left = (Wide)rcWork.right - cx;
    if (top >= rcWork.bottom)
        top = (Wide)rcWork.bottom - cy;
    if (left + cx <= rcWork.left)
        left = rcWork.left;
    if (top + cy <= rcWork.top)
        top = rcWork.top;
    return CRect((LONG)left, (LONG)top, (LONG)(left + cx), (LONG)(top + cy));
}

CSize BarSize(SIZE sizeSaved, SIZE sizeOwn, const RECT& rcWork)
{
    const bool bWidth = sizeSaved.cx > 0 && sizeSaved.cx <= WidthOf(rcWork);
    const bool bHeight = sizeSaved.cy > 0 && sizeSaved.cy <= HeightOf(rcWork);
    return CSize(bWidth ? sizeSaved.cx : sizeOwn.cx, bHeight ? sizeSaved.cy : sizeOwn.cy);
}

CPoint ScreenPoint(POINT ptSaved, const RECT& rcWork)
{
    return CPoint(std::max(rcWork.left, std::min(ptSaved.x, rcWork.right - 1)),
                  std::max(rcWork.top, std::min(ptSaved.y, rcWork.bottom - 1)));
}

CRect DockPlace(const RECT& rcSaved, const RECT& rcDefault)
{
    // Far beyond any screen, yet small enough that a window may be moved there.
    const Wide kFar = 0x8000;
    const bool bSane = WidthOf(rcSaved) >= 0 && HeightOf(rcSaved) >= 0 && WidthOf(rcSaved) <= kFar &&
                       HeightOf(rcSaved) <= kFar && rcSaved.left > -kFar && rcSaved.top > -kFar &&
                       rcSaved.right < kFar && rcSaved.bottom < kFar;
    return CRect(bSane ? rcSaved : rcDefault);
}

DWORD FloatingFrameStyle(DWORD dwSaved)
{
    // What every floating frame has once its system caption and border are gone, and what it
    // may have besides: a frame of a bar that sizes itself has no move frame.
    const DWORD dwAlways = WS_POPUP | WS_SYSMENU | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    const DWORD dwMay = WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_MOVEFRAME;
    if ((dwSaved & dwAlways) == dwAlways && (dwSaved & ~(dwAlways | dwMay)) == 0)
        return dwSaved;
    return dwAlways | MFS_MOVEFRAME;
}

UINT ShowCommand(int nSaved)
{
    return nSaved >= SW_HIDE && nSaved <= SW_MAX ? (UINT)nSaved : (UINT)SW_SHOWNORMAL;
}

} // namespace barstatelimits
