// Damaged saved layouts, as a crash, another version or a hand leaves them in the registry:
// the limits each saved value is held to, then a saved layout of the eight panes, a floating
// group and a toolbar damaged one value at a time and put back onto a fresh frame, which must
// show, lie on the work area and let a person reach every pane.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "bars_test_support.h"
#include "layout_check_support.h"

#include "barstate.h"
#include "barstate_test_support.h"
#include "barstatelimits.h"
#include "barstaterecords.h"
#include "minidockframewnd.h"
#include "monitorinfo.h"

namespace {

using barstatetest::Bytes;
using barstest::Pane;
using barstest::PaneFrameFixture;
using Record = CUiControlBar::InternalDockStateBar;
using Site = CUiControlBar::InternalDockStateSite;

const CRect kWork(0, 0, 1280, 1000);

TEST(BarStateLimits, ValuesTheProgramCannotHaveWrittenAreRefusedAndPlacesKeptOnTheWorkArea)
{
    using namespace barstatelimits;
    EXPECT_EQ((UINT)SW_SHOWNORMAL, ShowCommand(1234));
    EXPECT_EQ((UINT)SW_SHOWNORMAL, ShowCommand(-1));
    EXPECT_EQ((UINT)SW_SHOWMAXIMIZED, ShowCommand(SW_SHOWMAXIMIZED));
    EXPECT_EQ((UINT)SW_HIDE, ShowCommand(SW_HIDE));   // "none pending" to the frame

    const CRect rcOwn(100, 100, 900, 700);
    const CSize sizeMinTrack(116, 27);
    EXPECT_EQ(CRect(50, 60, 850, 660), FramePlacement(CRect(50, 60, 850, 660), rcOwn, kWork, sizeMinTrack));
    EXPECT_EQ(rcOwn, FramePlacement(CRect(50, 60, 50, 60), rcOwn, kWork, sizeMinTrack));
    EXPECT_EQ(rcOwn, FramePlacement(CRect(50, 60, -50, 10), rcOwn, kWork, sizeMinTrack));
    EXPECT_EQ(kWork, FramePlacement(CRect(-5000, -5000, 0x3FFFFFFF, 0x3FFFFFFF), rcOwn, kWork, sizeMinTrack));
    EXPECT_EQ(CRect(480, 400, 1280, 1000), FramePlacement(CRect(INT_MAX - 800, INT_MAX - 600, INT_MAX, INT_MAX), rcOwn,
                                                          kWork, sizeMinTrack));

    const CSize sizeMin(40, 60), sizeDefault(200, 200);
    EXPECT_EQ(CRect(300, 200, 500, 400), FloatingFrame(CRect(300, 200, 300, 200), sizeMin, sizeDefault, kWork));
    EXPECT_EQ(CRect(300, 200, 420, 390), FloatingFrame(CRect(300, 200, 420, 390), sizeMin, sizeDefault, kWork));
    EXPECT_EQ(CRect(-100, 200, 100, 400), FloatingFrame(CRect(-100, 200, 100, 400), sizeMin, sizeDefault, kWork));
    EXPECT_EQ(CRect(1080, 200, 1280, 400), FloatingFrame(CRect(9000, 200, 9200, 400), sizeMin, sizeDefault, kWork));
    EXPECT_EQ(CRect(1080, 800, 1280, 1000), FloatingFrame(CRect(INT_MAX - 200, INT_MAX - 200, INT_MAX, INT_MAX), sizeMin,
                                                          sizeDefault, kWork));
    EXPECT_EQ(CRect(0, 0, 1280, 1000), FloatingFrame(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), sizeMin, sizeDefault, kWork));

