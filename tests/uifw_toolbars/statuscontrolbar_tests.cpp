// The framework's status bar on a test frame: what it asks the look to paint (the recording
// look), the control's own painting held off while a text or icon changes, the gripper strip,
// controls kept over their panes, pane tips, the bars menu on a right click and the relays of
// the four system changes.
#include "statuscontrolbar.h"

#include "afxframe.h"
#include "cmdmanager.h"
#include "controlbar.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popuptracktestsupport.h"
#include "recordinglook.h"
#include "statuspanepaintdata.h"
#include "toolcontrolbar.h"
#include "winharness.h"
#include <memory>
#include <vector>

using namespace winharness;

namespace {

const UINT ID_P1 = 0x9101, ID_P2 = 0x9102, ID_P3 = 0x9103;

// The recording look, with a plain background, counting the system changes relayed to it.
class StatusLook : public painttest::RecordingLook {
public:
    int nSysColor = 0, nSetting = 0, nDisplay = 0, nTheme = 0;

    BOOL HasThemedBackground(CWnd*, LPARAM) override { return FALSE; }
    LRESULT OnSysColorChange() override { return ++nSysColor, 0; }
    LRESULT OnSettingChange(UINT, LPCSTR) override { return ++nSetting, 0; }
    LRESULT OnDisplayChange(INT, INT, INT) override { return ++nDisplay, 0; }
    LRESULT OnThemeChanged(WPARAM, LPARAM) override { return ++nTheme, 0; }
    // The pane records of one kind.
    std::vector<painttest::PaintCall> Panes(DWORD dwKind) const
    {
        std::vector<painttest::PaintCall> out;
        for (const painttest::PaintCall& call : Calls("StatusPane"))
            if (call.dwKind == dwKind)
                out.push_back(call);
        return out;
    }
};

// A profile bound to the test frame that counts the system changes the command manager hands on.
class CountingProfile : public CUiCmdProfile {
public:
    explicit CountingProfile(LPCSTR lpszName) : CUiCmdProfile(lpszName) {}
    int nSysColor = 0, nSetting = 0, nDisplay = 0, nTheme = 0;
    void OnSysColorChange() override { ++nSysColor; }
    void OnSettingChange(UINT, LPCSTR) override { ++nSetting; }
    void OnDisplayChange(int, int, int) override { ++nDisplay; }
    void OnThemeChanged(WPARAM, LPARAM) override { ++nTheme; }
};

// Answers the bars-menu construction itself with one item and records the event code.
class TestFrame : public CFrameWnd {
public:
    int nEvent = -1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CUiControlBar::g_nMsgConstructPopupMenu) {
            auto* pData = reinterpret_cast<CUiControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
            nEvent = pData->m_nEvent;
            pData->m_pMenu->ItemInsertCommand(ID_P1, -1, "Bar", nullptr, nullptr, 0);
            return 1;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class CountingStatusBar : public CUiStatusControlBar {
public:
    int nErase = 0;
    bool bGripperVisible = true;
    void EraseBackground(CDC& dc, const CRect& rc) override
    {
        ++nErase;
        CUiStatusControlBar::EraseBackground(dc, rc);
    }
    bool IsGripperVisible() const override { return bGripperVisible; }
};

// What the control's own procedure saw, and what the bar answered to a paint and an erase
// sent while the control processed a text or icon change.
struct ControlProbe {
    WNDPROC pfnOriginal = nullptr;
    int nPaints = 0;
    int nChanges = 0;
    LRESULT lPaintAnswer = -1;
    LRESULT lEraseAnswer = -1;
    bool bErasePainted = false;
};
ControlProbe g_probe;

LRESULT CALLBACK ProbeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++g_probe.nPaints;
    if (message == SB_SETTEXTA || message == SB_SETICON) {
        ++g_probe.nChanges;
        g_probe.lPaintAnswer = ::SendMessageA(hWnd, WM_PAINT, 0, 0);
        DibSurface surface(40, 20, RGB(1, 2, 3));
        g_probe.lEraseAnswer = ::SendMessageA(hWnd, WM_ERASEBKGND, (WPARAM)surface.dc(), 0);
        g_probe.bErasePainted = surface.CountOther(RGB(1, 2, 3)) != 0;
    }
    return ::CallWindowProcA(g_probe.pfnOriginal, hWnd, message, wParam, lParam);
}

class StatusControlBarTest : public ::testing::Test {
protected:
    StatusControlBarTest()
    {
        pLook = new StatusLook;
        PaintManagerHolder::Get().SetPaintManager(pLook);
        frame = new TestFrame;
        frame->Create(NULL, "status frame", WS_OVERLAPPEDWINDOW, CRect(50, 50, 550, 350));
        frame->ShowWindow(SW_SHOWNA);
        pProfile = new CountingProfile("statustest");
        CmdManagerHolder::GetStoredHandle()->ProfileInstall("statustest", frame->GetSafeHwnd(), pProfile);
        bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR);
        static const UINT kIds[] = {0, ID_P1, ID_P2, ID_P3};
        bar.SetIndicators(kIds, 4);
        bar.SetPaneInfo(1, ID_P1, SBPS_NORMAL, 60);
        bar.SetPaneInfo(2, ID_P2, SBPS_NORMAL, 60);
        bar.SetPaneInfo(3, ID_P3, SBPS_NORMAL, 60);
        frame->RecalcLayout();
        PumpPending();
    }
    ~StatusControlBarTest() override
    {
        CUiToolControlBar::g_bMenuTracking = false;
        bar.DestroyWindow();
        CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(frame->GetSafeHwnd(), true);
        frame->DestroyWindow();
        PumpPending();
        PaintManagerHolder::Get().SetPaintManager(nullptr);
    }
    // The bar painted into a surface of its client size.
    std::unique_ptr<DibSurface> Paint()
    {
        CRect rc;
        bar.GetClientRect(rc);
        auto surface = std::make_unique<DibSurface>(rc.Width(), rc.Height(), RGB(1, 2, 3));
        pLook->calls.clear();
        bar.PaintBar(*surface->cdc());
        return surface;
    }
    // Pixels inside the pane (its border spared) of another colour than the background.
    int InkInPane(const DibSurface& surface, int nIndex)
    {
        CRect rc;
        bar.GetPaneRect(nIndex, rc);
        rc.DeflateRect(2, 2);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += surface.Pixel(x, y) != bar.m_clrBackground;
        return n;
    }
    CRect PaneRect(int nIndex)
    {
        CRect rc;
        bar.GetPaneRect(nIndex, rc);
        return rc;
    }

