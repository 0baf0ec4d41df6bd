// Saved docking layouts on real frames: rows of the inner rings and docked and floating
// containers saved from one frame and put back onto a fresh one, the byte-identical round trip, damaged
// and cut streams refused with nothing applied, the frame lock, the registry round trip under
// a test key with its removal, and a floating frame that cannot be made during an apply.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "bars_test_support.h"
#include "layout_check_support.h"

#include "afxfile.h"
#include "barstate.h"
#include "barstaterecords.h"
#include "barstate_test_support.h"
#include "cmdmanager.h"
#include "dynbar.h"
#include "minidockframewnd.h"
#include "monitorinfo.h"

namespace {

using barstest::FrameFixture;
using barstest::Pane;

using barstatetest::Bytes;

const char kCompany[] = "KorvaneBarStateTest";
const char kProduct[] = "Prod";
const UINT kIds[] = {0xA101, 0xA102, 0xA103};

// A harness frame with three resizable panes, all docked at the top of the first inner ring.
struct PanedFrame {
    FrameFixture fx;
    std::vector<Pane*> panes;
    PanedFrame()
    {
        CUiDockBar::AppendRing(fx.pFrame);
        for (UINT nID : kIds) {
            Pane* p = new Pane;
            p->m_bAutoDelete = FALSE;
            p->Create("Pane", fx.pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER);
            p->EnableDocking(CBRS_ALIGN_ANY);
            Inner(AFX_IDW_DOCKBAR_TOP)->DockControlBarEx(p, NULL, false);
            panes.push_back(p);
        }
        Layout();
    }
    ~PanedFrame()
    {
        for (Pane* p : panes) {
            p->DestroyWindow();
            delete p;
        }
    }
    CUiDockBar* Inner(UINT nSide) { return fx.Side(nSide)->GetRingDockBar(1); }
    void Layout()
    {
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
    Bytes Save()
    {
        return barstatetest::Store([&](CArchive& ar) { EXPECT_TRUE(BarStateSerialize(ar, fx.pFrame, nullptr)); });
    }
    bool Load(const Bytes& bytes, WINDOWPLACEMENT* pwp = nullptr)
    {
        const bool bLoaded = barstatetest::Load(bytes, [&](CArchive& ar) { return BarStateSerialize(ar, fx.pFrame, pwp); });
        winharness::PumpPending();
        return bLoaded;
    }
    // The bars of the dock bar's rows, row by row.
    static std::vector<std::vector<UINT>> Rows(CDockBar* pDockBar)
    {
        std::vector<std::vector<UINT>> rows;
        for (const std::vector<CControlBar*>& row : layoutcheck::RowsOf(pDockBar)) {
            rows.emplace_back();
            for (CControlBar* pBar : row)
                rows.back().push_back((UINT)pBar->GetDlgCtrlID());
        }
        return rows;
    }
};

// Two panes in one row of the left inner ring, the third in the next row.
void ArrangeLeftRows(PanedFrame& f)
{
    CUiDockBar* pLeft = f.Inner(AFX_IDW_DOCKBAR_LEFT);
    for (Pane* p : f.panes)
        pLeft->DockControlBarEx(p, NULL, false);
    const int nSecond = pLeft->FindBar(f.panes[1]);
    ASSERT_EQ(nullptr, pLeft->m_arrBars[nSecond - 1]);
    pLeft->m_arrBars.RemoveAt(nSecond - 1);
    f.panes[0]->m_sizeVert = CSize(170, 240);
    f.Layout();
}

TEST(BarStateApply, RowsOfAnInnerRingComeBackOnAFreshFrameWithTheirSizes)
{
    Bytes saved;
    CSize sizeSaved;
    {
        PanedFrame a;
        ArrangeLeftRows(a);
        ASSERT_EQ((std::vector<std::vector<UINT>>{{kIds[0], kIds[1]}, {kIds[2]}}), PanedFrame::Rows(a.Inner(AFX_IDW_DOCKBAR_LEFT)));
        saved = a.Save();
        sizeSaved = a.panes[0]->m_sizeVert;
    }
    PanedFrame b;
    ASSERT_TRUE(b.Load(saved));
    EXPECT_EQ((std::vector<std::vector<UINT>>{{kIds[0], kIds[1]}, {kIds[2]}}), PanedFrame::Rows(b.Inner(AFX_IDW_DOCKBAR_LEFT)));
    for (Pane* p : b.panes)
        EXPECT_TRUE(p->IsWindowVisible()) << p->GetDlgCtrlID();
    EXPECT_EQ(sizeSaved, b.panes[0]->m_sizeVert);
    EXPECT_EQ(170, sizeSaved.cx);
    EXPECT_FALSE(CUiControlBar::FrameLockMapFind(b.fx.pFrame));
}

TEST(BarStateApply, SaveLoadSaveIsByteIdenticalAndAnyFullVersionOfTheSameShortVersionLoads)
{
    PanedFrame f;
    ArrangeLeftRows(f);
    const Bytes first = f.Save();
    ASSERT_TRUE(f.Load(first));
    EXPECT_EQ(first, f.Save());

    Bytes other = first;
    const size_t nFullVersion = 1 + other[0];
    const DWORD dwFull = 0x02020800;
    memcpy(&other[nFullVersion], &dwFull, 4);
    EXPECT_TRUE(f.Load(other));
}

TEST(BarStateApply, ADamagedOrCutStreamAppliesNothingAndSetsTheFramesOwnPlacementBack)
{
    PanedFrame f;
    ArrangeLeftRows(f);
    const Bytes good = f.Save();
    // The panes go back to the top, where a refused load must leave them.
    CUiDockBar* pTop = f.Inner(AFX_IDW_DOCKBAR_TOP);
    for (Pane* p : f.panes)
        pTop->DockControlBarEx(p, NULL, false);
    f.Layout();

    std::vector<Bytes> refused;
    Bytes shortVersion = good;
    shortVersion[1 + good[0] + 4] = 0x03;
    refused.push_back(shortVersion);
    for (size_t n = 0; n < good.size(); n++)
        refused.emplace_back(good.begin(), good.begin() + n);
    for (const Bytes& bytes : refused) {
        ASSERT_FALSE(f.Load(bytes)) << bytes.size();
        ASSERT_EQ(pTop, f.panes[0]->m_pDockBar) << bytes.size();
        ASSERT_EQ(pTop, f.panes[2]->m_pDockBar) << bytes.size();
        ASSERT_FALSE(CUiControlBar::FrameLockMapFind(f.fx.pFrame));
    }
    WINDOWPLACEMENT wp = {sizeof(wp)};
    f.fx.pFrame->GetWindowPlacement(&wp);
    EXPECT_EQ((UINT)SW_SHOWNORMAL, wp.showCmd);   // SW_SHOWNA shows a normal window
    f.fx.pFrame->ShowWindow(SW_HIDE);
    EXPECT_FALSE(f.Load(Bytes(good.begin(), good.begin() + 60)));
    EXPECT_FALSE(f.fx.pFrame->IsWindowVisible());

    ASSERT_TRUE(f.Load(good));
    EXPECT_EQ(f.Inner(AFX_IDW_DOCKBAR_LEFT), f.panes[0]->m_pDockBar);
}

TEST(BarStateApply, AFrameInTheLockMapIsRefusedAtOnce)
{
    PanedFrame f;
    ASSERT_TRUE(CUiControlBar::FrameLockMapAdd(f.fx.pFrame, true));
    EXPECT_FALSE(CUiControlBar::FrameLockMapAdd(f.fx.pFrame, false));
    bool bLoading = false;
    EXPECT_TRUE(CUiControlBar::FrameLockMapFind(f.fx.pFrame, &bLoading));
    EXPECT_TRUE(bLoading);
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_FALSE(BarStateSerialize(ar, f.fx.pFrame, nullptr));
        ar.Close();
    }
    EXPECT_EQ(0u, (UINT)file.GetLength());
    EXPECT_TRUE(CUiControlBar::FrameLockMapRemove(f.fx.pFrame));
    EXPECT_FALSE(CUiControlBar::FrameLockMapRemove(f.fx.pFrame));
}

class BarStateRegistry : public ::testing::Test {
protected:
    ~BarStateRegistry() override { CWinApp::DelRegTree(HKEY_CURRENT_USER, CString("Software\\") + kCompany); }
    static bool KeyExists(LPCSTR lpszPath)
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, lpszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }
};

