// The toolbar's client area: background, the look's row decoration, buttons and separators,
// all drawn off screen and copied once; and the open button drawn again on its menu.
#include "menucontrolbar.h"
#include "toolcontrolbar.h"

#include <algorithm>

#include "memorydc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

void CUiToolControlBar::DoPaint(CDC* pDC)
{
    // The panes of a tab group lie one upon another and each is sent its paint: behind the
    // selected one nothing drawn would show, and a first paint makes an icon for every button.
    CRect rcClip;
    if (pDC->GetClipBox(&rcClip) == NULLREGION)
        return;
    ExcludeChildWindowsFromClip(pDC->GetSafeHdc(), GetSafeHwnd(), nullptr, 0);
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    CRect rcClient;
    GetClientRect(&rcClient);
    {
        CUiMemoryDC dc;
        dc.BeginOffscreen(pDC, rcClient, CUiMemoryDC::kUseOffscreen | CUiMemoryDC::kFillBackground);
        PaintClientBackground(dc, rcClient);
        dc.SetTextColor(pPaint->GetColor(1010));
        dc.SetBkMode(TRANSPARENT);
        const bool bAligned = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        CFont* pFont = GetButtonFont(!bAligned && !m_bNoContentExpand);
        HGDIOBJ hOldFont =
            pFont != nullptr && pFont->GetSafeHandle() != NULL ? dc.SelectObject(pFont->GetSafeHandle()) : NULL;
        const int nMode = GetLayoutMode();
        const int nCount = GetButtonsCount();
        auto takesPart = [&](int i) { return m_arrButtons[i]->IsVisible() && IsButtonInLayout(i); };

        if (pPaint->IsToolBarThemedFrame(this)) {
            CRect rcRow(rcClient.left, rcClient.top, rcClient.right, rcClient.top);
            auto paintRow = [&](int nIndex) {
                if (!rcRow.IsRectEmpty() && dc.RectVisible(&rcRow))
                    pPaint->PaintToolBarExtras(dc, this, nIndex, rcRow);
            };
            for (int i = 0; i < nCount; ++i) {
                if (!takesPart(i))
                    continue;
                CUiBarButton* pButton = m_arrButtons[i];
                if (!pButton->IsSeparator()) {
                    const CRect rc = pButton->GetRect();
                    rcRow.top = std::min<int>(rcRow.top, rc.top);
                    rcRow.bottom = std::max<int>(rcRow.bottom, rc.bottom);
                }
                if (pButton->GetWrap(nMode) && bAligned) {
                    paintRow(i);
                    rcRow.top = rcRow.bottom + 1;
                    rcRow.bottom = rcRow.top;
                }
            }
            paintRow(nCount);
        }

        const bool bHorz = bAligned || m_bNoContentExpand;
        const int nGap = pPaint->GetFixedBarPadding(this);
        for (int i = 0; i < nCount; ++i) {
            CUiBarButton* pButton = m_arrButtons[i];
            const CRect rcButton = pButton->GetRect();
            if (!takesPart(i) || !dc.RectVisible(&rcButton))
                continue;
            if (!pButton->IsSeparator()) {
                pButton->Paint(dc, bHorz);
                continue;
            }
            bool bFlag = bHorz;
            CRect rc = rcButton;
            if (!bHorz && !IsContentExpandAllowed()) {
                bFlag = true;
                rc.OffsetRect(0, -rcButton.Height());
            }
            if (pButton->GetWrap(nMode)) {
                if (bFlag)
                    rc = CRect(rcClient.left, rc.bottom, rcClient.right, rc.bottom + nGap);
                else
                    rc = CRect(rc.left - nGap, rcClient.top, rc.left, rcClient.bottom);
                if (nGap == 0)
                    continue;
                bFlag = !bFlag;
            }
            if (bFlag)
                rc.DeflateRect(0, 1);
            else
                rc.DeflateRect(1, 0);
            pPaint->PaintSeparator(dc, rc, bFlag, TRUE, this, 0);
        }
        if (hOldFont != NULL)
            dc.SelectObject(hOldFont);
    }
    pPaint->EndPaintSession(this, 0);
}

void CUiToolControlBar::InvalidateButton(int nIndex)
{
    CUiBarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || GetSafeHwnd() == NULL)
        return;
    CRect rc = pButton->GetRect();
    if (rc.IsRectEmpty())
        return;
    if (pButton == m_pContentExpandButton) {
        CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
        if (pPaint->HasThemedBackground(this, 0)) {
            const CSize sizeExtra = pPaint->GetBarButtonExtraSpace();
            rc.InflateRect(sizeExtra.cx + 1, sizeExtra.cy + 1);
        }
    }
    InvalidateRect(&rc, TRUE);
}

void CUiToolControlBar::PaintTrackedButtonCallback(LPVOID pCookie, CDC& dc, CWnd* pPopup, const RECT& rc, int)
{
    CUiToolControlBar* pBar = static_cast<CUiToolControlBar*>(pCookie);
    if (pBar == nullptr || ::IsRectEmpty(&rc) || pBar->m_nMenuTrackingIndex < 0)
        return;
    CUiBarButton* pButton = pBar->GetButton(pBar->m_nMenuTrackingIndex);
    if (pButton == nullptr || pPopup == nullptr)
        return;
    CUiPaintManager* pPaint = PaintManagerHolder::Get().GetStoredHandle();
    if (pPaint->HasThemedBackground(pBar, 0) && pButton == pBar->m_pContentExpandButton &&
        !pBar->IsKindOf(RUNTIME_CLASS(CUiMenuControlBar)) && !(pBar->m_bBarFlags & kContained) &&
        dc.GetDeviceCaps(BITSPIXEL) > 8)
        return;
    const DWORD dwStyle = pButton->GetStyle();
    const bool bHover = pButton->IsHover();
    const bool bTrackingPressed = pButton->IsTrackingPressed();
    // The tracking-pressed look counts as hover too: the part on the menu is drawn plain.
    pButton->SetHover(false);
    pButton->ClearTrackingPressed();
    pButton->ModifyStyle(0, TBBS_CHECKED | TBBS_PRESSED | TBBS_CHECKBOX);
    CPoint ptBar(0, 0), ptPopup(0, 0);
    pBar->ClientToScreen(&ptBar);
    pPopup->ClientToScreen(&ptPopup);
    const CPoint ptOld = dc.SetViewportOrg(ptBar.x - ptPopup.x, ptBar.y - ptPopup.y);
    pPaint->PaintToolBarShade(dc, pButton, 0);
    pButton->Paint(dc, !pBar->IsDockedVertically());
    dc.SetViewportOrg(ptOld);
    pButton->SetHover(bHover);
    if (bTrackingPressed)
        pButton->SetTrackingPressed();
    pButton->SetStyle(dwStyle);
}
