// The Office 2003 backgrounds: one gradient across the frame's client area, which dock bars,
// menu and panel bars and every dialog placed on them paint the part of that lies under them,
// so the frame looks seamless; docked toolbars draw their own gradient with a rounded far end.
#include "barpaintdata.h"
#include "colorhls.h"
#include "dockbar.h"
#include "paintclip.h"
#include "paintdraw.h"
#include "paintgradients.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"
#include "paintsystem.h"
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

namespace {

bool PaintsNothing(CDC& dc, const CRect& rc)
{
    return rc.IsRectEmpty() || !dc.RectVisible(&rc);
}

// pWnd's frame client rectangle in pWnd's client coordinates.
CRect FrameClientIn(CWnd* pFrame, CWnd* pWnd)
{
    CRect rc;
    pFrame->GetClientRect(&rc);
    pFrame->MapWindowPoints(pWnd, &rc);
    return rc;
}

bool IsMenuOrPanelBar(CWnd* pWnd)
{
    return pWnd->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)) || pWnd->IsKindOf(RUNTIME_CLASS(CUiPanelControlBar));
}

} // namespace

BOOL CUiPaintManagerOffice2003::PaintThemedBackground(CDC& dc, CWnd* pWnd, LPARAM lParam)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == NULL || !HasThemedBackground(pWnd, lParam))
        return FALSE;
    // Menu and panel bars show the frame's gradient, so a window on them continues it too.
    CWnd* pFound = nullptr;
    for (CWnd* p = pWnd; p != nullptr; p = p->GetParent()) {
        if (p->IsKindOf(RUNTIME_CLASS(CUiToolControlBar)) && !IsMenuOrPanelBar(p)) {
            pFound = p;
            break;
        }
        if ((p->GetStyle() & WS_CHILD) == 0) {
            pFound = p;
            break;
        }
    }
    if (pFound == nullptr)
        return FALSE;
    CUiToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CUiToolControlBar, pFound);
    const bool bFloatingToolBar = pToolBar != nullptr && !pToolBar->IsBarDocked();
    const bool bHorzDocked = pToolBar != nullptr && !pToolBar->IsDockedVertically();
    CRect rc = FrameClientIn(pFound, pWnd);
    if (PaintsNothing(dc, rc))
        return TRUE;
    HDC hDC = dc.GetSafeHdc();
    if (pToolBar == nullptr) {
        CRect rcClient;
        pWnd->GetClientRect(&rcClient);
        PaintGradientBackground(dc, rc, rcClient, lParam);
        return TRUE;
    }
    if (bFloatingToolBar) {
        FillGradientRect(hDC, rc, GetColor(3001), GetColor(3000), TRUE, 256);
        return TRUE;
    }
    if (!PaintSchemeGradient(hDC, rc, 0.77, 0.58, -0.25, bHorzDocked))
        PaintPlainToolBarGradient(hDC, rc, !bHorzDocked);
    return TRUE;
}

// A docked toolbar's two-part gradient from the scheme's base colour: two lighter colours, then
// a darker one (a touch more saturated and turned on the silver scheme). False without a
// usable scheme.
bool CUiPaintManagerOffice2003::PaintSchemeGradient(HDC hDC, const CRect& rc, double dFirstLight, double dMiddleLight,
                                                    double dLastLight, BOOL bVertical)
{
    COLORREF clrBase = 0;
    if (!IsThemeColorSchemeUsable() || !InitSchemeGradientColors(&clrBase, nullptr))
        return false;
    COLORREF clrLast = AdjustColorHLS(clrBase, 0, dLastLight, -0.25);
    if (PaintManagerHolder::Get().m_nScheme == kSchemeSilver)
        clrLast = AdjustColorHLS(clrLast, 0.05, 0, 0.05);
    PaintTwoPartGradient(hDC, rc, AdjustColorHLS(clrBase, 0, dFirstLight, 0.15), AdjustColorHLS(clrBase, 0, dMiddleLight, 0.15),
                         clrLast, bVertical, 256);
    return true;
}

// Without a scheme: 3015 to 3016 across a vertical bar, 3016 to 3015 upwards on a horizontal one.
void CUiPaintManagerOffice2003::PaintPlainToolBarGradient(HDC hDC, const CRect& rc, bool bVerticalBar)
{
    if (bVerticalBar)
        FillGradientRect(hDC, rc, GetColor(3015), GetColor(3016), FALSE, 256);
    else
        FillGradientRect(hDC, rc, GetColor(3016), GetColor(3015), TRUE, 256);
}

void CUiPaintManagerOffice2003::PaintDockBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam)
{
    CWnd* pFrame = pAsking != nullptr ? pAsking->GetParent() : nullptr;
    if (pFrame == nullptr || !pAsking->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)) || GetScreenBitsPerPixel() <= 8) {
        CUiPaintManagerXP::PaintDockBarBackground(dc, rc, pAsking, lParam);
        return;
    }
    CRect rcFrame = FrameClientIn(pFrame, pAsking);
    if (!PaintsNothing(dc, rcFrame))
        PaintGradientBackground(dc, rcFrame, rc, lParam);
}

