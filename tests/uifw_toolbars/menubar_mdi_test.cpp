// The menu bar on the class library's MDI frame: deferred updates and rebuilds, the hooks on
// the MDI client and the active child, the window list popup, the MDI client's menu, the
// bars menu of the client, the ring of system menus and the buttons of a maximised child.
#include <gtest/gtest.h>

#include "menubar_test_support.h"
#include "paintmanagerholder.h"
#include "windowsversion.h"

using namespace mbtest;

namespace {

// Counts the deferred updates that run on their own (not inside a rebuild) and the rebuilds.
class CountingMenuBar : public CUiMenuControlBar {
public:
    int nUpdates = 0;
    int nRebuilds = 0;
    bool bForceMdi = false;
    bool IsMdiMode() const override { return bForceMdi || CUiMenuControlBar::IsMdiMode(); }
    bool DoDeferredMenuUpdate() override
    {
        if (m_nDepth == 0)
            ++nUpdates;
        return CUiMenuControlBar::DoDeferredMenuUpdate();
    }
    bool UpdateMenuBarImpl(bool bRecalcLayout) override
    {
        ++nRebuilds;
        ++m_nDepth;
        const bool bResult = CUiMenuControlBar::UpdateMenuBarImpl(bRecalcLayout);
        --m_nDepth;
        return bResult;
    }

private:
    int m_nDepth = 0;
};

class MdiMenuBar : public MdiFixture {
protected:
    CUiBarButton* First() { return pMenuBar->GetButton(0); }
    CUiBarButton* Last() { return pMenuBar->GetButton(pMenuBar->GetButtonsCount() - 1); }
    bool HasMdiButtons()
    {
        return First()->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)) &&
               Last()->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton));
    }
    CUiBarMdiRightButton* RightButton() { return static_cast<CUiBarMdiRightButton*>(Last()); }
    // The right button's parts laid out where the bar placed it.
    MdiRightButtonsInfo Parts()
    {
        MdiRightButtonsInfo info;
        pMenuBar->GetMdiRightButtonsInfo(info, RightButton(), true);
        info.LayoutInRect(RightButton()->GetRect(), true);
        return info;
    }
    static int PartSize()
    {
        return std::max(std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 18) - 2;
    }
};

TEST_F(MdiMenuBar, UpdatesRunOnceAndARebuildReplacesAPendingUpdate)
{
    CountingMenuBar* pBar = new CountingMenuBar;
    MakeMenuBar(pBar);
    CMDIChildWnd* pChild = AddChild("one");
    winharness::PumpPending();
    pBar->nUpdates = pBar->nRebuilds = 0;
    ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)pChild->GetSafeHwnd(), 0);
    ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)pChild->GetSafeHwnd(), 0);
    EXPECT_TRUE(pBar->m_bUpdatePosted);
    winharness::PumpPending();
    EXPECT_EQ(1, pBar->nUpdates);
    EXPECT_EQ(0, pBar->nRebuilds);

    pBar->nUpdates = pBar->nRebuilds = 0;
    ::SendMessage(hClient, WM_MDIACTIVATE, (WPARAM)pChild->GetSafeHwnd(), 0);
    pBar->PostDeferredButtonsRebuild();
    EXPECT_FALSE(pBar->m_bUpdatePosted);
    winharness::PumpPending();
    EXPECT_EQ(0, pBar->nUpdates);
    EXPECT_EQ(1, pBar->nRebuilds);
    EXPECT_FALSE(pBar->m_bRebuildPosted);
    // The active child is the second hooked window.
    EXPECT_EQ(pChild->GetSafeHwnd(), pBar->m_hWndHooked);
    EXPECT_TRUE(pBar->IsWindowHookedBySink(pChild->GetSafeHwnd()));

    // A plain resize of the child posts nothing; a frame change of a child that is not
    // maximised posts a rebuild.
    pChild->SetWindowPos(nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_FALSE(pBar->m_bRebuildPosted);
    pChild->SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_TRUE(pBar->m_bRebuildPosted);
}

