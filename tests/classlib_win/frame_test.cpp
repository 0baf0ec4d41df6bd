// A frame created from a resource id with a list view as its view: layout, routing, menus,
// accelerators, the message bar, the idle update of command UI and the main window seen from
// another thread.
#include "test_app.h"
#include "afxcview.h"
#include "afxmenu.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <thread>

using namespace winharness;

namespace {

class CTestListView : public CListView {
    DECLARE_DYNCREATE(CTestListView)
public:
    int nViewCommands = 0;
    int nCustomDraw = 0;
    afx_msg void OnViewCommand() { ++nViewCommands; }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CListView::OnCreate(lpcs) == -1)
            return -1;
        ModifyStyle(0, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        GetListCtrl().SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        GetListCtrl().InsertColumn(0, "No.", LVCFMT_LEFT, 40);
        GetListCtrl().InsertColumn(1, "ID", LVCFMT_LEFT, 50);
        return 0;
    }
    afx_msg void OnCustomDraw(NMHDR*, LRESULT* pResult)
    {
        ++nCustomDraw;
        *pResult = CDRF_DODEFAULT;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestListView, CListView)

BEGIN_MESSAGE_MAP(CTestListView, CListView)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_VIEWCMD, OnViewCommand)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
public:
    BOOL bChecked = TRUE;
    int nHandled = 0;
    afx_msg void OnHandled() { ++nHandled; }
    afx_msg void OnChecked() {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(bChecked); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_HANDLED, OnHandled)
    ON_COMMAND(ID_TEST_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

// A stand-in for a control bar: it updates one button from the frame at idle, the way
// toolbars and status bars do.
class CTestBar : public CWnd {
public:
    int nIdleUpdates = 0;
    int nCheck = -1;
    bool bQuitOnIdle = false;
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        class CButtonUI : public CCmdUI {
        public:
            CTestBar* pBar = nullptr;
            void SetCheck(int n) override { pBar->nCheck = n; }
            void Enable(BOOL) override { m_bEnableChanged = TRUE; }
        } state;
        state.pBar = this;
        state.m_nID = ID_TEST_CHECKED;
        state.DoUpdate(GetParentFrame(), (BOOL)wParam);
        ++nIdleUpdates;
        if (bQuitOnIdle)
            ::PostQuitMessage(0);   // ends the loop of the test after its idle pass
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pOldMain = theApp.m_pMainWnd;
        pFrame = new CTestFrame;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestListView);
        ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context));
        hFrame = pFrame->m_hWnd;
        theApp.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(NULL, 10, 10, 500, 300, SWP_NOZORDER);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);   // deletes the frame and its view
        PumpPending();                 // and drops the WM_QUIT of the main window
        theApp.m_pMainWnd = m_pOldMain;
    }
    CTestFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    CWnd* m_pOldMain = nullptr;
};

} // namespace

TEST_F(FrameTest, TheListViewFillsTheClientArea)
{
    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestListView)));
    EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pView->GetParentFrame(), pFrame);
    EXPECT_TRUE(AfxCompareClassName(pView->m_hWnd, WC_LISTVIEWA));

    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    CRect rcView;
    pView->GetWindowRect(&rcView);
    pFrame->ScreenToClient(&rcView);
    EXPECT_EQ(rcView, rcClient);

    pFrame->SetWindowPos(NULL, 0, 0, 420, 260, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->GetClientRect(&rcClient);
    pView->GetWindowRect(&rcView);
    pFrame->ScreenToClient(&rcView);
    EXPECT_EQ(rcView, rcClient);

    CListCtrl& list = ((CTestListView*)pView)->GetListCtrl();
    EXPECT_EQ(list.m_hWnd, pView->m_hWnd);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.InsertItem(0, "0001"), 0);
    EXPECT_TRUE(list.SetItemText(0, 1, "1:(-)"));
    EXPECT_EQ(list.GetItemText(0, 1), "1:(-)");
    EXPECT_TRUE(list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), (UINT)LVIS_SELECTED);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              (DWORD)(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    // The view's own reflected custom draw runs when the list paints.
    pView->RedrawWindow();
    EXPECT_GT(((CTestListView*)pView)->nCustomDraw, 0);
}

