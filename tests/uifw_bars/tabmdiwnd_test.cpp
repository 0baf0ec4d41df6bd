// The MDI tab strip on a real MDI frame of the class library: tabs follow the children,
// their texts come from the documents, Close and tab clicks reach the children, a drag
// activates nothing, and the client and the strip draw joined borders.
#include <gtest/gtest.h>

#include "controlbar.h"
#include "popupmenuwnd.h"
#include "tabwnd.h"
#include "winharness.h"

#include <algorithm>
#include <vector>

namespace {

// A child that closes as an MDI child does: through the client's WM_MDIDESTROY.
class Child : public CMDIChildWnd {
public:
    CDocument* pDoc = nullptr;
    CDocument* GetActiveDocument() override { return pDoc; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_CLOSE) {
            MDIDestroy();
            return 0;
        }
        return CMDIChildWnd::WindowProc(nMsg, wParam, lParam);
    }
};

// Counts the activations the client receives.
class ActivationCounter : public CUiHookSink {
public:
    int nActivations = 0;
    bool DispatchHookedMessage(LRESULT&, HWND, UINT nMessage, WPARAM&, LPARAM&) override
    {
        if (nMessage == WM_MDIACTIVATE)
            ++nActivations;
        return false;
    }
};

// Records the context-menu events of bars and strips and answers them with nothing.
class MdiFrame : public CMDIFrameWnd {
public:
    std::vector<WORD> events;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == CUiControlBar::g_nMsgConstructPopupMenu) {
            events.push_back(reinterpret_cast<CUiControlBar::POPUP_MENU_EVENT_DATA*>(wParam)->m_nEvent);
            return 0;
        }
        return CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
};

int g_nTracked = 0;
int CountTrack(const PopupTrackCall&, UINT*)
{
    ++g_nTracked;
    return CUiPopupMenuWnd::kHookRefuse;
}

class TabMdiTest : public ::testing::Test {
protected:
    MdiFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    CUiTabMdiWnd strip;

    void SetUp() override
    {
        pFrame = new MdiFrame;
        ASSERT_TRUE(pFrame->Create(NULL, "mdi tabs", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 460)));
        hFrame = pFrame->GetSafeHwnd();
        pFrame->ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(strip.Create(pFrame, CRect(0, 0, 0, 0), 0x3001, WS_CHILD | WS_VISIBLE, DwTabStyle()));
        winharness::PumpFor(30);
    }
    void TearDown() override
    {
        if (strip.GetSafeHwnd() != NULL)
            strip.DestroyWindow();
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
    virtual DWORD DwTabStyle() const { return CUiTabWnd::kCloseShown | CUiTabWnd::kCloseEnabled | CUiTabWnd::kItemDrag; }
    Child* AddChild(LPCSTR lpszTitle, CDocument* pDoc = nullptr, int nWindow = 0)
    {
        Child* pChild = new Child;
        pChild->pDoc = pDoc;
        pChild->m_nWindow = nWindow;
        pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame);
        return pChild;
    }
    HWND Active() const
    {
        CMDIChildWnd* p = pFrame->MDIGetActive();
        return p != nullptr ? p->GetSafeHwnd() : NULL;
    }
    CString Text(int i) { return strip.ItemGetTextPtr(strip.ItemGetInfo(i)); }
};

TEST_F(TabMdiTest, TheStripShowsWithTheFirstChildAndAsksTheFrameForALayout)
{
    EXPECT_FALSE(strip.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0, strip.ItemGetCount());
    pFrame->m_nIdleFlags = 0;
    Child* pChild = AddChild("Log");
    EXPECT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 1; }));
    EXPECT_TRUE(strip.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(12u, pFrame->m_nIdleFlags & 12);
    EXPECT_EQ((LPARAM)pChild->m_hWnd, strip.ItemGetInfo(0)->m_lParam);
    EXPECT_EQ(0, strip.SelectionGet());
    EXPECT_EQ(CString("Log"), Text(0));

    // The frame's layout puts the strip on top and the client below it, joined: the client
    // keeps its 2-pixel border on every side but the top.
    pFrame->RecalcLayout();
    winharness::PumpPending();
    CRect rcStrip, rcClientWindow, rcClient;
    strip.GetWindowRect(&rcStrip);
    ::GetWindowRect(pFrame->m_hWndMDIClient, &rcClientWindow);
    ::GetClientRect(pFrame->m_hWndMDIClient, &rcClient);
    ::MapWindowPoints(pFrame->m_hWndMDIClient, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
    EXPECT_EQ(rcStrip.bottom, rcClientWindow.top);
    EXPECT_EQ(rcClientWindow.top, rcClient.top);
    EXPECT_EQ(2, rcClient.left - rcClientWindow.left);
    EXPECT_EQ(2, rcClientWindow.right - rcClient.right);
    EXPECT_EQ(2, rcClientWindow.bottom - rcClient.bottom);
    // The strip's own border opens towards the client.
    CRect rcStripClient;
    strip.GetClientRect(&rcStripClient);
    strip.ClientToScreen(&rcStripClient);
    EXPECT_EQ(rcStrip.bottom, rcStripClient.bottom);
    EXPECT_EQ(2, rcStripClient.top - rcStrip.top);
    strip.UpdateWindow();
}

TEST_F(TabMdiTest, TwoViewsOfOneDocumentAreNumbered)
{
    CDocument doc;
    doc.SetTitle("Doc");
    AddChild("first", &doc, 1);
    AddChild("second", &doc, 2);
    AddChild("plain");
    ASSERT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 3; }));
    std::vector<CString> texts;
    for (int i = 0; i < 3; ++i)
        texts.push_back(Text(i));
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(CString("Doc:1"), texts[0]);
    EXPECT_EQ(CString("Doc:2"), texts[1]);
    EXPECT_EQ(CString("plain"), texts[2]);
}

