#include "popupmenutipwnd.h"

#include "monitorinfo.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiPopupMenuTipWnd, CUiPopupBaseWnd)

namespace {

CUiPaintManager* PaintManager()
{
    return PaintManagerHolder::Get().GetStoredHandle();
}

}  // namespace

CUiPopupMenuTipWnd::CUiPopupMenuTipWnd()
    : m_cxIcon(16), m_cyIcon(16), m_hIcon(::LoadIconA(NULL, (LPCSTR)IDI_INFORMATION))
{
    // A tip is always painted directly, never animated.
    m_nAnimation = 0;
    m_bAnimFlags |= 1;
}

CUiPopupMenuTipWnd::~CUiPopupMenuTipWnd()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

void CUiPopupMenuTipWnd::SetText(LPCSTR lpszText)
{
    m_strText = lpszText != nullptr ? lpszText : "";
    m_strText.Trim();
}

BOOL CUiPopupMenuTipWnd::ShowTipAt(CWnd* pParent, const RECT& rcItem)
{
    if (!::IsWindow(m_hWnd)) {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_BTNFACE + 1), NULL);
        if (!CreateEx(WS_EX_TOPMOST, lpszClass, "", WS_POPUP, 0, 0, 0, 0, pParent->GetSafeHwnd(), NULL))
            return FALSE;
    }
    m_rcExclude = rcItem;
    m_rcExclude.NormalizeRect();
    m_ptTrack = CPoint(m_rcExclude.left + 6, m_rcExclude.top + 6);

    CSize szText(0, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(&PaintManager()->m_fontNormal);
        CRect rcText(0, 0, 0, 0);
        dc.DrawText(m_strText, &rcText, DT_CALCRECT);
        dc.SelectObject(pOldFont);
        szText = rcText.Size();
    }
    MonitorInfo mi;
    MonitorInfoFromWindow(mi, pParent);
    const RECT& rcArea = CUiPopupMenuWnd::g_bKeepInWorkArea ? mi.rcWork : mi.rcMonitor;
    m_shape.Layout(szText, m_hIcon != NULL ? CSize(m_cxIcon, m_cyIcon) : CSize(0, 0), m_ptTrack, rcArea);
    SetWindowRgn(m_shape.CreateRegion(), TRUE);

    const CPoint origin = m_shape.WindowOrigin(m_ptTrack, m_rcExclude.Size());
    m_ptTrack = origin + CPoint(m_shape.Width() - 12, m_shape.Height() + PopupTipShape::kPointerHeight - 10);
    const CSize size = m_shape.WindowSize();
    SetWindowPos(&CWnd::wndTopMost, origin.x, origin.y, size.cx, size.cy, SWP_NOACTIVATE);
    ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
    SetTimer(kShowTimer, kShowDelay, NULL);
    return TRUE;
}

void CUiPopupMenuTipWnd::HideTip()
{
    if (!::IsWindow(m_hWnd))
        return;
    KillTimer(kShowTimer);
    ShowWindow(SW_HIDE);
}

void CUiPopupMenuTipWnd::PaintContent(CDC& dc, BOOL)
{
    CUiPaintManager* pPaint = PaintManager();
    CBrush brFrameOuter(pPaint->GetColor(15));
    CBrush brFrameInner(pPaint->GetColor(21));
    CBrush brFill(pPaint->GetColor(24));

    CRgn rgn;
    rgn.Attach(m_shape.CreateRegion());
    dc.FillRgn(&rgn, &brFill);
    dc.FrameRgn(&rgn, &brFrameOuter, 3, 3);
    dc.FrameRgn(&rgn, &brFrameInner, 1, 1);

    CRect rcClient;
    GetClientRect(rcClient);
    CRect rcText(rcClient);
    rcText.left += 12;
    rcText.top += 10;
    if (m_hIcon != NULL)
        rcText.left += m_cxIcon + 5;
    int yIcon = 10;
    if (m_shape.Flags() & PopupTipShape::kPointerTop) {
        rcText.OffsetRect(0, PopupTipShape::kPointerHeight);
        yIcon += PopupTipShape::kPointerHeight;
    }
    CFont* pOldFont = dc.SelectObject(&pPaint->m_fontNormal);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(pPaint->GetColor(23));
    dc.DrawText(m_strText, &rcText, 0);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOldFont);
    if (m_hIcon != NULL)
        ::DrawIconEx(dc.GetSafeHdc(), 12, yIcon, m_hIcon, m_cxIcon, m_cyIcon, 0, NULL, DI_NORMAL);
}
