#include "dragstate.h"

#include "afxdc.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"

CUiControlBar::InternalDraggingState_t::InternalDraggingState_t(CUiControlBar* pBar)
    : m_bFlags(kEmpty), m_nKind(0), m_nCursorKind(0), m_nLevel(0), m_pBar(pBar), m_pTarget(nullptr), m_hTarget(NULL),
      m_nTabIndex(0)
{
    m_rect.SetRectEmpty();
}

CUiControlBar::InternalDraggingState_t::~InternalDraggingState_t()
{
}

CUiControlBar::InternalDraggingState_t& CUiControlBar::InternalDraggingState_t::operator=(
    const InternalDraggingState_t& other)
{
    if (this == &other)
        return *this;
    if (other.m_pTarget != m_pTarget)
        SetTarget(other.m_pTarget, false);
    m_bFlags = other.m_bFlags;
    m_nKind = other.m_nKind;
    m_nCursorKind = other.m_nCursorKind;
    m_nLevel = other.m_nLevel;
    m_rect = other.m_rect;
    m_pBar = other.m_pBar;
    m_pTarget = other.m_pTarget;
    m_hTarget = other.m_hTarget;
    m_nTabIndex = other.m_nTabIndex;
    return *this;
}

bool CUiControlBar::InternalDraggingState_t::IsEqual(const InternalDraggingState_t& other) const
{
    return (m_bFlags & (kEmpty | kSplit)) == (other.m_bFlags & (kEmpty | kSplit)) && m_nKind == other.m_nKind &&
           m_nLevel == other.m_nLevel && m_rect == other.m_rect && m_pBar == other.m_pBar &&
           m_pTarget == other.m_pTarget && m_nTabIndex == other.m_nTabIndex;
}

void CUiControlBar::InternalDraggingState_t::ForgetDeadTarget()
{
    if (m_pTarget != nullptr && !(::IsWindow(m_hTarget) && CWnd::FromHandlePermanent(m_hTarget) == m_pTarget)) {
        m_pTarget = nullptr;
        m_hTarget = NULL;
    }
}

CUiControlBar* CUiControlBar::InternalDraggingState_t::SetTarget(CUiControlBar* pBar, bool bSilent)
{
    ForgetDeadTarget();
    CUiControlBar* pOld = m_pTarget;
    m_pTarget = pBar;
    m_hTarget = pBar != nullptr ? pBar->GetSafeHwnd() : NULL;
    m_nTabIndex = 0;
    if (!bSilent && pOld != nullptr && pOld != pBar && pOld->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)) &&
        ::IsWindow(pOld->m_hWnd)) {
        CUiDynTabWnd& strip = static_cast<CUiDynTabControlBar*>(pOld)->m_wndTabs;
        if (strip.GetSafeHwnd() != NULL)
            strip.RemoveProvisionalTabs(false);
    }
    return pOld;
}

void CUiControlBar::InternalDraggingState_t::Empty(bool bEmpty)
{
    m_nCursorKind = 0;
    if (bEmpty)
        SetTarget(nullptr, false);
    const BYTE bOld = m_bFlags;
    m_bFlags = bEmpty ? (m_bFlags | kEmpty) : (m_bFlags & ~kEmpty);
    if (bOld != m_bFlags)
        m_rect.SetRectEmpty();
    m_nTabIndex = 0;
}

int CUiControlBar::InternalDraggingState_t::CalcTabIndex(int x, int y)
{
    if (m_pTarget == nullptr || !m_pTarget->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)))
        return m_nTabIndex;
    CUiDynTabWnd& strip = static_cast<CUiDynTabControlBar*>(m_pTarget)->m_wndTabs;
    const int nHit = strip.HitTestScreenPoint(x, y);
    m_nTabIndex = nHit >= 0 ? nHit : strip.ItemGetCount();
    return m_nTabIndex;
}

namespace {

CFrameWnd* TrackedAreaFrame(CUiControlBar* pSource)
{
    if (pSource == nullptr || pSource->GetSafeHwnd() == NULL)
        return nullptr;
    CFrameWnd* pFrame = pSource->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

// The outline of a tabbed group: the rectangle less its interior, the interior being the
// body above a tab band, a corner piece, the tab itself and the band right of the tab.
bool MakeTabbedOutline(CRgn& rgnOutline, const CRect& rc)
{
    const int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    const int th = rc.Height() < 36 ? rc.Height() / 2 : 18;
    CRect rcInner(rc);
    rcInner.DeflateRect(cx, cy);
    const CRect rcBody(rcInner.left, rcInner.top, rcInner.right, rcInner.bottom - th);
    const CRect rcCorner(rc.left, rc.bottom - th, rc.left + 8, rc.bottom);
    int nTabWidth = 36;
    const int nTabLeft = rc.left + 8 + cx;
    if (nTabLeft + nTabWidth > rcInner.right)
        nTabWidth = (rcInner.right - nTabLeft) / 2;
    const CRect rcTab(nTabLeft, rcCorner.top - cy, nTabLeft + nTabWidth, rcCorner.top - cy + th);
    const CRect rcRight(rcTab.right + cx, rc.bottom - th, rc.right, rc.bottom);
    CRgn rgnInterior, rgnPiece;
    if (!rgnOutline.CreateRectRgnIndirect(&rc) || !rgnInterior.CreateRectRgnIndirect(&rcBody) ||
        !rgnPiece.CreateRectRgn(0, 0, 0, 0))
        return false;
    for (const CRect* p : {&rcCorner, &rcTab, &rcRight}) {
        CRgn rgn;
        if (!rgn.CreateRectRgnIndirect(p) || rgnInterior.CombineRgn(&rgnInterior, &rgn, RGN_OR) == ERROR)
            return false;
    }
    return rgnOutline.CombineRgn(&rgnOutline, &rgnInterior, RGN_DIFF) != ERROR;
}

bool MakeFrameOutline(CRgn& rgnOutline, const CRect& rc)
{
    CRect rcInner(rc);
    rcInner.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    CRgn rgnInner;
    return rgnOutline.CreateRectRgnIndirect(&rc) && rgnInner.CreateRectRgnIndirect(&rcInner) &&
           rgnOutline.CombineRgn(&rgnOutline, &rgnInner, RGN_DIFF) != ERROR;
}

} // namespace

void DrawTrackedArea(DrawTrackedAreaData& data)
{
    data.m_bFlags &= ~DrawTrackedAreaData::kHandled;
    if (CFrameWnd* pFrame = TrackedAreaFrame(data.m_pSource))
        pFrame->SendMessage(CUiControlBar::g_nMsgDrawTackedArea, (WPARAM)&data, 0);
    if ((data.m_bFlags & DrawTrackedAreaData::kHandled) || data.m_pDC == nullptr)
        return;
    CDC& dc = *data.m_pDC;
    CRgn rgnOutline;
    const bool bClipped = data.m_nShape == 2 || data.m_nShape == 3;
    if (bClipped) {
        const bool bMade = data.m_nShape == 2 ? MakeFrameOutline(rgnOutline, data.m_rect)
                                              : MakeTabbedOutline(rgnOutline, data.m_rect);
        if (!bMade)
            return;
        dc.SelectClipRgn(&rgnOutline);
    }
    CBrush* pBrush = CDC::GetHalftoneBrush();
    CBrush* pOld = pBrush != nullptr ? dc.SelectObject(pBrush) : nullptr;
    dc.PatBlt(data.m_rect.left, data.m_rect.top, data.m_rect.Width(), data.m_rect.Height(), PATINVERT);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    if (bClipped)
        dc.SelectClipRgn(nullptr);
}