TEST_F(TabMdiTest, CloseClosesTheActiveChildWhoseTabGoesWithIt)
{
    Child* pOne = AddChild("one");
    Child* pTwo = AddChild("two");
    const HWND hOne = pOne->m_hWnd, hTwo = pTwo->m_hWnd;
    ASSERT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 2; }));
    pFrame->RecalcLayout();
    winharness::PumpPending();
    ASSERT_EQ(hTwo, Active());
    ASSERT_EQ((LPARAM)hTwo, strip.ItemGetInfo(strip.SelectionGet())->m_lParam);
    const CPoint pt = strip.GetHitRect(CUiTabWnd::kHitClose).CenterPoint();
    winharness::Click(strip.m_hWnd, pt.x, pt.y);
    EXPECT_TRUE(winharness::PumpUntil([&] { return !::IsWindow(hTwo); }));
    EXPECT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 1; }));
    EXPECT_TRUE(::IsWindow(hOne));
    EXPECT_EQ((LPARAM)hOne, strip.ItemGetInfo(0)->m_lParam);

    // The last child gone, the strip hides again.
    pOne->MDIDestroy();
    EXPECT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 0; }));
    EXPECT_TRUE(winharness::PumpUntil([&] { return !(strip.GetStyle() & WS_VISIBLE); }));
}

TEST_F(TabMdiTest, ATabClickActivatesItsChildButADragActivatesNothing)
{
    Child* pOne = AddChild("one");
    Child* pTwo = AddChild("two");
    ASSERT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 2; }));
    pFrame->RecalcLayout();
    winharness::PumpPending();
    ASSERT_EQ(pTwo->m_hWnd, Active());
    const int nOne = strip.ItemFindByLParam((LPARAM)pOne->m_hWnd);
    const CRect rcOne = strip.ItemGetWindowRect(nOne);
    winharness::Click(strip.m_hWnd, rcOne.CenterPoint().x, rcOne.CenterPoint().y);
    EXPECT_EQ(pOne->m_hWnd, Active());
    winharness::PumpPending();

    // Drag the active tab onto the other one: the order changes, no child is activated.
    ActivationCounter counter;
    ASSERT_TRUE(counter.InstallWindowHook(pFrame->m_hWndMDIClient));
    const int nOther = 1 - nOne;
    const CRect rcOther = strip.ItemGetWindowRect(nOther);
    CPoint origin(0, 0);
    strip.ClientToScreen(&origin);
    const int y = rcOne.CenterPoint().y;
    int nAtStart = -1, nDuringDrag = -1;
    {
        winharness::ScriptedInputPlayer player;
        player.Call([&] { nAtStart = counter.nActivations; })
            .MoveTo(origin.x + rcOther.CenterPoint().x, origin.y + y)
            .Call([&] { nDuringDrag = counter.nActivations; })
            .PostToCapture(WM_LBUTTONUP, 0, MAKELPARAM(rcOther.CenterPoint().x, y));
        winharness::SendMouse(strip.m_hWnd, WM_LBUTTONDOWN, rcOne.left + 3, y, MK_LBUTTON);
        player.Start();
        winharness::SendMouse(strip.m_hWnd, WM_MOUSEMOVE, rcOne.left + 12, y, MK_LBUTTON);
        EXPECT_TRUE(player.Done());
    }
    EXPECT_EQ((LPARAM)pOne->m_hWnd, strip.ItemGetInfo(nOther)->m_lParam);
    EXPECT_TRUE(strip.IsDragging() == false);
    EXPECT_GE(nAtStart, 0);
    EXPECT_EQ(nAtStart, nDuringDrag);
    EXPECT_EQ(pOne->m_hWnd, Active());
    winharness::PumpPending();
    EXPECT_EQ(2, strip.ItemGetCount());   // the synchronisation after the drag keeps both
    counter.UnhookAllWindows();
}

TEST_F(TabMdiTest, ARightClickOnATabAsksTheFrameForAMenuWithoutSelectingIt)
{
    Child* pOne = AddChild("one");
    AddChild("two");
    ASSERT_TRUE(winharness::PumpUntil([&] { return strip.ItemGetCount() == 2; }));
    pFrame->RecalcLayout();
    winharness::PumpPending();
    const int nSelected = strip.SelectionGet();
    const CRect rcOne = strip.ItemGetWindowRect(strip.ItemFindByLParam((LPARAM)pOne->m_hWnd));
    g_nTracked = 0;
    CUiPopupMenuWnd::g_pfnTrackMenuHook = CountTrack;
    winharness::SendMouse(strip.m_hWnd, WM_RBUTTONDOWN, rcOne.CenterPoint().x, rcOne.CenterPoint().y, MK_RBUTTON);
    winharness::SendMouse(strip.m_hWnd, WM_RBUTTONUP, rcOne.CenterPoint().x, rcOne.CenterPoint().y);
    winharness::PumpPending();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    EXPECT_EQ(nSelected, strip.SelectionGet());
    EXPECT_EQ((std::vector<WORD>{7}), pFrame->events);   // answered with nothing: no menu
    EXPECT_EQ(0, g_nTracked);
}

} // namespace
