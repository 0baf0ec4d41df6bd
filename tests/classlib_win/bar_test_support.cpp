#include "bar_test_support.h"
#include "winharness.h"

BOOL CFixedBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID, CSize size)
{
    m_size = size;
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE | (dwStyle & ~CBRS_ALL), CRect(0, 0, 0, 0), pParent, nID);
}

CSize CFixedBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : m_size.cx, bStretch && !bHorz ? 32767 : m_size.cy);
}

INT_PTR CFixedBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CRect rect;
    GetClientRect(&rect);
    if (m_nHit < 0 || point.x >= rect.Width() / 2 || !rect.PtInRect(point))
        return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)m_nHit;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return m_nHit;
}

void CFixedBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    m_nPosFlags |= lpwndpos->flags;
    CControlBar::OnWindowPosChanged(lpwndpos);
}

BEGIN_MESSAGE_MAP(CFixedBar, CControlBar)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND_EX_RANGE(ID_TEST_BAR_FIRST, ID_TEST_BAR_LAST, OnBarCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEST_BAR_FIRST, ID_TEST_BAR_LAST, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CBarFrame* MakeBarFrame(CWnd& view)
{
    CBarFrame* pFrame = new CBarFrame;
    if (!pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 420)))
        return nullptr;
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->SetWindowPos(&CWnd::wndTop, 20, 20, 400 + rcWindow.Width() - rcClient.Width(),
                         300 + rcWindow.Height() - rcClient.Height(), SWP_NOACTIVATE);
    view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    pFrame->ShowWindow(SW_SHOWNA);
    winharness::PumpPending();
    return pFrame;
}

CRect ChildRect(CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    pChild->GetParent()->ScreenToClient(&rect);
    return rect;
}
