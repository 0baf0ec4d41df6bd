// The resizable dialog as a real window: anchored children, tracking sizes, the saved
// placement, the gripper, the system menu, and its life as a pane inside a control bar.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "cmdmanager.h"
#include "controlbar.h"
#include "paintmanagerholder.h"
#include "paintmanagerxp.h"
#include "popupmenuwnd.h"
#include "resizabledialog.h"

using namespace dlgtest;
using namespace winharness;

namespace {

// Gives the window a client area of cx x cy.
void SetClientSize(CWnd& wnd, int cx, int cy)
{
    CRect rcWindow, rcClient;
    wnd.GetWindowRect(&rcWindow);
    wnd.GetClientRect(&rcClient);
    wnd.SetWindowPos(NULL, 0, 0, rcWindow.Width() - rcClient.Width() + cx, rcWindow.Height() - rcClient.Height() + cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect ChildRect(HWND hChild)
{
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hChild), (POINT*)&rc, 2);
    return rc;
}

HWND MakeEdit(CWnd& parent, const RECT& rc)
{
    return ::CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, parent.m_hWnd, NULL, NULL, NULL);
}

// Remembers the minimum tracking size of the first size query, before the first WM_SIZE.
class MinMaxDialog : public CUiResizableDialog {
public:
    bool bSized = false;
    POINT ptMinBeforeSize = {-1, -1};
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lr = CUiResizableDialog::WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_SIZE)
            bSized = true;
        if (nMsg == WM_GETMINMAXINFO && !bSized)
            ptMinBeforeSize = ((MINMAXINFO*)lParam)->ptMinTrackSize;
        return lr;
    }
};

std::vector<PopupTrackCall> g_tracked;

int RecordAndRefuse(const PopupTrackCall& call, UINT*)
{
    g_tracked.push_back(call);
    return CUiPopupMenuWnd::kHookRefuse;
}

const char kTestKey[] = "KorvaneDialogsTest";

void RemoveTestKey()
{
    HKEY hSoftware;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware) == ERROR_SUCCESS) {
        theApp.DelRegTree(hSoftware, kTestKey);
        ::RegCloseKey(hSoftware);
    }
}

} // namespace

TEST(ResizableDialogTest, AnchoredChildrenFollowTheClientArea)
{
    DialogScope scope;
    HiddenParent parent;
    CUiResizableDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
    SetClientSize(dlg, 200, 100);
    HWND hStretch = MakeEdit(dlg, CRect(10, 20, 190, 80));
    HWND hCorner = MakeEdit(dlg, CRect(150, 70, 190, 90));
    HWND hGone = MakeEdit(dlg, CRect(0, 0, 5, 5));
    ASSERT_TRUE(dlg.AddAnchor(hStretch, kUiAnchorTopLeft, kUiAnchorBottomRight));
    ASSERT_TRUE(dlg.AddAnchor(hCorner, kUiAnchorBottomRight, kUiAnchorNone));
    ASSERT_TRUE(dlg.AddAnchor(hGone, kUiAnchorTopLeft, kUiAnchorNone));
    EXPECT_FALSE(dlg.AddAnchor(hGone, kUiAnchorNone, kUiAnchorBottomRight));
    EXPECT_FALSE(dlg.AddAnchor(parent.hwnd(), kUiAnchorTopLeft, kUiAnchorNone));

    UiAnchorRecord record;
    ASSERT_TRUE(dlg.m_anchors.Lookup(hStretch, record));
    EXPECT_EQ(10, record.nTopLeftOffX);
    EXPECT_EQ(20, record.nTopLeftOffY);
    EXPECT_EQ(-10, record.nBottomRightOffX);
    EXPECT_EQ(-20, record.nBottomRightOffY);
    ASSERT_TRUE(dlg.m_anchors.Lookup(hCorner, record));
    EXPECT_EQ(100, record.nBottomRightPctX);
    EXPECT_EQ(100, record.nBottomRightPctY);

    ::DestroyWindow(hGone);
    SetClientSize(dlg, 300, 150);
    EXPECT_EQ(CRect(10, 20, 290, 130), ChildRect(hStretch));
    EXPECT_EQ(CRect(250, 120, 290, 140), ChildRect(hCorner));
    EXPECT_EQ(2, dlg.m_anchors.GetCount());

    // Another window maximised or restored: nothing moves.
    ::MoveWindow(hStretch, 0, 0, 10, 10, FALSE);
    dlg.SendMessage(WM_SIZE, SIZE_MAXSHOW, MAKELPARAM(400, 300));
    EXPECT_EQ(CRect(0, 0, 10, 10), ChildRect(hStretch));
    dlg.DestroyWindow();
}