    EXPECT_EQ(CSize(150, 300), BarSize(CSize(0x3FFFFFFF, 300), CSize(150, 200), kWork));
    EXPECT_EQ(CSize(150, 200), BarSize(CSize(0, -4), CSize(150, 200), kWork));
    EXPECT_EQ(CSize(1280, 1000), BarSize(CSize(1280, 1000), CSize(150, 200), kWork));
    EXPECT_EQ(CPoint(1279, 0), ScreenPoint(CPoint(INT_MAX, INT_MIN), kWork));
    EXPECT_EQ(CPoint(20, 30), ScreenPoint(CPoint(20, 30), kWork));
    EXPECT_EQ(CRect(0, 0, 200, 200), DockPlace(CRect(0, 0, 0x3FFFFFFF, 10), CRect(0, 0, 200, 200)));
    EXPECT_EQ(CRect(0, 0, 200, 200), DockPlace(CRect(10, 10, 5, 20), CRect(0, 0, 200, 200)));
    EXPECT_EQ(CRect(3, 4, 300, 250), DockPlace(CRect(3, 4, 300, 250), CRect(0, 0, 200, 200)));

    // A group's floating frame as the program makes it is kept; another style never loses the
    // alignment its dock bar takes back.
    const DWORD dwFrame = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_SYSMENU | 0x3900;
    EXPECT_EQ(dwFrame, FloatingFrameStyle(dwFrame));
    for (DWORD dwDamaged : {0ul, dwFrame & ~CBRS_ALIGN_ANY, (DWORD)WS_CHILD, 0xFFFFFFFFul})
        EXPECT_EQ(dwFrame & ~(WS_VISIBLE | WS_CLIPSIBLINGS), FloatingFrameStyle(dwDamaged)) << std::hex << dwDamaged;
}

// The eight panes in the default layout, the detailed log and the explorer floating as a
// group of their own, and a toolbar docked at the top.
struct LayoutFrame : PaneFrameFixture {
    barstest::StandInToolBar tool;
    LayoutFrame()
    {
        tool.Create(pFrame, 0xE880);
        pFrame->DockControlBar(&tool, AFX_IDW_DOCKBAR_TOP);
    }
    ~LayoutFrame()
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        winharness::PumpPending();
    }
};

void BuildLayout(LayoutFrame& f)
{
    layoutcheck::BuildDefaultLayout(f);
    Pane* pDetail = f.panes[PaneFrameFixture::kDetailedLog];
    pDetail->FloatAt(500, 300, CBRS_ALIGN_TOP);
    pDetail->DockIntoTabbedGroup(f.panes[PaneFrameFixture::kSendExplorer], -1);
    layoutcheck::Idle();
}

// The saved layout of a LayoutFrame, made once.
const Bytes& SavedLayout()
{
    static const Bytes bytes = [] {
        LayoutFrame a;
        BuildLayout(a);
        return barstatetest::Store([&](CArchive& ar) { BarStateSerialize(ar, a.pFrame, nullptr); });
    }();
    return bytes;
}

// The saved layout read as records, damaged by fn, and stored again.
Bytes Damaged(const std::function<void(Site&)>& fn)
{
    Site site(nullptr);
    EXPECT_TRUE(barstatetest::Load(SavedLayout(), [&](CArchive& ar) { return site.SerializeState(ar); }));
    fn(site);
    return barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });
}

Record* RecordOf(CArray<Record*, Record*>& records, UINT nId)
{
    for (INT_PTR i = 0; i < records.GetSize(); i++) {
        if (records[i]->m_nBarId == nId)
            return records[i];
        if (Record* p = RecordOf(records[i]->m_arrChildren, nId))
            return p;
    }
    return nullptr;
}

// The top-level record whose tree holds the pane.
Record* TopRecordHolding(Site& site, UINT nPaneId)
{
    for (INT_PTR i = 0; i < site.m_arrBars.GetSize(); i++) {
        CArray<Record*, Record*> one;
        one.Add(site.m_arrBars[i]);
        if (RecordOf(one, nPaneId) != nullptr)
            return site.m_arrBars[i];
    }
    return nullptr;
}

CRect WorkAreaOf(CWnd* pWnd)
{
    MonitorInfo info;
    MonitorInfoFromWindow(info, pWnd);
    return CRect(info.rcWork);
}