TEST_F(BarStateRegistry, OnlyAFrameWithACommandProfileSavesAndTheLayoutIsGoneWithItsFrameworkKey)
{
    CString strPath;
    BarStateRegistryPath(strPath, kProduct, kCompany, kProduct);
    {
        PanedFrame f;
        EXPECT_FALSE(BarStateSave(f.fx.pFrame, kCompany, kProduct, kProduct, nullptr));
        EXPECT_FALSE(KeyExists(strPath));
        EXPECT_FALSE(BarStateLoad(f.fx.pFrame, kCompany, kProduct, kProduct, nullptr));
    }
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    {
        PanedFrame a;
        ArrangeLeftRows(a);
        ASSERT_TRUE(pManager->ProfileInstall("BarStateTest", a.fx.hFrame));
        ASSERT_TRUE(BarStateSave(a.fx.pFrame, kCompany, kProduct, kProduct, nullptr));
        EXPECT_TRUE(KeyExists(strPath));
        pManager->ProfileReleaseWindow(a.fx.hFrame);
    }
    {
        PanedFrame b;
        ASSERT_TRUE(pManager->ProfileBindWindow("BarStateTest", b.fx.hFrame));
        WINDOWPLACEMENT wp = {};
        ASSERT_TRUE(BarStateLoad(b.fx.pFrame, kCompany, kProduct, kProduct, &wp));
        EXPECT_EQ(sizeof(wp), wp.length);
        EXPECT_EQ(b.Inner(AFX_IDW_DOCKBAR_LEFT), b.panes[2]->m_pDockBar);

        // As the settings do on a version change: the framework's key goes.
        HKEY hAppKey;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, CString("Software\\") + kCompany + "\\" + kProduct, 0,
                                                 KEY_ALL_ACCESS, &hAppKey));
        CWinApp::DelRegTree(hAppKey, "VaviRIZ227");
        ::RegCloseKey(hAppKey);
        EXPECT_FALSE(BarStateLoad(b.fx.pFrame, kCompany, kProduct, kProduct, &wp));
        pManager->ProfileReleaseWindow(b.fx.hFrame);
    }
}