    StatusLook* pLook;
    TestFrame* frame;
    CountingProfile* pProfile;
    CountingStatusBar bar;
};

TEST_F(StatusControlBarTest, PanesBordersSeparatorsAndTheFrame)
{
    bar.SetPaneText(0, "Ready");
    bar.SetPaneText(1, "Off");
    bar.SetPaneText(3, "On");
    bar.SetPaneStyle(1, SBPS_DISABLED);
    bar.SetPaneStyle(2, SBPS_NOBORDERS);
    auto surface = Paint();
    // The first pane and the borderless one get no border.
    std::vector<painttest::PaintCall> borders = pLook->Panes(StatusPanePaintData::kPane);
    ASSERT_EQ(2u, borders.size());
    EXPECT_EQ(PaneRect(1), borders[0].rc);
    EXPECT_EQ(PaneRect(3), borders[1].rc);
    // The disabled pane's text is not drawn; enabled, it is.
    EXPECT_EQ(0, InkInPane(*surface, 1));
    EXPECT_GT(InkInPane(*surface, 3), 0);
    EXPECT_GT(InkInPane(*surface, 0), 0);
    bar.SetPaneStyle(1, SBPS_NORMAL);
    surface = Paint();
    EXPECT_GT(InkInPane(*surface, 1), 0);

    bar.m_bOptions |= CUiStatusControlBar::kSeparators;
    surface = Paint();
    EXPECT_TRUE(pLook->Panes(StatusPanePaintData::kPane).empty());
    const std::vector<painttest::PaintCall> separators = pLook->Calls("Separator");
    ASSERT_EQ(3u, separators.size());
    for (int i = 1; i < 4; ++i) {
        const CRect rcPrev = PaneRect(i - 1), rc = PaneRect(i);
        EXPECT_EQ(CRect(rcPrev.right, rc.top + 1, rc.left, rc.bottom - 1), separators[i - 1].rc);
        EXPECT_EQ(&bar, separators[i - 1].pAsking);
    }

    pLook->calls.clear();
    bar.SendMessage(WM_NCPAINT, 1, 0);
    ASSERT_EQ(1u, pLook->calls.size());
    EXPECT_EQ("StatusPane", pLook->calls[0].name);
    EXPECT_EQ(1u, pLook->calls[0].dwKind);
    EXPECT_EQ(bar.m_dwStyle, pLook->calls[0].dwStyle);
}