// Loads the bytes into a fresh frame and checks what a person finds there.
void ExpectUsableAfterLoad(const Bytes& bytes, const char* pszCase)
{
    SCOPED_TRACE(pszCase);
    LayoutFrame b;
    WINDOWPLACEMENT wp = {};
    barstatetest::Load(bytes, [&](CArchive& ar) { return BarStateSerialize(ar, b.pFrame, &wp); });
    layoutcheck::Idle();
    EXPECT_TRUE(wp.showCmd <= SW_MAX) << wp.showCmd;
    const CRect rcWork = WorkAreaOf(b.pFrame);
    CRect rcFrame;
    b.pFrame->GetWindowRect(&rcFrame);
    EXPECT_TRUE(b.pFrame->IsWindowVisible());
    EXPECT_EQ(rcFrame, rcFrame & rcWork);
    EXPECT_GE(rcFrame.Width(), ::GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ("", layoutcheck::Unusable(b));
    // Every pane can be shown through the bars menu, and then shows on the work area no larger
    // than it, its caption within reach.
    const int nCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    for (Pane* pPane : b.panes) {
        if (!pPane->IsWindowVisible()) {
            CUiControlBar::ToggleBarById(b.pFrame, (UINT)pPane->GetDlgCtrlID(), true);
            layoutcheck::Idle();
        }
        EXPECT_TRUE(pPane->IsWindowVisible()) << std::hex << pPane->GetDlgCtrlID();
        const CRect rc = layoutcheck::ShownPart(pPane);
        EXPECT_GE(rc.Width(), nCaption) << std::hex << pPane->GetDlgCtrlID();
        EXPECT_GE(rc.Height(), nCaption) << std::hex << pPane->GetDlgCtrlID();
        EXPECT_LE(rc.Width(), rcWork.Width()) << std::hex << pPane->GetDlgCtrlID();
        EXPECT_LE(rc.Height(), rcWork.Height()) << std::hex << pPane->GetDlgCtrlID();
        EXPECT_TRUE(rcWork.PtInRect(CPoint(rc.left + 4, rc.top + 4))) << std::hex << pPane->GetDlgCtrlID();
    }
    // No container holds itself.
    for (POSITION pos = b.pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = static_cast<CControlBar*>(b.pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)) && pBar->m_pDockBar != nullptr) {
            EXPECT_FALSE(pBar->IsChild(pBar->m_pDockBar));
            EXPECT_NE(pBar->m_pDockBar, static_cast<CUiDynControlBar*>(pBar)->m_pInnerDockBar);
        }
    }
    // A pane docked beside the view leaves the view room.
    CRect rcView;
    b.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcView);
    EXPECT_GT(rcView.Width(), 100);
    EXPECT_GT(rcView.Height(), 100);
    EXPECT_EQ("", layoutcheck::Unusable(b));
    // The toolbar sits in one place only and leaves none behind when it floats.
    CDockBar* pOld = b.tool.m_pDockBar;
    ASSERT_NE(nullptr, pOld);
    b.pFrame->FloatControlBar(&b.tool, CPoint(400, 400), CBRS_ALIGN_TOP);
    for (INT_PTR i = 0; pOld != b.tool.m_pDockBar && i < pOld->m_arrBars.GetSize(); i++)
        EXPECT_NE((void*)&b.tool, pOld->m_arrBars[i]);
}

