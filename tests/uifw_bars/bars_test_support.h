// The frame and bars the bar tests share: a frame with a view (0xE900) that records the bars'
// registered messages, resizable panes of chosen minimum extents, and a stand-in toolbar that
// answers as the framework's toolbars do (fixed size, marker docking, a placement record, a
// row of its own on request, equal thickness unless it may not expand).
#pragma once
#include "dockbar.h"
#include "dockmarkerwnd.h"
#include "dyntabbar.h"
#include "dragstate.h"
#include "popupmenuwnd.h"
#include "toolcontrolbar.h"
#include "winharness.h"

#include <vector>

namespace barstest {

class RecordingFrame : public CFrameWnd {
public:
    struct MenuEvent {
        WORD nEvent;
        CPoint pt;
        UINT nMsg;
    };
    std::vector<MenuEvent> menuEvents;
    int nTrackedAreas = 0;
    int nTabbedRequests = 0;
    bool bAnswerConstruct = false;
    int nLayoutsByOuterBar = 0;
    CUiDynTabControlBar* pTabbedBar = nullptr;   // handed out for the next tabbed group

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == CUiControlBar::g_nMsgConstructPopupMenu) {
            auto* pData = reinterpret_cast<CUiControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
            if (!(pData->m_bFlags & 0x01))
                menuEvents.push_back({pData->m_nEvent, pData->m_pt, pData->m_nMsg});
            return bAnswerConstruct ? 1 : 0;
        }
        if (nMsg == CUiControlBar::g_nMsgDrawTackedArea)
            ++nTrackedAreas;
        if (nMsg == CUiControlBar::g_nMsgCreateTabbedBar) {
            ++nTabbedRequests;
            if (pTabbedBar != nullptr) {
                *reinterpret_cast<CUiDynTabControlBar**>(wParam) = pTabbedBar;
                pTabbedBar = nullptr;
            }
        }
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        CControlBar* pTop = GetControlBar(AFX_IDW_DOCKBAR_TOP);
        if (pTop != nullptr && pTop->IsKindOf(RUNTIME_CLASS(CUiDockOuterBar)) &&
            (static_cast<CUiDockOuterBar*>(pTop)->m_bOuterFlags & CUiDockOuterBar::kRunning))
            ++nLayoutsByOuterBar;
        CFrameWnd::RecalcLayout(bNotify);
    }
};

class Pane : public CUiControlBar {
public:
    int nMinLength = 0;      // along a top or bottom row; 0: the bar's own
    int nMinHeight = 0;      // 0: the bar's own
    int nNcPaints = 0;
    int nPaints = 0;
    int nRightButtons = 0;   // presses and releases, client or not
    int GetMinExtentHorz() const override { return nMinLength > 0 ? nMinLength : CUiControlBar::GetMinExtentHorz(); }
    int GetMinExtentVert() const override { return nMinHeight > 0 ? nMinHeight : CUiControlBar::GetMinExtentVert(); }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_NCPAINT)
            ++nNcPaints;
        else if (nMsg == WM_PAINT)
            ++nPaints;
        else if (nMsg == WM_RBUTTONDOWN || nMsg == WM_RBUTTONUP || nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCRBUTTONUP)
            ++nRightButtons;
        return CUiControlBar::WindowProc(nMsg, wParam, lParam);
    }
};

class StandInToolBar : public CUiToolControlBar {
public:
    BarPlacementRecord record;
    bool bRowOfItsOwn = false;
    bool bTurns = false;   // long along a left or right side too, as the framework's toolbars are
    CSize sizePreferred = CSize(150, 22);
    CSize sizeMin = CSize(60, 22);