TEST(ResizableDialogTest, TheFirstSizeIsTheSmallestAndNothingLimitsBeforeIt)
{
    DialogScope scope;
    HiddenParent parent;
    MinMaxDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
    EXPECT_EQ(::GetSystemMetrics(SM_CXMINTRACK), dlg.ptMinBeforeSize.x);
    CRect rcFirst;
    dlg.GetWindowRect(&rcFirst);
    EXPECT_EQ(rcFirst.Size(), dlg.m_sizeInitial);

    dlg.SetWindowPos(NULL, 0, 0, rcFirst.Width() + 40, rcFirst.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    dlg.SetWindowPos(NULL, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcNow;
    dlg.GetWindowRect(&rcNow);
    EXPECT_EQ(rcFirst.Size(), rcNow.Size());
    dlg.DestroyWindow();
}

TEST(ResizableDialogTest, ThePlacementIsSavedAtDestructionAndRestoredByTheNextDialog)
{
    DialogScope scope;
    RemoveTestKey();
    theApp.SetRegistryKey(kTestKey);
    HiddenParent parent;
    {
        CUiResizableDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
        dlg.EnablePlacementProfile("Dlg", "Pos", false);
        dlg.SetWindowPos(NULL, 50, 60, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        ::GetWindowPlacement(dlg.m_hWnd, &wp);
        CString strExpected;
        strExpected.Format("%d,%d,%d,%d,%d,%d", 50, 60, 350, 260, (int)wp.showCmd, (int)wp.flags);
        dlg.DestroyWindow();
        EXPECT_EQ(strExpected, theApp.GetProfileString("Dlg", "Pos"));
    }
    {
        CUiResizableDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
        dlg.EnablePlacementProfile("Dlg", "Pos", false);
        CRect rc;
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(CRect(50, 60, 350, 260), rc);
        dlg.m_bWSFlags &= ~CUiResizableDialog::kSavePlacement;
        dlg.DestroyWindow();
    }
    theApp.WriteProfileString("Dlg", "Pos", "1,2,3,4,5");
    {
        CUiResizableDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
        CRect rcBefore, rcAfter;
        dlg.GetWindowRect(&rcBefore);
        dlg.EnablePlacementProfile("Dlg", "Other", false);
        dlg.EnablePlacementProfile("Dlg", "Pos", false);
        dlg.GetWindowRect(&rcAfter);
        EXPECT_EQ(rcBefore, rcAfter);
        dlg.m_bWSFlags &= ~CUiResizableDialog::kSavePlacement;
        dlg.DestroyWindow();
    }
    RemoveTestKey();
}

TEST(ResizableDialogTest, TheGripperAnswersTheHitTestOnlyWhileShown)
{
    DialogScope scope;
    HiddenParent parent;
    CUiResizableDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
    SetClientSize(dlg, 200, 100);
    CPoint pt(195, 95);
    dlg.ClientToScreen(&pt);
    EXPECT_EQ(HTBOTTOMRIGHT, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    dlg.ShowSizeGrip(false);
    EXPECT_NE(HTBOTTOMRIGHT, dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    dlg.DestroyWindow();
}

namespace {

// A look that notes where the size grip is asked for.
class GripLook : public CUiPaintManagerXP {
public:
    static std::vector<CRect> s_grips;
    void PaintSizeGrip(CDC& dc, const CRect& rc, DWORD dwValue1, DWORD dwValue2) override
    {
        s_grips.push_back(rc);
        CUiPaintManagerXP::PaintSizeGrip(dc, rc, dwValue1, dwValue2);
    }
};
std::vector<CRect> GripLook::s_grips;

} // namespace

TEST(ResizableDialogTest, TheGripperIsPaintedByTheLookOnlyWhileShown)
{
    DialogScope scope;
    HiddenParent parent;
    PaintManagerHolder::Get().SetPaintManager(new GripLook);
    CUiResizableDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
    SetClientSize(dlg, 200, 100);
    GripLook::s_grips.clear();
    dlg.SendMessage(WM_PAINT);
    ASSERT_EQ(1u, GripLook::s_grips.size());
    EXPECT_EQ(CRect(200 - ::GetSystemMetrics(SM_CXVSCROLL), 100 - ::GetSystemMetrics(SM_CYHSCROLL), 200, 100),
              GripLook::s_grips[0]);
    dlg.ShowSizeGrip(false);
    GripLook::s_grips.clear();
    dlg.SendMessage(WM_PAINT);
    EXPECT_TRUE(GripLook::s_grips.empty());
    dlg.DestroyWindow();
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

TEST(ResizableDialogTest, AltSpaceTracksThePopupsSystemMenuUnderTheCaption)
{
    DialogScope scope;
    HiddenParent parent;
    CUiResizableDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TINY, parent.wnd()));
    CmdManagerHolder::GetStoredHandle()->ProfileInstall("dialogs-sysmenu", dlg.m_hWnd);
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    PumpPending();
    ASSERT_EQ(dlg.m_hWnd, ::GetActiveWindow());

    g_tracked.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &RecordAndRefuse;
    MSG msg = {dlg.m_hWnd, WM_SYSKEYDOWN, VK_SPACE, (LPARAM)(1 << 29) | 1};
    EXPECT_TRUE(dlg.PreTranslateMessage(&msg));
    ASSERT_EQ(1u, g_tracked.size());
    EXPECT_EQ(0x46u, g_tracked[0].nFlags);
    CRect rcWindow;
    dlg.GetWindowRect(&rcWindow);
    CPoint ptClient(0, 0);
    dlg.ClientToScreen(&ptClient);
    EXPECT_EQ(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), g_tracked[0].x);
    EXPECT_EQ(ptClient.y, g_tracked[0].y);
    msg.message = WM_SYSKEYUP;
    EXPECT_TRUE(dlg.PreTranslateMessage(&msg));
    EXPECT_EQ(1u, g_tracked.size());

    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(dlg.m_hWnd, true);
    dlg.DestroyWindow();
}

namespace {

// The hosting bar: answers key presses as told and records them.
class HostBar : public CUiControlBar {
public:
    bool bTakeKeys = false;
    int nOffered = 0;
    BOOL Create(CWnd* pParent)
    {
        return CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), pParent, 0xE901);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
            ++nOffered;
            return bTakeKeys;
        }
        return FALSE;
    }
};

// How deep the updates of all pane bars nest.
int g_nUpdateDepth = 0;
int g_nMaxUpdateDepth = 0;

// The pane's own toolbar: counts its updates and how deep they nest.
class PaneBar : public CUiControlBar {
public:
    int nUpdates = 0;
    HWND hPoke = NULL;
    BOOL Create(CWnd* pParent)
    {
        return CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pParent, 0xE902);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
        ++nUpdates;
        g_nMaxUpdateDepth = std::max(g_nMaxUpdateDepth, ++g_nUpdateDepth);
        if (hPoke != NULL)
            ::SendMessageA(hPoke, WM_USER + 77, 0, 0);
        --g_nUpdateDepth;
    }
};

} // namespace