TEST_F(MdiMenuBar, AClientMadeLaterIsHookedAtTheNextTick)
{
    CFrameWnd* pPlain = new CFrameWnd;
    pPlain->Create(NULL, "late client", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 500, 400));
    EnableFrameDocking(pPlain, CBRS_ALIGN_ANY, TRUE);
    CountingMenuBar bar;
    bar.bForceMdi = true;
    ASSERT_TRUE(bar.Create("Menu bar", pPlain, AFX_IDW_CONTROLBAR_FIRST + 10, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    EXPECT_TRUE(bar.m_bMdiMode);
    EXPECT_TRUE(bar.IsWindowHookedBySink(pPlain->GetSafeHwnd()));
    winharness::PumpFor(30);
    CLIENTCREATESTRUCT ccs = {NULL, 0xFF00};
    const HWND hLate = ::CreateWindowExA(0, "MDICLIENT", NULL, WS_CHILD | WS_VISIBLE, 0, 30, 400, 300,
                                        pPlain->GetSafeHwnd(), NULL, ::GetModuleHandleA(NULL), &ccs);
    ASSERT_NE((HWND)NULL, hLate);
    EXPECT_FALSE(bar.IsWindowHookedBySink(hLate));
    EXPECT_TRUE(winharness::PumpUntil([&] { return bar.IsWindowHookedBySink(hLate); }));
    EXPECT_EQ(hLate, bar.FindMdiClientWindow());
    // The search timer is gone.
    EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), CUiMenuControlBar::kTimerFindMdiClient));
    bar.DestroyWindow();
    pPlain->DestroyWindow();
    winharness::PumpPending();
}

TEST_F(MdiMenuBar, TheWindowListGoesToThePopupOfTheStoredText)
{
    HMENU hMenu = MakeFrameMenu();
    HMENU hLower = ::CreatePopupMenu();
    ::AppendMenuA(hLower, MF_STRING, tbtest::kSave, "Save");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hLower, "window");
    MakeMenuBar(nullptr, hMenu);
    pMenuBar->SetWindowListMenuText(" &Win&dow ");
    EXPECT_EQ("Window", pMenuBar->m_sWindowListMenuText);
    ASSERT_TRUE(pMenuBar->UpdateMenuBar(true));
    ASSERT_EQ(5, pMenuBar->GetButtonsCount());
    EXPECT_FALSE(pMenuBar->GetButton(0)->IsAppendMdiWindows());
    EXPECT_TRUE(pMenuBar->GetButton(3)->IsAppendMdiWindows());
    EXPECT_FALSE(pMenuBar->GetButton(4)->IsAppendMdiWindows());
    // Trimmed and stripped until nothing changes.
    EXPECT_EQ("Window", CUiMenuControlBar::NormalizeMenuText(" & Window & "));
}

TEST_F(MdiMenuBar, TheClientsMenuIsShownAndStaysTheChildsAfterTheBarIsGone)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    HMENU hDocMenu = ::CreateMenu();
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuA(hPopup, MF_STRING, tbtest::kMenuFirst, "First");
    ::AppendMenuA(hDocMenu, MF_POPUP, (UINT_PTR)hPopup, "&Document");
    ::SendMessage(hClient, WM_MDISETMENU, (WPARAM)hDocMenu, 0);
    EXPECT_EQ((HMENU)NULL, ::GetMenu(hFrame));
    winharness::PumpPending();
    EXPECT_EQ(hDocMenu, pMenuBar->GetBarMenu()->GetSafeHmenu());
    EXPECT_EQ(1, pMenuBar->GetButtonsCount());

    Maximize(pChild);
    const UINT nMdiCmd = pMenuBar->m_nMdiButtonsCmdID;
    ASSERT_NE(0u, nMdiCmd);
    ASSERT_NE(nullptr, Item(nMdiCmd));
    const HWND hChild = pChild->GetSafeHwnd();
    EXPECT_TRUE(pMenuBar->IsWindowHookedBySink(hClient));
    EXPECT_TRUE(pMenuBar->IsWindowHookedBySink(hChild));
    pMenuBar->DestroyWindow();
    delete pMenuBar;
    pMenuBar = nullptr;
    EXPECT_TRUE(::IsMenu(hDocMenu));
    EXPECT_TRUE(::IsMenu(hPopup));
    for (HWND h : {hFrame, hClient, hChild}) {
        void* p = nullptr;
        if (HookChainsMap().Lookup(h, p)) {
            const CUiHookSink::HookChains_t* pChain = static_cast<CUiHookSink::HookChains_t*>(p);
            EXPECT_EQ(0, pChain->m_sinks.GetSize()) << h;
        }
    }
    EXPECT_EQ(nullptr, Item(nMdiCmd));
    ::DestroyMenu(hDocMenu);
}