    BOOL Create(CWnd* pParent, UINT nID)
    {
        m_dwStyle = CBRS_ALIGN_TOP;
        if (!CWnd::Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CSize CalcDynamicLayout(int, DWORD nMode) override { return Turned(sizePreferred, (nMode & LM_VERTDOCK) != 0); }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return Turned(sizePreferred, !bHorz); }
    CSize GetMinSize() const override { return Turned(sizeMin, IsDockedVertically() != FALSE); }
    CSize Turned(CSize size, bool bVert) const { return bTurns && bVert ? CSize(size.cy, size.cx) : size; }
    bool IsMarkerDockingMode() const override { return true; }
    BarPlacementRecord* GetPlacementRecord() override { return &record; }
    void SetPlacementRecord(const BarPlacementRecord& r) override { record = r; }
    bool RowQueryFlag() const override { return bRowOfItsOwn; }
    bool IsSingleOnRow() const override { return !m_bNoContentExpand; }
};

class View : public CWnd {
public:
    void PostNcDestroy() override { delete this; }
};

// A frame with its view and the framework's docking, shown without activation.
struct FrameFixture {
    RecordingFrame* pFrame;
    HWND hFrame;
    explicit FrameFixture(const CRect& rc = CRect(40, 40, 640, 480), bool bShow = true)
    {
        pFrame = new RecordingFrame;
        pFrame->Create(NULL, "Bars", WS_OVERLAPPEDWINDOW, rc);
        hFrame = pFrame->GetSafeHwnd();
        CWnd* pView = new View;
        pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
        EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
        if (bShow)
            pFrame->ShowWindow(SW_SHOWNA);
        winharness::PumpPending();
    }
    ~FrameFixture()
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
    CUiDockBar* Side(UINT nID) const { return static_cast<CUiDockBar*>(pFrame->GetControlBar(nID)); }
};

// A frame and the bars a test makes on it; the bars are deleted after the frame is gone.
class BarsOnFrameTest : public ::testing::Test {
protected:
    explicit BarsOnFrameTest(const CRect& rc) : fx(rc) {}
    FrameFixture fx;
    std::vector<CControlBar*> bars;
    Pane* MakePane(UINT nID, const char* pszText = "Pane")
    {
        Pane* p = new Pane;
        p->m_bAutoDelete = FALSE;
        p->Create(pszText, fx.pFrame, nID, 0x5640283C);
        p->EnableDocking(CBRS_ALIGN_ANY);
        bars.push_back(p);
        return p;
    }
    void TearDown() override
    {
        if (::IsWindow(fx.hFrame))
            ::DestroyWindow(fx.hFrame);
        winharness::PumpPending();
        for (CControlBar* p : bars)
            delete p;
    }
    void Layout()
    {
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
};

// The eight pane bars of the main window, in their order of creation, on a large frame.
struct PaneSpec {
    UINT nID;
    const char* pszCaption;
};
inline const PaneSpec* PaneSpecs()
{
    static const PaneSpec kPanes[8] = {
        {32774, "詳細ﾛｸﾞﾃﾞｰﾀ"}, {32772, "送信ﾃﾞｰﾀｴﾃﾞｨﾀ"}, {32776, "接続状況"}, {32777, "送信ﾃﾞｰﾀｴｸｽﾌﾟﾛｰﾗ"},
        {32860, "COM制御1"},    {32861, "COM制御2"},        {32898, "ｽｸﾘﾌﾟﾄ1"},   {32899, "ｽｸﾘﾌﾟﾄ2"},
    };
    return kPanes;
}

// The command ids of a menu's items in their order.
inline std::vector<UINT> MenuCmdIds(CUiPopupMenuWnd* pMenu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pMenu->ItemGetCount(); ++i)
        ids.push_back(pMenu->ItemGetCmdID(i));
    return ids;
}

// The command ids of the bars menu the frame builds on a right click on pSource (none when it
// builds none).
inline std::vector<UINT> BarsMenuCmdIds(CFrameWnd* pFrame, CWnd* pSource)
{
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    std::vector<UINT> ids;
    if (pMenu->InitRootMenu(pFrame->GetSafeHwnd()) &&
        CUiDockBar::BuildBarsPopupMenu(pFrame, pMenu, 1, pSource, WM_RBUTTONUP, 0))
        ids = MenuCmdIds(pMenu);
    delete pMenu;
    return ids;
}

// The inner dock marker of the type shown now, or null; with hTarget, only one of the set
// shown for that window. A set that came up for a window the drag passed on its way is
// destroyed as soon as the drag takes its next move, so a test that keeps a marker names
// the window it waits for.
inline CUiDynDockMarkerWnd* InnerMarkerOfType(int nType, HWND hTarget = NULL)
{
    auto& inner = CUiDynDockMarkerWnd::InnerDockMarkers;
    for (INT_PTR i = 0; i < inner.GetSize(); ++i) {
        if (inner[i]->GetMarkerType() == nType && (hTarget == NULL || inner[i]->GetTargetWnd() == hTarget))
            return inner[i];
    }
    return nullptr;
}

struct PaneFrameFixture : FrameFixture {
    enum { kDetailedLog, kSendEditor, kConnectionStatus, kSendExplorer, kComControl1, kComControl2, kScript1, kScript2 };
    Pane* panes[8] = {};
    // With bToolBars, stand-ins of the menu bar (a row of its own) and the toolbar in two rows
    // at the top, as the main window has them.
    std::vector<StandInToolBar*> toolbars;
    explicit PaneFrameFixture(bool bToolBars = false) : FrameFixture(CRect(0, 0, 1200, 900))
    {
        for (int i = 0; i < 8; ++i) {
            panes[i] = new Pane;
            panes[i]->m_bAutoDelete = FALSE;
            panes[i]->Create(PaneSpecs()[i].pszCaption, pFrame, PaneSpecs()[i].nID, 0x5640283C);
            panes[i]->EnableDocking(CBRS_ALIGN_ANY);
        }
        for (UINT nID : {0xE805u, 0xE800u}) {
            if (!bToolBars)
                break;
            toolbars.push_back(new StandInToolBar);
            toolbars.back()->Create(pFrame, nID);
            toolbars.back()->SetWindowText(nID == 0xE805u ? "Menu" : "Tools");
            toolbars.back()->bRowOfItsOwn = nID == 0xE805u;
            toolbars.back()->bTurns = nID != 0xE805u;
            pFrame->DockControlBar(toolbars.back(), AFX_IDW_DOCKBAR_TOP);
        }
        winharness::PumpPending();
    }
    // The main window's default layout: a group on the right (the send data editor's tab
    // first and selected, the two scripts) and one at the bottom (the detailed log's tab first
    // and selected, then connection status, send data explorer and the two COM controls).
    void BuildDefaultLayout()
    {
        struct Join {
            int nHost, nBar, nIndex;
        };
        static const Join kJoins[] = {
            {kScript1, kScript2, 1},          {kScript1, kSendEditor, 0},       {kConnectionStatus, kComControl2, 1},
            {kConnectionStatus, kComControl1, 1}, {kConnectionStatus, kSendExplorer, 1}, {kConnectionStatus, kDetailedLog, 0},
        };
        panes[kScript1]->m_sizeHorz = panes[kScript1]->m_sizeVert = CSize(300, 300);
        panes[kConnectionStatus]->m_sizeHorz = panes[kConnectionStatus]->m_sizeVert = CSize(250, 250);
        ASSERT_TRUE(panes[kScript1]->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false));
        ASSERT_TRUE(panes[kConnectionStatus]->DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, false));
        for (const Join& j : kJoins)
            ASSERT_TRUE(panes[j.nHost]->DockIntoTabbedGroup(panes[j.nBar], j.nIndex));
        pFrame->RecalcLayout();
        winharness::PumpPending();
    }
    ~PaneFrameFixture()
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
        for (Pane* p : panes)
            delete p;
        for (StandInToolBar* p : toolbars)
            delete p;
    }
};

} // namespace barstest