TEST(ResizableDialogTest, APaneKeepsOKAndCancelAndOffersKeysToItsBarFirst)
{
    DialogScope scope;
    HiddenParent parent;
    HostBar bar;
    ASSERT_TRUE(bar.Create(parent.wnd()));
    CUiResizableDialog pane(IDD_PANE, &bar);
    ASSERT_TRUE(pane.Create(IDD_PANE, &bar));
    pane.SendMessage(WM_COMMAND, IDOK, 0);
    pane.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(pane.m_hWnd));
    EXPECT_TRUE(pane.GetStyle() & WS_VISIBLE);

    MSG msg = {pane.m_hWnd, WM_KEYDOWN, 'A', 1};
    bar.bTakeKeys = true;
    EXPECT_TRUE(pane.PreTranslateMessage(&msg));
    EXPECT_EQ(1, bar.nOffered);

    // Alt+Space is not the child dialog's: no system menu.
    g_tracked.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &RecordAndRefuse;
    bar.bTakeKeys = false;
    MSG alt = {parent.hwnd(), WM_SYSKEYDOWN, VK_SPACE, (LPARAM)(1 << 29) | 1};
    EXPECT_FALSE(pane.PreTranslateMessage(&alt));
    EXPECT_TRUE(g_tracked.empty());
    pane.DestroyWindow();
    bar.DestroyWindow();
}

TEST(ResizableDialogTest, APanesToolbarIsUpdatedAfterIdleTriggersOnlyAndNeverNested)
{
    DialogScope scope;
    HiddenParent parent;
    HostBar host;
    ASSERT_TRUE(host.Create(parent.wnd()));
    CUiResizableDialog pane;
    ASSERT_TRUE(pane.Create(IDD_PANE, &host));
    PaneBar bar, second;
    ASSERT_TRUE(bar.Create(&pane));
    ASSERT_TRUE(second.Create(&pane));
    PumpPending();

    auto pumpOne = [] { AfxPumpMessage(); };
    bar.nUpdates = 0;
    pane.PostMessage(WM_KEYDOWN, VK_F5, 1);
    pumpOne();
    EXPECT_GT(bar.nUpdates, 0);

    ::SetCursorPos(300, 300);
    PumpPending();
    ::SetCursorPos(310, 305);
    pane.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    bar.nUpdates = 0;
    pumpOne();
    EXPECT_GT(bar.nUpdates, 0);

    bar.nUpdates = 0;
    pane.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    pumpOne();
    EXPECT_EQ(0, bar.nUpdates);

    PumpPending();
    pane.Invalidate();
    bar.nUpdates = 0;
    pumpOne();
    EXPECT_EQ(0, bar.nUpdates);

    // An update that sends the pane a message starts no update of the other bar inside it.
    bar.hPoke = second.hPoke = pane.m_hWnd;
    g_nMaxUpdateDepth = 0;
    second.nUpdates = 0;
    pane.PostMessage(WM_KEYDOWN, VK_F6, 1);
    pumpOne();
    EXPECT_GT(second.nUpdates, 0);
    EXPECT_EQ(1, g_nMaxUpdateDepth);
    bar.hPoke = second.hPoke = NULL;

    second.DestroyWindow();
    bar.DestroyWindow();
    pane.DestroyWindow();
    host.DestroyWindow();
}