TEST_F(MdiMenuBar, ARightClickOnTheEmptyClientShowsTheBarsMenu)
{
    MakeMenuBar();
    pMenuBar->m_bBarFlags |= CUiControlBar::kInBarsMenu;
    CRect rcClient;
    ::GetWindowRect(hClient, &rcClient);
    ::SetCursorPos(rcClient.left + 40, rcClient.top + 40);
    EXPECT_EQ(0, ::SendMessage(hClient, WM_CONTEXTMENU, (WPARAM)hClient, MAKELPARAM(rcClient.left + 40, rcClient.top + 40)));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(0x800u, recorder.calls[0].nFlags);
    EXPECT_EQ(rcClient.left + 40, recorder.calls[0].x);
    EXPECT_EQ(std::vector<UINT>({(UINT)pMenuBar->GetDlgCtrlID()}), recorder.calls[0].ids);
    CloseMenus();

    pFrame->m_bHelpMode = TRUE;
    EXPECT_EQ(0, ::SendMessage(hClient, WM_CONTEXTMENU, (WPARAM)hClient, MAKELPARAM(rcClient.left + 40, rcClient.top + 40)));
    pFrame->m_bHelpMode = FALSE;
    EXPECT_EQ(1u, recorder.calls.size());
}

TEST_F(MdiMenuBar, AMaximisedChildBringsTheDocumentAndRightButtons)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    EXPECT_EQ(4, pMenuBar->GetButtonsCount());
    Maximize(pChild);
    ASSERT_EQ(6, pMenuBar->GetButtonsCount());
    EXPECT_TRUE(HasMdiButtons());
    EXPECT_NE(0u, pMenuBar->m_nMdiButtonsCmdID);
    // Placed at the far end of the row.
    CRect rcClient;
    pMenuBar->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.right - 1, RightButton()->GetRect().right);

    Restore(pChild);
    EXPECT_EQ(4, pMenuBar->GetButtonsCount());
    EXPECT_FALSE(First()->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)));

    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    const MdiRightButtonsInfo info = Parts();
    RightButton()->OnClick(info.m_rcMinimize.CenterPoint(), false);
    // Hidden at once, before the child has even heard of it.
    EXPECT_FALSE(RightButton()->IsVisible());
    EXPECT_FALSE(First()->IsVisible());
    winharness::PumpPending();
    EXPECT_TRUE(pChild->IsIconic());
    EXPECT_EQ(4, pMenuBar->GetButtonsCount());
}

// The child's buttons take no part in the keyboard's access characters, and while a menu of
// the bar is open the right button may be the hot one but is not drawn so.
TEST_F(MdiMenuBar, TheChildsButtonsAreNoAccessKeysNorHoveredWhileAMenuIsOpen)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    // Both buttons carry the command whose text would answer Alt+F.
    Item(pMenuBar->m_nMdiButtonsCmdID)->m_strToolbarText = "&File";
    const int nFile = pMenuBar->FindButtonByAccessKey('F');
    ASSERT_LT(0, nFile);
    EXPECT_EQ("&File", std::string(pMenuBar->GetButton(nFile)->GetText()));
    EXPECT_FALSE(pMenuBar->GetButton(nFile)->IsKindOf(RUNTIME_CLASS(CUiBarMdiDocButton)));
    EXPECT_FALSE(pMenuBar->GetButton(nFile)->IsKindOf(RUNTIME_CLASS(CUiBarMdiRightButton)));

    ::SetActiveWindow(hFrame);
    CUiToolControlBar::g_bMenuTracking = true;
    const int nRight = pMenuBar->GetButtonsCount() - 1;
    const CPoint pt = RightButton()->GetRect().CenterPoint();
    pMenuBar->UpdateHotButton(pt.x, pt.y);
    EXPECT_EQ(nRight, pMenuBar->m_nHotIndex);
    EXPECT_FALSE(RightButton()->IsHover());
    CUiToolControlBar::EndAllBarMenuTracking();
}