TEST(BarStateApply, AFrameSavedMaximisedIsMovedToItsWorkAreaBeforeItsBarsAreApplied)
{
    PanedFrame f;
    CUiControlBar::InternalDockStateSite site(f.fx.pFrame);
    site.CaptureState();
    site.m_wp.showCmd = SW_SHOWMAXIMIZED;
    const Bytes layout = barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });
    WINDOWPLACEMENT wp = {};
    ASSERT_TRUE(f.Load(layout, &wp));
    EXPECT_EQ((UINT)SW_SHOWMAXIMIZED, wp.showCmd);
    MonitorInfo info;
    MonitorInfoFromRect(info, site.m_wp.rcNormalPosition);
    CRect rc;
    f.fx.pFrame->GetWindowRect(&rc);
    EXPECT_EQ(CRect(info.rcWork), rc);
}

// A floating container of two panes, saved with its floating frame where it was (given
// back in prcFloat) or, with bMove, at *prcFloat.
Bytes FloatingContainerLayout(CRect* prcFloat = nullptr, bool bMove = false)
{
    PanedFrame a;
    a.fx.pFrame->FloatControlBar(a.panes[0], CPoint(200, 150));
    EXPECT_TRUE(a.panes[0]->DockBarBeside(a.panes[1], AFX_IDW_DOCKBAR_RIGHT, 50));
    a.Layout();
    CUiControlBar::InternalDockStateSite site(a.fx.pFrame);
    site.CaptureState();
    // The third pane on the top ring, then the container.
    EXPECT_EQ(2, site.m_arrBars.GetSize());
    if (site.m_arrBars.GetSize() != 2)
        return Bytes();
    CUiControlBar::InternalDockStateBar* pRecord = site.m_arrBars[1];
    EXPECT_EQ((DWORD)(CUiControlBar::InternalDockStateBar::kKindContainer | CUiControlBar::InternalDockStateBar::kFloating),
              pRecord->m_dwFlags & 0x2F);
    EXPECT_EQ(2, pRecord->m_arrChildren.GetSize());
    if (prcFloat != nullptr && bMove)
        pRecord->m_rcFloatFrame = *prcFloat;
    else if (prcFloat != nullptr)
        *prcFloat = pRecord->m_rcFloatFrame;
    return barstatetest::Store([&](CArchive& ar) { site.SerializeState(ar); });
}

CUiMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar)
{
    for (CWnd* p = pBar->GetParent(); p != nullptr; p = p->GetParent()) {
        if (p->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
            return static_cast<CUiMiniDockFrameWnd*>(p);
    }
    return nullptr;
}

TEST(BarStateApply, AFloatingContainerComesBackFloatingAtItsPlaceOrOnTheWorkArea)
{
    CRect rcSaved;
    const Bytes inside = FloatingContainerLayout(&rcSaved);
    ASSERT_FALSE(rcSaved.IsRectEmpty());
    {
        PanedFrame b;
        ASSERT_TRUE(b.Load(inside));
        CUiMiniDockFrameWnd* pFloat = FloatingFrameOf(b.panes[0]);
        ASSERT_NE(nullptr, pFloat);
        EXPECT_EQ(pFloat, FloatingFrameOf(b.panes[1]));
        EXPECT_TRUE(b.panes[0]->GetParent()->GetParent()->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
        CRect rc;
        pFloat->GetWindowRect(&rc);
        EXPECT_EQ(rcSaved, rc);
        EXPECT_TRUE(pFloat->IsWindowVisible());
    }
    CRect rcOutside(rcSaved);
    rcOutside.OffsetRect(9000, 0);
    const Bytes outside = FloatingContainerLayout(&rcOutside, true);
    PanedFrame c;
    ASSERT_TRUE(c.Load(outside));
    CUiMiniDockFrameWnd* pFloat = FloatingFrameOf(c.panes[0]);
    ASSERT_NE(nullptr, pFloat);
    CRect rc;
    pFloat->GetWindowRect(&rc);
    MonitorInfo info;
    MonitorInfoFromRect(info, rcOutside);
    EXPECT_EQ(CRect(info.rcWork.right - rcSaved.Width(), rcSaved.top, info.rcWork.right, rcSaved.bottom), rc);
}

TEST(BarStateApply, TwoPanesDockedSideBySideComeBackShownWithTheirSizes)
{
    Bytes saved;
    CSize sizes[2];
    {
        PanedFrame a;
        a.Inner(AFX_IDW_DOCKBAR_LEFT)->DockControlBarEx(a.panes[0], NULL, false);
        a.Layout();
        ASSERT_TRUE(a.panes[0]->DockBarBeside(a.panes[1], AFX_IDW_DOCKBAR_RIGHT, 50));
        layoutcheck::Idle();
        for (int i = 0; i < 2; ++i) {
            CRect rc;
            a.panes[i]->GetWindowRect(&rc);
            ASSERT_EQ(rc, layoutcheck::ShownPart(a.panes[i])) << i;
            sizes[i] = rc.Size();
        }
        saved = a.Save();
    }
    PanedFrame b;
    ASSERT_TRUE(b.Load(saved));
    layoutcheck::Idle();
    ASSERT_TRUE(b.panes[0]->GetParent()->GetParent()->IsKindOf(RUNTIME_CLASS(CUiDynControlBar)));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(sizes[i], layoutcheck::ShownPart(b.panes[i]).Size()) << i;
        EXPECT_GT(sizes[i].cx, 20) << i;
    }
}

// Refuses the creation of windows (WH_CBT) that match the test's filter.
struct CreationRefuser {
    static HWND s_hFrame;
    static bool s_bFloatingFrames;   // else: containers
    HHOOK hHook;
    CreationRefuser(HWND hFrame, bool bFloatingFrames)
    {
        s_hFrame = hFrame;
        s_bFloatingFrames = bFloatingFrames;
        hHook = ::SetWindowsHookExA(WH_CBT, Proc, NULL, ::GetCurrentThreadId());
    }
    ~CreationRefuser() { ::UnhookWindowsHookEx(hHook); }
    static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND) {
            const CREATESTRUCTA* pcs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            char szClass[64] = {};
            ::GetClassNameA((HWND)wParam, szClass, sizeof(szClass));
            if (s_bFloatingFrames && pcs->hwndParent == s_hFrame && (pcs->style & WS_POPUP))
                return 1;
            if (!s_bFloatingFrames && lstrcmpA(szClass, "VaviRIZ-ControlBar") == 0 && pcs->hwndParent == s_hFrame)
                return 1;
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
};
HWND CreationRefuser::s_hFrame = NULL;
bool CreationRefuser::s_bFloatingFrames = false;

struct FloatingFrameCount {
    HWND hOwner;
    int n;
};

BOOL CALLBACK CountFloatingFrame(HWND h, LPARAM l)
{
    FloatingFrameCount* p = reinterpret_cast<FloatingFrameCount*>(l);
    CWnd* pWnd = CWnd::FromHandlePermanent(h);
    if (::GetWindow(h, GW_OWNER) == p->hOwner && pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd)))
        ++p->n;
    return TRUE;
}