TEST(BarStateDamage, EachDamagedValueGivesAFrameThatShowsOnTheWorkAreaWithEveryPaneWithinReach)
{
    const UINT kRightGroupPane = barstest::PaneSpecs()[PaneFrameFixture::kScript1].nID;
    const UINT kFloatingPane = barstest::PaneSpecs()[PaneFrameFixture::kDetailedLog].nID;
    const UINT kBottomPane = barstest::PaneSpecs()[PaneFrameFixture::kConnectionStatus].nID;
    struct Case {
        const char* pszName;
        std::function<void(Site&)> damage;
    };
    const Case cases[] = {
        {"the layout as saved", [](Site&) {}},
        {"show command 1234", [](Site& s) { s.m_wp.showCmd = 1234; }},
        {"a frame of no size", [](Site& s) { s.m_wp.rcNormalPosition.right = s.m_wp.rcNormalPosition.left; }},
        {"a frame of negative size",
         [](Site& s) { ::SetRect(&s.m_wp.rcNormalPosition, 300, 300, 100, 200); }},
        {"a frame far off the screen",
         [](Site& s) { ::SetRect(&s.m_wp.rcNormalPosition, 0x3FFFFFF0, 9000, 0x3FFFFFFF, 9500); }},
        {"a floating group of no size",
         [&](Site& s) {
             Record* p = TopRecordHolding(s, kFloatingPane);
             p->m_rcFloatFrame.right = p->m_rcFloatFrame.left;
             p->m_rcFloatFrame.bottom = p->m_rcFloatFrame.top;
             p->m_sizeFloat = CSize(0, 0);
         }},
        {"a floating group whose frame style lost its alignment bits",
         [&](Site& s) { TopRecordHolding(s, kFloatingPane)->m_dwFloatFrameStyle &= ~CBRS_ALIGN_ANY; }},
        {"a floating group framed as a child window",
         [&](Site& s) { TopRecordHolding(s, kFloatingPane)->m_dwFloatFrameStyle = WS_CHILD | WS_VISIBLE; }},
        {"a floating group far off the screen",
         [&](Site& s) { TopRecordHolding(s, kFloatingPane)->m_rcFloatFrame.SetRect(INT_MAX - 10, INT_MIN, INT_MAX, 20); }},
        {"a pane 0x3FFFFFFF wide",
         [&](Site& s) {
             TopRecordHolding(s, kRightGroupPane)->m_sizeVert.cx = 0x3FFFFFFF;
             RecordOf(s.m_arrBars, kRightGroupPane)->m_sizeVert.cx = 0x3FFFFFFF;
         }},
        {"a pane with negative sizes",
         [&](Site& s) {
             Record* p = TopRecordHolding(s, kBottomPane);
             p->m_sizeHorz = p->m_sizeVert = p->m_sizeFloat = CSize(-5, -7);
             p->m_rcDock.SetRect(0, 0, -30, 0x7FFFFFFF);
         }},
        {"a container whose child names its own id",
         [&](Site& s) {
             Record* p = TopRecordHolding(s, kBottomPane);
             p->m_nBarId = 0x7123;
             p->m_arrChildren[0]->m_nBarId = 0x7123;
         }},
        {"a pane named twice",
         [&](Site& s) { RecordOf(s.m_arrBars, kBottomPane)->m_nBarId = kRightGroupPane; }},
        {"a pane named in the tree and on the toolbar's row",
         [&](Site& s) { s.m_pDockState->GetBarInfo(0)->m_arrBarID.Add(kRightGroupPane); }},
        {"the toolbar named twice in its row",
         [&](Site& s) {
             for (INT_PTR i = 0; i < s.m_pDockState->m_arrBarInfo.GetSize(); i++) {
                 CControlBarInfo* pInfo = s.m_pDockState->GetBarInfo((int)i);
                 if (pInfo->m_bDockBar && pInfo->m_arrBarID.GetSize() > 0)
                     pInfo->m_arrBarID.InsertAt(0, pInfo->m_arrBarID[0]);
             }
         }},
        {"the toolbar floating far off with no size",
         [&](Site& s) {
             for (INT_PTR i = 0; i < s.m_arrOuterItems.GetSize(); i++) {
                 s.m_arrOuterItems[i].m_bFlags |= CUiControlBar::OuterItemData_t::kFloating;
                 s.m_arrOuterItems[i].m_ptPos = CPoint(INT_MIN, INT_MAX);
                 s.m_arrOuterItems[i].m_sizeFloat = CSize(0, 0x7FFFFFFF);
             }
         }},
        {"a ring, a side and a kind that do not exist",
         [&](Site& s) {
             Record* p = TopRecordHolding(s, kRightGroupPane);
             p->m_nRingLevel = 0x7FFFFFFF;
             p->m_nDockBarId = 0x1234;
             TopRecordHolding(s, kBottomPane)->m_dwFlags = (TopRecordHolding(s, kBottomPane)->m_dwFlags & ~0xF) | 9;
         }},
        {"every record a floating child of another",
         [&](Site& s) {
             for (INT_PTR i = 0; i < s.m_arrBars.GetSize(); i++)
                 s.m_arrBars[i]->m_dwFlags |= Record::kChild | Record::kTab | Record::kFloating;
         }},
    };
    for (const Case& c : cases)
        ExpectUsableAfterLoad(Damaged(c.damage), c.pszName);
}

} // namespace