TEST_F(MdiMenuBar, TheRightButtonsSizeFollowsTheChildsCaption)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    const int w = PartSize();
    EXPECT_EQ(CSize(2 * w + 6 + w + 2, w + 2), CSize(Parts().m_cxTotal, Parts().m_cyTotal));
    EXPECT_EQ(2 * w + 6 + w + 2, RightButton()->GetSize().cx);
    EXPECT_GE(RightButton()->GetSize().cy, w + 2);

    PaintManagerHolder& holder = PaintManagerHolder::Get();
    const WORD wSaved = holder.m_wFamilyFlags;
    holder.m_wFamilyFlags &= ~kWinNTAbove50;
    const int wOld = ::GetSystemMetrics(SM_CXSIZE) - 2;
    EXPECT_EQ(2 * wOld + 6 + wOld + 2, Parts().m_cxTotal);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSIZE) - 2 + 2, Parts().m_cyTotal);
    holder.m_wFamilyFlags = wSaved;

    ::EnableMenuItem(::GetSystemMenu(pChild->GetSafeHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    const MdiRightButtonsInfo grayed = Parts();
    EXPECT_FALSE(grayed.Has(MdiRightButtonsInfo::kClose));
    EXPECT_TRUE(grayed.m_rcClose.IsRectEmpty());
    EXPECT_EQ(2 * w + 6, grayed.m_cxTotal);
}

TEST_F(MdiMenuBar, ThePartsPostTheirCommandsAndShowTheirTips)
{
    MakeMenuBar();
    CMDIChildWnd* pChild =
        AddChild("no minimise", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX);
    const HWND hChild = pChild->GetSafeHwnd();
    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    MdiRightButtonsInfo info = Parts();
    ASSERT_FALSE(info.m_rcMaximize.IsRectEmpty());
    RightButton()->OnClick(info.m_rcMaximize.CenterPoint(), false);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, hClient, WM_MDIRESTORE, WM_MDIRESTORE, PM_REMOVE));
    EXPECT_EQ((WPARAM)hChild, msg.wParam);

    const CPoint ptClose = info.m_rcClose.CenterPoint();
    RightButton()->OnClick(ptClose, false);
    ASSERT_TRUE(::PeekMessage(&msg, hChild, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ((WPARAM)SC_CLOSE, msg.wParam);
    CPoint ptScreen(ptClose);
    pMenuBar->ClientToScreen(&ptScreen);
    EXPECT_EQ(MAKELPARAM(ptScreen.x, ptScreen.y), msg.lParam);

    // A child with minimise box and context help: the restore tip and the help id.
    CMDIChildWnd* pFull = AddChild("full");
    ::SetWindowLong(pFull->GetSafeHwnd(), GWL_EXSTYLE,
                    ::GetWindowLong(pFull->GetSafeHwnd(), GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    Maximize(pFull);
    pMenuBar->UpdateMenuBar(true);
    ASSERT_TRUE(HasMdiButtons());
    info = Parts();
    ASSERT_TRUE(info.Has(MdiRightButtonsInfo::kHelp));
    TOOLINFO ti = {};
    EXPECT_EQ(0xEF12, RightButton()->OnToolHitTest(info.m_rcRestore.CenterPoint(), &ti));
    EXPECT_EQ(CRect(info.m_rcRestore), CRect(ti.rect));
    EXPECT_STREQ("ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す", ti.lpszText);
    free(ti.lpszText);
    TOOLINFO help = {};
    EXPECT_EQ(0xE145, RightButton()->OnToolHitTest(info.m_rcHelp.CenterPoint(), &help));
    EXPECT_STREQ("", help.lpszText);
    free(help.lpszText);
    EXPECT_EQ(0xE145, RightButton()->OnHelpHitTest(info.m_rcHelp.CenterPoint()));
    EXPECT_EQ(-1, RightButton()->OnToolHitTest(CPoint(-5, -5), nullptr));
}

TEST_F(MdiMenuBar, TheButtonsListTheChildsSystemCommandsInAMenu)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    HICON hIcon = tbtest::MakeIcon(RGB(255, 0, 0));
    pChild->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    // The document button shows the child's icon, the right button none.
    CUiCmdIcon* pIcon = First()->GetIconPtr();
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(CSize(16, 16), pIcon->GetSize());
    EXPECT_EQ(nullptr, RightButton()->GetIconPtr());
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    ASSERT_TRUE(pMenu->InitRootMenu(hFrame));
    ASSERT_TRUE(First()->PutToPopupMenu(pMenu));
    ASSERT_EQ(2, pMenu->ItemGetCount());
    EXPECT_STREQ("Active document", pMenu->ItemGetInfo(0).m_strText);
    CUiPopupMenuWnd* pSub = pMenu->ItemGetPopup(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(::GetMenuItemCount(::GetSystemMenu(pChild->GetSafeHwnd(), FALSE)), pSub->ItemGetCount());
    EXPECT_TRUE(pMenu->ItemGetInfo(1).IsSeparator());

    ASSERT_TRUE(RightButton()->PutToPopupMenu(pMenu));
    std::vector<UINT> ids;
    for (int i = 2; i < pMenu->ItemGetCount(); ++i)
        ids.push_back(pMenu->ItemGetCmdID(i));
    EXPECT_EQ(std::vector<UINT>({SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE}), ids);
    delete pMenu;
    pChild->SendMessage(WM_SETICON, ICON_SMALL, 0);
    ::DestroyIcon(hIcon);
}

TEST_F(MdiMenuBar, TheRingRunsThroughBothSystemMenus)
{
    MakeMenuBar();
    CMDIChildWnd* pChild = AddChild("one");
    Maximize(pChild);
    ASSERT_TRUE(HasMdiButtons());
    const int nLastMenu = pMenuBar->GetButtonsCount() - 2;
    pMenuBar->CUiToolControlBar::TrackButtonMenu(nLastMenu, true, false);
    ASSERT_EQ(1u, recorder.calls.size());
    // Last menu -> frame system menu.
    ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    ASSERT_EQ(2u, recorder.calls.size());
    EXPECT_EQ(hFrame, recorder.calls[1].hWndReceiver);
    EXPECT_TRUE(pMenuBar->m_bSysMenuTracking);
    // Frame system menu -> child system menu, through the document button.
    ::SendMessage(hFrame, CUiPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    winharness::PumpPending();
    ASSERT_EQ(3u, recorder.calls.size());
    EXPECT_EQ(pChild->GetSafeHwnd(), recorder.calls[2].hWndReceiver);
    EXPECT_EQ(0, pMenuBar->m_nMenuTrackingIndex);
    // Child system menu -> first menu.
    ::SendMessage(pChild->GetSafeHwnd(), CUiPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    ASSERT_EQ(4u, recorder.calls.size());
    EXPECT_EQ(1, pMenuBar->m_nMenuTrackingIndex);
    EXPECT_EQ(std::vector<UINT>({tbtest::kMenuFirst}), recorder.calls[3].ids);
}

TEST_F(MdiMenuBar, AltMinusWithoutAChildIsUsedUp)
{
    MakeMenuBar();
    winharness::KeyboardModifiers modifiers(winharness::kNone);
    MSG down = KeyMsg(hFrame, WM_SYSKEYDOWN, VK_OEM_MINUS, true);
    EXPECT_TRUE(pMenuBar->TranslateMenuKey(&down));
    EXPECT_TRUE(CUiMenuControlBar::g_bAltKeyConsumed);
    EXPECT_TRUE(recorder.calls.empty());

    // With a child the key opens the child's system menu.
    CMDIChildWnd* pChild = AddChild("one");
    EXPECT_TRUE(pMenuBar->TranslateMenuKey(&down));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(pChild->GetSafeHwnd(), recorder.calls[0].hWndReceiver);
}

} // namespace