int CountFloatingFrames(HWND hOwner)
{
    FloatingFrameCount count = {hOwner, 0};
    ::EnumThreadWindows(::GetCurrentThreadId(), CountFloatingFrame, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

TEST(BarStateApply, AFloatingFrameThatCannotBeMadeFailsTheLoadAndLeavesTheFrameLayingItselfOut)
{
    const Bytes layout = FloatingContainerLayout();
    PanedFrame b;
    CWnd* pView = b.fx.pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, pView);
    {
        CreationRefuser refuser(b.fx.hFrame, true);
        EXPECT_FALSE(b.Load(layout));
    }
    EXPECT_FALSE(b.fx.pFrame->m_bInRecalcLayout);
    EXPECT_FALSE(CUiControlBar::FrameLockMapFind(b.fx.pFrame));
    pView->MoveWindow(0, 0, 1, 1);
    b.fx.pFrame->RecalcLayout();
    CRect rcView;
    pView->GetWindowRect(&rcView);
    EXPECT_GT(rcView.Width(), 1);
    EXPECT_GT(rcView.Height(), 1);
}

TEST(BarStateApply, AContainerThatCannotBeMadeTakesItsFloatingFrameAlong)
{
    const Bytes layout = FloatingContainerLayout();
    PanedFrame b;
    const int nBefore = CountFloatingFrames(b.fx.hFrame);
    {
        CreationRefuser refuser(b.fx.hFrame, false);
        EXPECT_TRUE(b.Load(layout));
    }
    EXPECT_EQ(nBefore, CountFloatingFrames(b.fx.hFrame));
    EXPECT_EQ(nullptr, FloatingFrameOf(b.panes[0]));
}

} // namespace