void CUiPaintManagerOffice2003::PaintControlBarBackground(CDC& dc, const CRect& rc, CWnd* pAsking, LPARAM lParam)
{
    CUiToolControlBar* pBar = DYNAMIC_DOWNCAST(CUiToolControlBar, pAsking);
    CFrameWnd* pFrame = pBar != nullptr ? pBar->GetParentFrame() : nullptr;
    bool bThemed = pFrame != nullptr && GetScreenBitsPerPixel() > 8 && !pBar->IsBarFloating();
    if (bThemed && !pBar->IsBarDocked()) {
        CWnd* pTop = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_TOP);
        bThemed = pTop != nullptr && pTop->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar));
    }
    if (!bThemed) {
        CUiPaintManagerXP::PaintControlBarBackground(dc, rc, pAsking, lParam);
        return;
    }
    CRect rcFrame = FrameClientIn(pFrame, pBar);
    if (PaintsNothing(dc, rcFrame))
        return;
    PaintGradientBackground(dc, rcFrame, rc, lParam);
    if (!IsMenuOrPanelBar(pBar))
        PaintToolBarFace(dc, pBar, rc);
}

void CUiPaintManagerOffice2003::PaintToolBarFace(CDC& dc, CUiToolControlBar* pBar, const CRect& rcBar)
{
    HDC hDC = dc.GetSafeHdc();
    CallerClip clip(hDC);
    const bool bVertical = pBar->IsDockedVertically() != FALSE;
    CSize corner = GetBarButtonExtraSpace();
    if ((PaintManagerHolder::Get().m_wFamilyFlags & kWin9x) != 0) {
        if (corner.cx >= 1 && corner.cx <= 4)
            corner.cx += 3;
        if (corner.cy >= 1 && corner.cy <= 4)
            corner.cy += 3;
    }
    if (corner.cx >= 1 && corner.cy >= 1 && pBar->IsBarDocked()) {
        // Rounded over the whole bar, square at the near end: only the far end is rounded.
        HRGN hShape = ::CreateRoundRectRgn(rcBar.left, rcBar.top, rcBar.right, rcBar.bottom, corner.cx, corner.cy);
        HRGN hNear = bVertical ? ::CreateRectRgn(rcBar.left, rcBar.top, rcBar.right - 1, rcBar.top + corner.cy + 2)
                               : ::CreateRectRgn(rcBar.left, rcBar.top, rcBar.left + corner.cx + 2, rcBar.bottom - 1);
        ::CombineRgn(hShape, hShape, hNear, RGN_OR);
        IntersectClipWithRegion(hDC, hShape);
        ::DeleteObject(hNear);
        ::DeleteObject(hShape);
    }
    if (!PaintSchemeGradient(hDC, rcBar, 0.75, 0.65, -0.22, !bVertical))
        PaintPlainToolBarGradient(hDC, rcBar, bVertical);
    if (m_nExtraColorId != -1) {
        CRect rcLine = bVertical ? CRect(rcBar.right - 1, rcBar.top, rcBar.right, rcBar.bottom - 2)
                                 : CRect(rcBar.left, rcBar.bottom - 1, rcBar.right - 2, rcBar.bottom);
        FillSolidRect(hDC, rcLine, GetColor(m_nExtraColorId));
    }
}

void CUiPaintManagerOffice2003::PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2)
{
    if (GetScreenBitsPerPixel() <= 8) {
        CUiPaintManagerXP::PaintSizeGrip(dc, rc, dwValue1, dwValue2);
        return;
    }
    if (PaintsNothing(dc, rc))
        return;
    static const CSize kDot(2, 2);
    static const CSize kShadow(1, 1);
    static const CSize kGap(1, 1);
    const int nPitchX = kDot.cx + kShadow.cx + kGap.cx;
    const int nPitchY = kDot.cy + kShadow.cy + kGap.cy;
    HDC hDC = dc.GetSafeHdc();
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 3 - col; ++row) {
            const int x = rc.right - kDot.cx - col * nPitchX;
            const int y = rc.bottom - kDot.cy - row * nPitchY;
            FillSolidRect(hDC, CRect(x, y, x + kDot.cx, y + kDot.cy), GetColor(3002));
            FillSolidRect(hDC, CRect(x - kShadow.cx, y - kShadow.cy, x - kShadow.cx + kDot.cx, y - kShadow.cy + kDot.cy),
                          GetColor(3003));
        }
    }
}

void CUiPaintManagerOffice2003::PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM)
{
    if (pButton == nullptr || GetScreenBitsPerPixel() <= 8)
        return;
    CRect rc = pButton->GetRect();
    rc.DeflateRect(1, 1);
    FillGradientRect(dc.GetSafeHdc(), rc, GetColor(3016), GetColor(3015), TRUE, 256);
    CUiToolControlBar* pBar = pButton->GetBar();
    if (!pButton->IsKindOf(RUNTIME_CLASS(CUiBarColorButton)) && !pButton->IsPressed() && pBar != nullptr &&
        pBar->IsDockedVertically()) {
        HBRUSH hBrush = ::CreateSolidBrush(GetColor(2004));
        ::FrameRect(dc.GetSafeHdc(), &rc, hBrush);
        ::DeleteObject(hBrush);
    }
}

void CUiPaintManagerOffice2003::PaintToolBarExtras(CDC& dc, CUiToolControlBar*, int, const CRect& rcRow)
{
    if (GetScreenBitsPerPixel() > 8)
        FillGradientRect(dc.GetSafeHdc(), rcRow, GetColor(3016), GetColor(3010), FALSE, 256);
}

void CUiPaintManagerStudio2005::PaintToolBarShade(CDC& dc, CUiBarButton* pButton, LPARAM lParam)
{
    if (PaintManagerHolder::Get().m_nScheme == kSchemeSilver)
        CUiPaintManagerOffice2003::PaintToolBarShade(dc, pButton, lParam);
}
