// Bar frames and grippers of the Office 2003 and Studio 2005 looks. Docked bars take their
// frame from the background gradient; toolbar grippers are a line of square dots over the
// toolbar's own gradient; inactive captions are a gradient of the frame colours.
#include "barpaintdata.h"
#include "paintclip.h"
#include "paintdraw.h"
#include "paintmanagerstudio2005.h"
#include "paintsystem.h"
#include "tabwnd.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

namespace {

const CSize kGripDot(2, 2);
const CSize kGripShadow(1, 1);
const CSize kGripGap(1, 1);

} // namespace

void CUiPaintManagerOffice2003::PaintGripper(CDC& dc, GripperPaintData& data)
{
    HDC hDC = dc.GetSafeHdc();
    CUiControlBar* pBar = DYNAMIC_DOWNCAST(CUiControlBar, data.m_pAsking);
    const bool bSlider = data.m_pAsking != nullptr && data.m_pAsking->IsKindOf(RUNTIME_CLASS(CUiDynAutoHideSlider));
    const bool bOwn = GetBitsPerPixel(hDC) > 8 && !data.IsFloating() &&
                      ((pBar != nullptr && !pBar->IsBarFloating()) || bSlider);
    if (!bOwn) {
        CUiPaintManagerXP::PaintGripper(dc, data);
        return;
    }
    const CRect& rc = data.m_rcItem;
    if (!data.IsResizable() && !bSlider) {
        CUiToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CUiToolControlBar, pBar);
        if (pToolBar != nullptr && !pToolBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)) &&
            !pToolBar->IsKindOf(RUNTIME_CLASS(CUiPanelControlBar))) {
            CallerClip clip(hDC);
            dc.IntersectClipRect(&rc);
            CRect rcWindow;
            pToolBar->GetWindowRect(&rcWindow);
            rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
            PaintToolBarFace(dc, pToolBar, rcWindow);
        }
        const int nPitchX = kGripDot.cx + kGripShadow.cx + kGripGap.cx;
        const int nPitchY = kGripDot.cy + kGripShadow.cy + kGripGap.cy;
        const bool bColumn = data.IsHorzBar();
        const int nLength = bColumn ? rc.Height() : rc.Width();
        const int nDot = bColumn ? kGripDot.cy + kGripShadow.cy : kGripDot.cx + kGripShadow.cx;
        const int nPitch = bColumn ? nPitchY : nPitchX;
        const int nCount = nLength >= nDot ? (nLength - nDot) / nPitch + 1 : 0;
        const int nAcross = bColumn ? rc.left + (rc.Width() - (kGripDot.cx + kGripShadow.cx)) / 2
                                    : rc.top + (rc.Height() - (kGripDot.cy + kGripShadow.cy)) / 2;
        const int nFarEnd = bColumn ? rc.bottom : rc.right;
        for (int i = 0; i < nCount; ++i) {
            const int nAlong = nFarEnd - nDot - (nCount - 1 - i) * nPitch;
            const int x = bColumn ? nAcross : nAlong;
            const int y = bColumn ? nAlong : nAcross;
            dc.FillSolidRect(x + kGripShadow.cx, y + kGripShadow.cy, kGripDot.cx, kGripDot.cy, GetColor(3002));
            dc.FillSolidRect(x, y, kGripDot.cx, kGripDot.cy, GetColor(3003));
        }
        return;
    }
    if (!data.IsActive())
        data.m_bLookFlags |= GripperPaintData::kLookBackgroundPainted;
    if (!data.IsActive() || bSlider) {
        CRect rcCaption(rc);
        rcCaption.bottom += 4;
        CallerClip clip(hDC);
        dc.IntersectClipRect(&rc);
        FillGradientRect(hDC, rcCaption, GetColor(3000), GetColor(3001), FALSE, 256);
    }
    CUiPaintManagerXP::PaintGripper(dc, data);
}

void CUiPaintManagerOffice2003::PaintControlBarBorders(CDC& dc, BarFramePaintData& data)
{
    CUiControlBar* pBar = DYNAMIC_DOWNCAST(CUiControlBar, data.m_pAsking);
    if (pBar != nullptr && !pBar->IsBarFloating() && !data.IsFloating() && GetBitsPerPixel(dc.GetSafeHdc()) > 8)
        return;
    CUiPaintManagerXP::PaintControlBarBorders(dc, data);
}

void CUiPaintManagerStudio2005::PaintGripper(CDC& dc, GripperPaintData& data)
{
    if (data.IsResizable())
        CUiPaintManager::PaintGripper(dc, data);
    else
        CUiPaintManagerOffice2003::PaintGripper(dc, data);
}

void CUiPaintManagerStudio2005::PaintControlBarBorders(CDC& dc, BarFramePaintData& data)
{
    const bool bToolBar = data.m_pAsking != nullptr && data.m_pAsking->IsKindOf(RUNTIME_CLASS(CUiToolControlBar));
    CRect rc(data.m_rcItem);
    if (bToolBar || !data.IsFloating() || !data.IsResizable() || rc.IsRectEmpty()) {
        CUiPaintManagerOffice2003::PaintControlBarBorders(dc, data);
        return;
    }
    CallerClip clip(dc.GetSafeHdc());
    dc.ExcludeClipRect(&data.m_rcClient);
    FillSolidRect(dc.GetSafeHdc(), rc, GetColor(1000));
    dc.Draw3dRect(&rc, GetColor(1000), GetColor(COLOR_3DDKSHADOW));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, GetColor(COLOR_WINDOW), GetColor(COLOR_BTNSHADOW));
}