TEST_F(FrameTest, TheMainWindowIsSeenFromAWorkerThread)
{
    CWnd* pSeen = nullptr;
    std::thread worker([&] { pSeen = AfxGetMainWnd(); });
    worker.join();
    EXPECT_EQ(pSeen, pFrame);

    CWnd* pSeenByAfxThread = nullptr;
    HANDLE hDone = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    struct Ctx { CWnd** ppSeen; HANDLE hDone; } ctx = {&pSeenByAfxThread, hDone};
    AfxBeginThread([](LPVOID p) -> UINT {
        Ctx* c = (Ctx*)p;
        *c->ppSeen = AfxGetMainWnd();
        ::SetEvent(c->hDone);
        return 0;
    }, &ctx);
    ASSERT_EQ(::WaitForSingleObject(hDone, 5000), WAIT_OBJECT_0);
    ::CloseHandle(hDone);
    EXPECT_EQ(pSeenByAfxThread, pFrame);
}

TEST_F(FrameTest, TheIdlePassUpdatesCommandStateThroughTheUpdateHandler)
{
    CTestBar bar;
    ASSERT_TRUE(bar.Create(NULL, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_CONTROLBAR_FIRST + 40));
    pFrame->bChecked = TRUE;
    theApp.OnIdle(0);
    EXPECT_EQ(bar.nIdleUpdates, 1);
    EXPECT_EQ(bar.nCheck, 1);
    pFrame->bChecked = FALSE;
    theApp.OnIdle(0);
    EXPECT_EQ(bar.nCheck, 0);

    // The same through the application's loop, which goes idle once the queue is empty.
    pFrame->bChecked = TRUE;
    bar.bQuitOnIdle = true;
    pFrame->PostMessage(WM_NULL);
    theApp.Run();
    EXPECT_EQ(bar.nCheck, 1);
    EXPECT_EQ(bar.nIdleUpdates, 3);
    bar.DestroyWindow();
}

TEST_F(FrameTest, CommandsRouteThroughViewFrameAndApplication)
{
    CTestListView* pView = (CTestListView*)pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    int nApp = theApp.m_nAppCommands;
    pFrame->SendMessage(WM_COMMAND, ID_TEST_VIEWCMD);
    pFrame->SendMessage(WM_COMMAND, ID_TEST_HANDLED);
    pFrame->SendMessage(WM_COMMAND, ID_TEST_APPCMD);
    EXPECT_EQ(pView->nViewCommands, 1);
    EXPECT_EQ(pFrame->nHandled, 1);
    EXPECT_EQ(theApp.m_nAppCommands, nApp + 1);

    // The menu of the resource, updated when it opens.
    CMenu* pMenu = pFrame->GetMenu();
    ASSERT_NE(pMenu, nullptr);
    CMenu* pPopup = pMenu->GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);
    pFrame->bChecked = TRUE;
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, 0);
    EXPECT_FALSE(pPopup->GetMenuState(ID_TEST_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(pPopup->GetMenuState(ID_TEST_VIEWCMD, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(pPopup->GetMenuState(ID_TEST_APPCMD, MF_BYCOMMAND) & MF_GRAYED);

    // The accelerator of the resource: Ctrl+H.
    {
        KeyboardModifiers ctrl(kCtrl);
        MSG msg = {};
        msg.hwnd = pView->m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = 'H';
        msg.lParam = KeyLParam('H', false);
        EXPECT_TRUE(CWnd::WalkPreTranslateTree(pFrame->m_hWnd, &msg));
    }
    EXPECT_EQ(pFrame->nHandled, 2);
}

TEST_F(FrameTest, TitleAndMessageBar)
{
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, "Test Frame");
    EXPECT_EQ(pFrame->GetTitle(), "Test Frame");

    CStatic status;
    ASSERT_TRUE(status.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, AFX_IDW_STATUS_BAR));
    pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_HANDLED);
    CString str;
    status.GetWindowText(str);
    EXPECT_EQ(str, "Does the handled thing");
    pFrame->SetMessageText("free text");
    status.GetWindowText(str);
    EXPECT_EQ(str, "free text");
    status.DestroyWindow();
}