TEST_F(StatusControlBarTest, TextAndIconChangesHoldTheControlsPaintingOffThenRepaintOnce)
{
    bar.UpdateWindow();
    PumpPending();
    g_probe = ControlProbe();
    g_probe.pfnOriginal = bar.m_pfnSuper;
    bar.m_pfnSuper = &ProbeProc;
    bar.nErase = 0;
    bar.SetPaneText(1, "changed");
    EXPECT_EQ(1, g_probe.nChanges);
    EXPECT_EQ(0, g_probe.lPaintAnswer);
    EXPECT_EQ(1, g_probe.lEraseAnswer);
    EXPECT_FALSE(g_probe.bErasePainted);
    EXPECT_EQ(1, bar.nErase);

    HICON hIcon = ::LoadIconA(NULL, IDI_INFORMATION);
    bar.nErase = 0;
    bar.SendMessage(SB_SETICON, 1, (LPARAM)hIcon);
    EXPECT_EQ(2, g_probe.nChanges);
    EXPECT_EQ(0, g_probe.lPaintAnswer);
    EXPECT_EQ(1, g_probe.lEraseAnswer);
    EXPECT_EQ(1, bar.nErase);
    PumpPending();
    EXPECT_EQ(0, g_probe.nPaints);
    bar.m_pfnSuper = g_probe.pfnOriginal;
}

TEST_F(StatusControlBarTest, TheGripperStripAndTheLastStretchingPane)
{
    ASSERT_NE(0u, bar.GetStyle() & SBARS_SIZEGRIP);
    bar.SetPaneInfo(3, ID_P3, SBPS_STRETCH, 60);
    CRect rcClient;
    bar.GetClientRect(rcClient);
    const int cxStrip = ::GetSystemMetrics(SM_CXVSCROLL);
    Paint();
    ASSERT_EQ(1u, pLook->Calls("SizeGrip").size());
    CRect rcStrip(rcClient.right - cxStrip, rcClient.top, rcClient.right, rcClient.bottom);
    rcStrip.OffsetRect(-2, -2);
    EXPECT_EQ(rcStrip, pLook->Calls("SizeGrip")[0].rc);
    std::vector<painttest::PaintCall> borders = pLook->Panes(StatusPanePaintData::kPane);
    ASSERT_FALSE(borders.empty());
    EXPECT_EQ(rcClient.right - cxStrip, borders.back().rcClip.right);
    EXPECT_EQ(rcClient.right - ::GetSystemMetrics(SM_CXSMICON) - ::GetSystemMetrics(SM_CXEDGE),
              borders.back().rc.right);

    frame->ModifyStyle(0, WS_MAXIMIZE);
    Paint();
    EXPECT_TRUE(pLook->Calls("SizeGrip").empty());
    borders = pLook->Panes(StatusPanePaintData::kPane);
    ASSERT_FALSE(borders.empty());
    EXPECT_EQ(rcClient.right, borders.back().rcClip.right);
    frame->ModifyStyle(WS_MAXIMIZE, 0);

    // Without a visible gripper the corner does not size the frame.
    CPoint ptCorner(rcClient.right - 2, rcClient.bottom - 2);
    bar.ClientToScreen(&ptCorner);
    EXPECT_NE(HTCLIENT, (int)bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y)));
    bar.bGripperVisible = false;
    EXPECT_EQ(HTCLIENT, (int)bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y)));
}

