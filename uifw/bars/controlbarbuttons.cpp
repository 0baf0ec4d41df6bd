// The control bar's side of its caption buttons: making them, laying them out after one
// another, hit-testing, painting and clicking them, and the caption text they narrow.
#include "controlbar.h"

#include "dragstate.h"
#include "minidockframewnd.h"
#include "ncareabutton.h"
#include "popupmenuwnd.h"
#include "tabwnd.h"

#include <algorithm>

void CUiControlBar::CreateNcAreaButtons()
{
    if (m_arrNcButtons.GetSize() > 0)
        return;
    m_arrNcButtons.Add(new CUiBarNcAreaButtonClose(this));
    m_arrNcButtons.Add(new CUiBarNcAreaButtonAutoHide(this));
    m_arrNcButtons.Add(new CUiBarNcAreaButtonMenu(this));
}

void CUiControlBar::LayoutNcAreaButtons()
{
    CUiBarNcAreaButton* pPrevious = nullptr;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CUiBarNcAreaButton* pButton = m_arrNcButtons[i];
        pButton->LayoutInCaption(pPrevious);
        if (pButton->IsButtonVisible())
            pPrevious = pButton;
    }
}

void CUiControlBar::ReleaseNcAreaButtons()
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i)
        m_arrNcButtons[i]->Release();
    m_arrNcButtons.RemoveAll();
}

CWnd* CUiControlBar::NcButtonsWindow() const
{
    if (GetSafeHwnd() == NULL)
        return nullptr;
    if (IsAutoHidden()) {
        CUiDynAutoHideSlider* pSlider = CUiDynAutoHideSlider::FromBar(const_cast<CUiControlBar*>(this));
        return pSlider != nullptr && pSlider->ShowsBar(this) ? pSlider : nullptr;
    }
    if (!IsBarFloating())
        return const_cast<CUiControlBar*>(this);
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)) ? pFrame : nullptr;
}

UINT CUiControlBar::NcButtonsHitTest(CPoint ptScreen, CUiBarNcAreaButton** ppButton)
{
    if (ppButton != nullptr)
        *ppButton = nullptr;
    CWnd* pWnd = NcButtonsWindow();
    if (pWnd == nullptr || GetBarBeingDragged() != nullptr || CUiPopupMenuWnd::IsTrackingMenu())
        return HTCLIENT;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const CPoint pt = ptScreen - rcWindow.TopLeft();
    const bool bBusy = (m_bTrackFlags & (kRowResizing | kRowSplitting | kDragging)) != 0;
    UINT nAnswer = HTCLIENT;
    bool bRepaint = false;
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CUiBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (!pButton->IsButtonVisible())
            continue;
        if ((pButton->m_bFlags & (CUiBarNcAreaButton::kHover | CUiBarNcAreaButton::kPressed)) && ppButton == nullptr) {
            bRepaint = true;
            if (bBusy) {
                pButton->m_bFlags &= ~(CUiBarNcAreaButton::kHover | CUiBarNcAreaButton::kPressed);
                continue;
            }
        }
        const UINT nHit = pButton->NcHitTest(pt);
        if (nHit == HTCLIENT)
            continue;
        if (ppButton != nullptr) {
            *ppButton = pButton;
            return nHit;
        }
        nAnswer = nHit;
        bRepaint = true;
    }
    if (bRepaint)
        pWnd->SendMessage(WM_NCPAINT);
    return nAnswer;
}

void CUiControlBar::PaintNcAreaButtons(CDC& dc)
{
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        if (m_arrNcButtons[i]->IsButtonVisible())
            m_arrNcButtons[i]->Paint(dc);
    }
}

bool CUiControlBar::ClickNcAreaButtons(CPoint ptScreen)
{
    CWnd* pWnd = NcButtonsWindow();
    if (pWnd == nullptr)
        return false;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const CPoint pt = ptScreen - rcWindow.TopLeft();
    for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
        CUiBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (pButton->IsButtonVisible() && pButton->OnClick(pt))
            return true;
    }
    return false;
}

void CUiControlBar::AdjustCaptionTextRect(CRect& rcText)
{
    bool bAcross = false, bLeft = false;
    if (m_arrNcButtons.GetSize() == 0 || (!IsBarFloating() && !QueryGripperLayout(bAcross, bLeft)))
        return;
    for (INT_PTR i = m_arrNcButtons.GetSize() - 1; i >= 0; --i) {
        CUiBarNcAreaButton* pButton = m_arrNcButtons[i];
        if (!pButton->IsButtonVisible())
            continue;
        if (bLeft && IsDockedHorizontally()) {
            rcText.top = std::min<LONG>(pButton->m_rc.bottom + 1, rcText.bottom);
        } else {
            rcText.right = pButton->m_rc.left - 1;
            if (rcText.left > rcText.right)
                rcText.left = rcText.right;
        }
        return;
    }
}
