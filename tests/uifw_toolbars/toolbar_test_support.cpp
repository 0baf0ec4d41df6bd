#include "toolbar_test_support.h"

#include "popupmenuwnd.h"

namespace tbtest {

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(kOpen, OnHandled)
    ON_COMMAND(kSave, OnHandled)
    ON_COMMAND(kAmpersand, OnHandled)
    ON_COMMAND(kMenuFirst, OnHandled)
    ON_COMMAND(kMenuSecond, OnHandled)
    ON_COMMAND_RANGE(kIconFirst, kIconFirst + 9, OnHandledRange)
    ON_UPDATE_COMMAND_UI(kOpen, OnUpdateOpen)
    ON_UPDATE_COMMAND_UI(kSave, OnUpdateSave)
END_MESSAGE_MAP()

BOOL TestFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    commands.push_back(LOWORD(wParam));
    return CFrameWnd::OnCommand(wParam, lParam);
}

void TestFrame::OnUpdateOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(bOpenEnabled);
}

void TestFrame::OnUpdateSave(CCmdUI* pCmdUI)
{
    if (nSaveCheck >= 0)
        pCmdUI->SetCheck(nSaveCheck);
}

HICON MakeIcon(COLORREF clr)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    RECT rc = {0, 0, 16, 16};
    ::FillRect(hDC, &rc, hBrush);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBrush);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

namespace {

const char kProfile[] = "toolbar-test";

void AddCommand(UINT id, LPCSTR lpszText, LPCSTR lpszTip = "", LPCSTR lpszAccel = "")
{
    CUiCmdItem* pItem = CmdManagerHolder::GetStoredHandle()->CmdAllocPtr(kProfile, id);
    pItem->m_strToolbarText = lpszText;
    pItem->m_strMenuText = lpszText;
    pItem->m_strTipTool = lpszTip;
    pItem->m_strAccelText = lpszAccel;
}

} // namespace

ToolBarFixture::ToolBarFixture()
{
    pFrame = new TestFrame;
    pFrame->Create(NULL, "Toolbar", WS_OVERLAPPEDWINDOW, CRect(30, 30, 730, 430));
    hFrame = pFrame->GetSafeHwnd();
    CWnd* pView = new CWnd;
    pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall(kProfile, hFrame);
    AddCommand(kOpen, "", "Open", "Ctrl+O");
    pManager->CmdSetIcon(kProfile, kOpen, MakeIcon(RGB(0, 0, 255)), false);
    AddCommand(kSave, "Save");
    AddCommand(kClose, "Close");
    AddCommand(kAmpersand, "A&&B");
    AddCommand(kMenuFirst, "First");
    AddCommand(kMenuSecond, "Second");
    for (UINT i = 0; i < 10; ++i) {
        AddCommand(kIconFirst + i, "");
        pManager->CmdSetIcon(kProfile, kIconFirst + i, MakeIcon(RGB(0, 128, 0)), false);
    }
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    pFrame->SetActiveWindow();
    winharness::PumpPending();
}

ToolBarFixture::~ToolBarFixture()
{
    CUiToolControlBar::EndAllBarMenuTracking();
    CUiPopupMenuWnd::CloseTrackedMenus();
    winharness::PumpPending();
    for (CUiToolControlBar* pBar : bars) {
        pBar->DestroyWindow();
        delete pBar;
    }
    if (::IsWindow(hFrame))
        ::DestroyWindow(hFrame);
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(hFrame, true);
    winharness::PumpPending();
}

CUiToolControlBar* ToolBarFixture::MakeBar(const std::vector<UINT>& ids, UINT nDockBarId, DWORD dwExtraStyle)
{
    CUiToolControlBar* pBar = new CUiToolControlBar;
    bars.push_back(pBar);
    const DWORD dwAlign = nDockBarId == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_ALIGN_BOTTOM
                          : nDockBarId == AFX_IDW_DOCKBAR_LEFT ? CBRS_ALIGN_LEFT
                          : nDockBarId == AFX_IDW_DOCKBAR_RIGHT ? CBRS_ALIGN_RIGHT
                                                                : CBRS_ALIGN_TOP;
    EXPECT_TRUE(pBar->Create("Test bar", pFrame, 0xB100 + (UINT)bars.size(),
                             WS_CHILD | WS_VISIBLE | dwAlign | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC | dwExtraStyle));
    pBar->SetButtonList(ids.empty() ? nullptr : ids.data(), (int)ids.size());
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, nDockBarId);
    pFrame->RecalcLayout();
    pBar->CalcButtonLayout();
    winharness::PumpPending();
    return pBar;
}

CUiCmdItem* ToolBarFixture::Item(UINT id)
{
    return CmdManagerHolder::GetStoredHandle()->CmdGetPtr(kProfile, id);
}

void ToolBarFixture::Mouse(CUiToolControlBar* pBar, UINT nMsg, CPoint pt, UINT nFlags)
{
    CPoint ptScreen(pt);
    pBar->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    winharness::SendMouse(pBar->GetSafeHwnd(), nMsg, pt.x, pt.y, nFlags);
}

CPoint ToolBarFixture::Outside(CUiToolControlBar* pBar)
{
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    CPoint pt(rcWindow.left + 4, rcWindow.bottom + 60);   // over the view
    pBar->ScreenToClient(&pt);
    return pt;
}

BarFontDC::BarFontDC(CWnd* pWnd, bool bVertical)
    : m_hWnd(pWnd->GetSafeHwnd()), m_hDC(::GetDC(pWnd->GetSafeHwnd())), m_hOld(NULL)
{
    CFont* pFont = CUiToolControlBar::GetButtonFont(bVertical);
    if (pFont != nullptr)
        m_hOld = ::SelectObject(m_hDC, pFont->GetSafeHandle());
}

BarFontDC::~BarFontDC()
{
    if (m_hOld != NULL)
        ::SelectObject(m_hDC, m_hOld);
    ::ReleaseDC(m_hWnd, m_hDC);
}

CSize BarFontDC::Measure(LPCSTR lpszText)
{
    RECT rc = {0, 0, 0, 0};
    ::DrawTextA(m_hDC, lpszText, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

} // namespace tbtest