TEST_F(StatusControlBarTest, ControlsFollowTheirPanesAndAutoDestroyOnesGoWithTheBar)
{
    CWnd ctrl;
    ASSERT_TRUE(ctrl.Create("STATIC", "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 1));
    ASSERT_TRUE(bar.AddPaneControl(ctrl.GetSafeHwnd(), ID_P2, false));
    auto placed = [&]() {
        CRect rc;
        ctrl.GetWindowRect(rc);
        bar.ScreenToClient(rc);
        return rc;
    };
    const int e = ::GetSystemMetrics(SM_CXEDGE);
    CRect rcBar;
    bar.GetWindowRect(rcBar);
    bar.SetWindowPos(nullptr, 0, 0, rcBar.Width() - 40, rcBar.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CRect rcPane = PaneRect(2);
    rcPane.DeflateRect(e, e);
    EXPECT_EQ(rcPane, placed());
    bar.SetPaneStyle(2, SBPS_NOBORDERS);
    bar.SetWindowPos(nullptr, 0, 0, rcBar.Width() - 20, rcBar.Height(), SWP_NOMOVE | SWP_NOZORDER);
    rcPane = PaneRect(2);
    rcPane.DeflateRect(e, 1);
    EXPECT_EQ(rcPane, placed());

    // Top-level windows, so that only the bar's own choice can destroy them.
    const HWND hKept = ::CreateWindowExA(0, "STATIC", "kept", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    const HWND hGone = ::CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    {
        CUiStatusControlBar other;
        ASSERT_TRUE(other.Create(frame, WS_CHILD | CBRS_BOTTOM, 0x7777));
        ASSERT_TRUE(other.AddPaneControl(hKept, ID_P1, false));
        ASSERT_TRUE(other.AddPaneControl(hGone, ID_P1, true));
    }
    EXPECT_TRUE(::IsWindow(hKept));
    EXPECT_FALSE(::IsWindow(hGone));
    ::DestroyWindow(hKept);
}

TEST_F(StatusControlBarTest, APaneTipIsTheToolTextButNotWhileABarMenuIsTracked)
{
    ASSERT_TRUE(bar.SetPaneTipText(1, "Port state"));
    EXPECT_EQ((UINT)DT_SINGLELINE | DT_VCENTER, bar.GetPaneTextFormat(1));
    ASSERT_TRUE(bar.SetPaneTextFormat(2, DT_SINGLELINE | DT_RIGHT));
    EXPECT_EQ((UINT)DT_SINGLELINE | DT_RIGHT, bar.GetPaneTextFormat(2));
    const CPoint pt = PaneRect(1).CenterPoint();
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_P1, bar.OnToolHitTest(pt, &ti));
    ASSERT_NE(LPSTR_TEXTCALLBACK, ti.lpszText);
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ("Port state", ti.lpszText);
    EXPECT_EQ(PaneRect(1).left, ti.rect.left);
    free(ti.lpszText);
    TOOLINFO ti2 = {};
    ti2.cbSize = sizeof(ti2);
    EXPECT_EQ((INT_PTR)ID_P2, bar.OnToolHitTest(PaneRect(2).CenterPoint(), &ti2));
    EXPECT_EQ(LPSTR_TEXTCALLBACK, ti2.lpszText);

    CUiToolControlBar::g_bMenuTracking = true;
    EXPECT_EQ(-1, bar.OnToolHitTest(pt, nullptr));
}

TEST_F(StatusControlBarTest, ARightClickTracksTheBarsMenuExceptInHelpMode)
{
    popuptrack::TrackRecorder recorder;
    recorder.Refuse();
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(300, 320));
    ASSERT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(3, frame->nEvent);
    EXPECT_EQ(0x800u, recorder.calls[0].nFlags);
    EXPECT_EQ(300, recorder.calls[0].x);
    EXPECT_EQ(320, recorder.calls[0].y);

    frame->m_bHelpMode = TRUE;
    frame->nEvent = -1;
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(300, 320));
    EXPECT_EQ(1u, recorder.calls.size());
    EXPECT_EQ(-1, frame->nEvent);
    frame->m_bHelpMode = FALSE;
}

TEST_F(StatusControlBarTest, EachSystemChangeReachesBothHoldersOnce)
{
    bar.SendMessage(WM_SYSCOLORCHANGE);
    bar.SendMessage(WM_SETTINGCHANGE, 0, 0);
    bar.SendMessage(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    bar.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(1, pLook->nSysColor);
    EXPECT_EQ(1, pLook->nSetting);
    EXPECT_EQ(1, pLook->nDisplay);
    EXPECT_EQ(1, pLook->nTheme);
    EXPECT_EQ(1, pProfile->nSysColor);
    EXPECT_EQ(1, pProfile->nSetting);
    EXPECT_EQ(1, pProfile->nDisplay);
    EXPECT_EQ(1, pProfile->nTheme);
}

} // namespace
