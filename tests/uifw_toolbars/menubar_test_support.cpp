#include "menubar_test_support.h"

#include "cmdmanager.h"
#include "dockbar.h"

namespace mbtest {

MSG KeyMsg(HWND hWnd, UINT nMessage, UINT vk, bool bAlt)
{
    const bool bUp = nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP;
    MSG msg = {hWnd, nMessage, vk, winharness::KeyLParam(vk, bUp, bAlt), 0, {0, 0}};
    if (bAlt)
        msg.lParam |= 1 << 29;
    else
        msg.lParam &= ~(LPARAM)(1 << 29);
    return msg;
}

void CloseMenus()
{
    winharness::PumpPending();
    CUiToolControlBar::EndAllBarMenuTracking();
    CUiPopupMenuWnd::CloseTrackedMenus();
    winharness::PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); });
    winharness::PumpPending();
}

bool MessageRecorder::Saw(UINT nMessage) const
{
    for (UINT n : messages)
        if (n == nMessage)
            return true;
    return false;
}

// ---- SDI.

MenuBarFixture::MenuBarFixture()
{
    CUiMenuControlBar::g_bAltKeyConsumed = false;
    CUiToolControlBar::g_bMenuExpanded = false;
}

MenuBarFixture::~MenuBarFixture()
{
    CloseMenus();
}

HMENU MakeFrameMenu(bool bWithWindow)
{
    HMENU hMenu = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, tbtest::kMenuFirst, "&First\tCtrl+F");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, tbtest::kMenuSecond, "Second");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
    if (bWithWindow) {
        HMENU hWindow = ::CreatePopupMenu();
        ::AppendMenuA(hWindow, MF_STRING, tbtest::kSave, "Save");
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hWindow, "&Window");
    }
    return hMenu;
}

CUiMenuControlBar* MenuBarFixture::MakeMenuBar(HMENU hMenu)
{
    ::SetMenu(hFrame, hMenu != NULL ? hMenu : MakeFrameMenu());
    pMenuBar = new CUiMenuControlBar;
    bars.push_back(pMenuBar);
    EXPECT_TRUE(pMenuBar->Create("Menu bar", pFrame, AFX_IDW_CONTROLBAR_FIRST + 10,
                                 WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC));
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pMenuBar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    pMenuBar->CalcButtonLayout();
    winharness::PumpPending();
    return pMenuBar;
}

CUiToolControlBar* MenuBarFixture::MakeSecondBar()
{
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    const CString strProfile = pManager->ProfileFindByWindow(hFrame)->GetName();
    CUiCmdItem* pTools = pManager->CmdAllocPtr(strProfile, kTools);
    pTools->m_strToolbarText = pTools->m_strMenuText = "&Tools";
    CUiCmdItem* pRun = pManager->CmdAllocPtr(strProfile, kRun);
    pRun->m_strToolbarText = pRun->m_strMenuText = "&Run";
    CUiToolControlBar* pBar = MakeBar({kTools, kRun});
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, tbtest::kMenuSecond, "Second");
    pBar->SetButtonMenu(0, hMenu, false, true, true);
    pFrame->RecalcLayout();
    winharness::PumpPending();
    return pBar;
}

bool MenuBarFixture::Key(UINT nMessage, UINT vk, bool bAlt)
{
    MSG msg = KeyMsg(::GetFocus(), nMessage, vk, bAlt);
    const bool bConsumed = pMenuBar->TranslateMenuKey(&msg);
    winharness::PumpPending();
    return bConsumed;
}

// ---- MDI.

namespace {

const char kMdiProfile[] = "menubar-mdi";

} // namespace

BOOL MdiFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    commands.push_back(LOWORD(wParam));
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

MdiFixture::MdiFixture()
{
    CUiMenuControlBar::g_bAltKeyConsumed = false;
    pFrame = new MdiFrame;
    pFrame->Create(NULL, "MDI menu bar", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480));
    hFrame = pFrame->GetSafeHwnd();
    hClient = pFrame->m_hWndMDIClient;
    EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall(kMdiProfile, hFrame);
    for (UINT id : {tbtest::kMenuFirst, tbtest::kMenuSecond, tbtest::kSave})
        pManager->CmdAllocPtr(kMdiProfile, id)->m_strMenuText = "Item";
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    pFrame->SetActiveWindow();
    winharness::PumpPending();
}

MdiFixture::~MdiFixture()
{
    CloseMenus();
    if (pMenuBar != nullptr) {
        pMenuBar->DestroyWindow();
        delete pMenuBar;
    }
    if (::IsWindow(hFrame))
        ::DestroyWindow(hFrame);
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(hFrame, true);
    winharness::PumpPending();
}

CUiMenuControlBar* MdiFixture::MakeMenuBar(CUiMenuControlBar* pBar, HMENU hMenu)
{
    ::SetMenu(hFrame, hMenu != NULL ? hMenu : MakeFrameMenu());
    pMenuBar = pBar != nullptr ? pBar : new CUiMenuControlBar;
    EXPECT_TRUE(pMenuBar->Create("Menu bar", pFrame, AFX_IDW_CONTROLBAR_FIRST + 10,
                                 WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC));
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pMenuBar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    winharness::PumpPending();
    return pMenuBar;
}

CMDIChildWnd* MdiFixture::AddChild(LPCSTR lpszTitle, DWORD dwStyle)
{
    CMDIChildWnd* pChild = new CMDIChildWnd;
    pChild->Create(NULL, lpszTitle, dwStyle, CFrameWnd::rectDefault, pFrame);
    winharness::PumpPending();
    return pChild;
}

void MdiFixture::Maximize(CMDIChildWnd* pChild)
{
    ::SendMessage(hClient, WM_MDIMAXIMIZE, (WPARAM)pChild->GetSafeHwnd(), 0);
    winharness::PumpPending();
}

void MdiFixture::Restore(CMDIChildWnd* pChild)
{
    ::SendMessage(hClient, WM_MDIRESTORE, (WPARAM)pChild->GetSafeHwnd(), 0);
    winharness::PumpPending();
}

CUiCmdItem* MdiFixture::Item(UINT id)
{
    return CmdManagerHolder::GetStoredHandle()->CmdGetPtr(kMdiProfile, id);
}

} // namespace mbtest
