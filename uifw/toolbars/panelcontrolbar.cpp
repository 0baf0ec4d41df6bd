#include "panelcontrolbar.h"

#include "memorydc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"

IMPLEMENT_DYNCREATE(CUiPanelControlBar, CUiToolControlBar)

BEGIN_MESSAGE_MAP(CUiPanelControlBar, CUiToolControlBar)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

// The look's plain background behind the child.
const int kPanelBackgroundColor = 1000;

} // namespace

CUiPanelControlBar::CUiPanelControlBar()
{
    ::SetRect(&m_rcMargins, 5, 5, 5, 5);
    m_bNoContentExpand = 1;
    // The child keeps its own size: the control bar would stretch it over the client area.
    m_bTrackFlags &= ~kChildFills;
}

CUiPanelControlBar::~CUiPanelControlBar()
{
}

CSize CUiPanelControlBar::GetChildSize() const
{
    if (GetSafeHwnd() == NULL)
        return CSize(0, 0);
    const HWND hChild = ::GetWindow(GetSafeHwnd(), GW_CHILD);
    if (hChild == NULL)
        return CSize(0, 0);
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

CSize CUiPanelControlBar::CalcPanelSize(int) const
{
    const CSize sizeChild = GetChildSize();
    return CSize(sizeChild.cx + m_rcMargins.left + m_rcMargins.right,
                 sizeChild.cy + m_rcMargins.top + m_rcMargins.bottom);
}

CSize CUiPanelControlBar::CalcSizeForDockMode(int nMode) const
{
    return CalcPanelSize(nMode);
}

int CUiPanelControlBar::GetMinExtentHorz() const
{
    return CalcSizeForDockMode(kDockedHorz).cx;
}

int CUiPanelControlBar::GetMinExtentVert() const
{
    return CalcSizeForDockMode(kDockedVert).cy;
}

CSize CUiPanelControlBar::GetDefaultFloatSize() const
{
    return CalcSizeForDockMode(kFloating);
}

CSize CUiPanelControlBar::GetDockedSize(bool bHorz) const
{
    return CalcSizeForDockMode(bHorz ? kDockedHorz : kDockedVert);
}

CSize CUiPanelControlBar::CalcLayoutExtent(DWORD, int)
{
    CSize extra(0, 0);
    const bool bFloating = IsBarFloating() != FALSE;
    if (!bFloating) {
        extra = CSize(2, 2);
        bool bAcross = false, bLeft = false;
        if (QueryGripperLayout(bAcross, bLeft)) {
            if (bAcross)
                extra.cy = m_nCaptionTop + 2;
            else
                extra.cx = m_nCaptionLeft + 2;
        }
    }
    CSize size(20 + extra.cx, 20 + extra.cy);
    if (bFloating) {
        size = CalcSizeForDockMode(kFloating) + extra;
        m_sizeFloat = size;
    } else if (IsDockedHorizontally()) {
        size = CalcSizeForDockMode(kDockedHorz) + extra;
        m_sizeHorz = size;
    } else if (IsDockedVertically()) {
        size = CalcSizeForDockMode(kDockedVert) + extra;
        m_sizeVert = size;
    }
    // Not yet docked: the class library gives every bar of a frame its dock site when it is
    // created, so the dock bar tells.
    if (m_pDockBar == nullptr) {
        if (IsDockedHorizontally() || (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)))
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

CSize CUiPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CalcLayoutExtent((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
    RecalcNcFrame();
    return size;
}

CSize CUiPanelControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nLength == -1 && !(nMode & (LM_MRUWIDTH | LM_COMMIT)) && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcLayoutExtent(nMode, nLength);
}

void CUiPanelControlBar::RepositionChild(bool bRepaint)
{
    if (GetSafeHwnd() == NULL)
        return;
    const HWND hChild = ::GetWindow(GetSafeHwnd(), GW_CHILD);
    if (hChild == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CPoint ptPlace(rcClient.left + m_rcMargins.left, rcClient.top + m_rcMargins.top);
    CRect rcChild;
    ::GetWindowRect(hChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild.TopLeft() == ptPlace)
        return;
    ::MoveWindow(hChild, ptPlace.x, ptPlace.y, rcChild.Width(), rcChild.Height(), bRepaint);
}

void CUiPanelControlBar::OnSize(UINT nType, int cx, int cy)
{
    CUiToolControlBar::OnSize(nType, cx, cy);
    RepositionChild(true);
}

void CUiPanelControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CUiToolControlBar::OnWindowPosChanged(lpwndpos);
    RepositionChild(true);
}

void CUiPanelControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CUiControlBar::OnSetFocus(pOldWnd);
    const HWND hChild = ::GetWindow(GetSafeHwnd(), GW_CHILD);
    if (hChild != NULL)
        ::SetFocus(hChild);
}

void CUiPanelControlBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CUiMemoryDC dc(&dcPaint, &rcClient);
    if (::GetWindow(GetSafeHwnd(), GW_CHILD) != NULL)
        ExcludeChildWindowsFromClip(dc.GetSafeHdc(), GetSafeHwnd(), nullptr, 0);
    CUiPaintManager* pPM = PaintManagerHolder::Get().GetStoredHandle();
    if (!pPM->HasThemedBackground(this, 0) || !pPM->PaintThemedBackground(dc, this, 0))
        dc.FillSolidRect(rcClient, pPM->GetColor(kPanelBackgroundColor));
    dc.SelectClipRgn(nullptr);
}
