// Docking: the frame's dock bars, docking and taking out with placeholders, the row layout,
// floating frames, toggling between docked and floating, and the dock state with damaged
// records.
#include "bar_test_support.h"
#include "afxarchive.h"
#include "afxdlgs.h"
#include "afxfile.h"
#include "heapcount.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

using namespace winharness;

namespace {

// A floating frame that cannot make its window.
class CFailingMiniFrame : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CFailingMiniFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CFailingMiniFrame, CMiniDockFrameWnd)

std::vector<void*> Entries(const CDockBar* pDockBar)
{
    std::vector<void*> v;
    for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
        v.push_back(pDockBar->m_arrBars[i]);
    return v;
}

void* Id(UINT nID)
{
    return (void*)(UINT_PTR)nID;
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*(int*)lParam;
    return TRUE;
}

int CountThreadWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, (LPARAM)&nCount);
    return nCount;
}

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pFrame = MakeBarFrame(view);
        ASSERT_NE(pFrame, nullptr);
        hFrame = pFrame->m_hWnd;
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
        PumpPending();
    }
    CDockBar* DockBar(UINT nID) { return (CDockBar*)pFrame->GetControlBar(nID); }
    void MakeBar(CFixedBar& bar, UINT nID, CFrameWnd* pParent = nullptr)
    {
        ASSERT_TRUE(bar.Create(pParent != nullptr ? pParent : pFrame, CBRS_ALIGN_TOP, nID, CSize(100, 20)));
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    // Bars a, b and c, able to dock anywhere; answers the top dock bar.
    CDockBar* MakeThreeBars()
    {
        MakeBar(a, 0xE810);
        MakeBar(b, 0xE811);
        MakeBar(c, 0xE812);
        return DockBar(AFX_IDW_DOCKBAR_TOP);
    }
    CMiniDockFrameWnd* FloatingFrameOf(CControlBar& bar)
    {
        CFrameWnd* p = bar.GetParentFrame();
        return p != nullptr && p->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) ? (CMiniDockFrameWnd*)p : nullptr;
    }

    CBarFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    CWnd view;
    CFixedBar a, b, c;
};

} // namespace

TEST_F(DockingTest, EnableDockingMakesFourDockBarsInSideOrder)
{
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    const DWORD aligns[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    ASSERT_EQ(pFrame->m_listControlBars.GetCount(), 4);
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    for (int i = 0; i < 4; i++) {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CDockBar)));
        EXPECT_TRUE(pBar->IsDockBar());
        EXPECT_EQ((UINT)pBar->GetDlgCtrlID(), ids[i]);
        EXPECT_EQ(pBar->m_dwStyle & CBRS_ALIGN_ANY, aligns[i]);
    }
    EXPECT_EQ(pFrame->m_pFloatingFrameClass, RUNTIME_CLASS(CMiniDockFrameWnd));
}

TEST_F(DockingTest, ABarDocksOnTheSideItAsksForOrTheFirstItAllows)
{
    MakeBar(a, 0xE810);
    pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr}));
    EXPECT_EQ(a.m_pDockBar, pTop);
    EXPECT_EQ(a.GetParent(), pTop);
    EXPECT_TRUE(a.m_dwStyle & CBRS_ALIGN_TOP);
    EXPECT_FALSE(a.m_dwStyle & CBRS_FLOATING);
    EXPECT_EQ(pTop->GetDockedCount(), 1);
    EXPECT_EQ(a.GetOwner(), pFrame);

    ASSERT_TRUE(b.Create(pFrame, CBRS_ALIGN_TOP, 0xE811, CSize(30, 100)));
    b.EnableDocking(CBRS_ALIGN_LEFT);
    pFrame->DockControlBar(&b);
    EXPECT_EQ(b.m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(b.m_dwStyle & CBRS_ALIGN_LEFT);

    pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(pTop), CRect(0, 0, 400, 20));
    EXPECT_EQ(ChildRect(&view), CRect(30, 20, 400, 300));
}

TEST_F(DockingTest, TakingABarOutLeavesAPlaceholderOrCollapsesItsRow)
{
    CDockBar* pTop = MakeThreeBars();
    pFrame->DockControlBar(&a, pTop);
    EXPECT_TRUE(pTop->RemoveControlBar(&a, -1, TRUE));
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, Id(0xE810), nullptr}));
    EXPECT_EQ(pTop->FindBar((CControlBar*)Id(0xE810)), 1);
    EXPECT_EQ(pTop->GetDockedCount(), 0);

    // Docked again, the bar takes its placeholder's place.
    pFrame->DockControlBar(&a, pTop);
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr}));

    pFrame->DockControlBar(&b, pTop);
    pFrame->DockControlBar(&c, pTop);
    ASSERT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr, &b, nullptr, &c, nullptr}));
    EXPECT_TRUE(pTop->RemoveControlBar(&b, -1, FALSE));
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr, &c, nullptr}));
    EXPECT_FALSE(pTop->RemoveControlBar(&b, -1, FALSE));
}

TEST_F(DockingTest, ABarThatStartsBeyondTheRowWrapsAndAResizedRowClips)
{
    CDockBar* pTop = MakeThreeBars();
    pFrame->DockControlBar(&a, pTop);
    pFrame->DockControlBar(&b, pTop);
    pFrame->DockControlBar(&c, pTop);
    pTop->m_arrBars.RemoveAll();
    for (void* p : {(void*)nullptr, (void*)&a, (void*)&b, (void*)&c, (void*)nullptr})
        pTop->m_arrBars.Add(p);

    pTop->m_rectLayout = CRect(0, 0, 250, 300);
    CSize size = pTop->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(size.cy, 20);
    EXPECT_EQ(ChildRect(&a), CRect(0, 0, 100, 20));
    EXPECT_EQ(ChildRect(&b), CRect(100, 0, 200, 20));
    EXPECT_EQ(ChildRect(&c), CRect(200, 0, 250, 20));
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, &b, &c, nullptr}));

    pTop->m_rectLayout = CRect(0, 0, 200, 300);
    size = pTop->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(size.cy, 40);
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, &b, nullptr, &c, nullptr}));
    EXPECT_EQ(ChildRect(&c), CRect(0, 20, 100, 40));

    // A query tells the same size and moves nothing.
    pTop->m_rectLayout = CRect(0, 0, 400, 300);
    pTop->m_bLayoutQuery = TRUE;
    EXPECT_EQ(pTop->CalcFixedLayout(FALSE, TRUE).cy, 40);
    pTop->m_bLayoutQuery = FALSE;
    EXPECT_EQ(ChildRect(&c), CRect(0, 20, 100, 40));
}

TEST_F(DockingTest, AFloatingBarLivesInAMiniFrameThatFollowsIt)
{
    MakeBar(a, 0xE810);
    pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    pFrame->FloatControlBar(&a, CPoint(300, 200), CBRS_ALIGN_TOP);
    CMiniDockFrameWnd* pMini = FloatingFrameOf(a);
    ASSERT_NE(pMini, nullptr);
    HWND hMini = pMini->m_hWnd;
    CWnd* pFirst = pMini->GetWindow(GW_CHILD);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->GetDlgCtrlID(), AFX_IDW_DOCKBAR_FLOAT);
    ASSERT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CDockBar)));
    CDockBar* pFloatBar = (CDockBar*)pFirst;
    EXPECT_TRUE(pFloatBar->m_bFloating);
    EXPECT_GT(pFloatBar->FindBar(&a), 0);
    EXPECT_TRUE(a.IsFloating());
    EXPECT_TRUE(a.m_dwStyle & CBRS_FLOATING);
    EXPECT_EQ(a.GetDockingFrame(), pFrame);
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(300, 200));
    EXPECT_TRUE(pMini->IsWindowVisible());
    CRect rcClient;
    pMini->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Size(), CSize(100, 20));   // sized around its bar

    pFrame->ShowControlBar(&a, FALSE, FALSE);
    EXPECT_FALSE(pMini->IsWindowVisible());
    pFrame->ShowControlBar(&a, TRUE, FALSE);
    EXPECT_TRUE(pMini->IsWindowVisible());

    // Its last bar going elsewhere destroys it.
    pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_FALSE(a.IsFloating());
    EXPECT_EQ(Entries(DockBar(AFX_IDW_DOCKBAR_TOP)), (std::vector<void*>{nullptr, &a, nullptr}));

    int nWindows = CountThreadWindows();
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CFailingMiniFrame);
    EXPECT_EQ(pFrame->CreateFloatingFrame(CBRS_ALIGN_TOP), nullptr);
    EXPECT_EQ(CountThreadWindows(), nWindows);
    pFrame->FloatControlBar(&a, CPoint(300, 200), CBRS_ALIGN_TOP);   // nothing to float it in
    EXPECT_FALSE(a.IsFloating());
}

namespace {

// Notes, at every message box, folder browser and file dialog, its owner and which of the
// windows watched took input while it was asked.
class EnabledAtPrompt : public CPromptHook {
public:
    explicit EnabledAtPrompt(std::vector<HWND> watched) : m_watched(watched), m_pOld(AfxSetPromptHook(this)) {}
    ~EnabledAtPrompt() override { AfxSetPromptHook(m_pOld); }
    int MessageBox(HWND hWndOwner, LPCSTR, LPCSTR, UINT) override
    {
        Note(hWndOwner);
        return IDOK;
    }
    BOOL BrowseForFolder(HWND hWndOwner, LPCSTR, UINT, CString&) override
    {
        Note(hWndOwner);
        return FALSE;
    }
    INT_PTR FileDialog(BOOL, OPENFILENAMEA* pofn) override
    {
        Note(pofn->hwndOwner);
        return IDCANCEL;
    }
    std::vector<HWND> owners;
    std::vector<std::vector<bool>> enabled;

private:
    void Note(HWND hWndOwner)
    {
        owners.push_back(hWndOwner);
        std::vector<bool> states;
        for (HWND h : m_watched)
            states.push_back(::IsWindowEnabled(h) != FALSE);
        enabled.push_back(states);
    }
    std::vector<HWND> m_watched;
    CPromptHook* m_pOld;
};

} // namespace

// A prompt asked from a floating frame, by any road, disables the frame above it and with it
// every floating frame for its time; one asked while the frame is disabled already (under a
// modal dialog) leaves it disabled.
TEST_F(DockingTest, APromptFromAFloatingFrameMakesTheFrameAndEveryFloatingFrameWait)
{
    MakeBar(a, 0xE810);
    MakeBar(b, 0xE811);
    pFrame->FloatControlBar(&a, CPoint(300, 200), CBRS_ALIGN_TOP);
    pFrame->FloatControlBar(&b, CPoint(450, 200), CBRS_ALIGN_TOP);
    const HWND hMiniA = FloatingFrameOf(a)->m_hWnd, hMiniB = FloatingFrameOf(b)->m_hWnd;
    ::SetActiveWindow(hMiniA);
    ASSERT_EQ(hMiniA, ::GetActiveWindow());
    EnabledAtPrompt prompts({hFrame, hMiniA, hMiniB});
    AfxMessageBox("from the active floating frame");
    a.MessageBox("from a bar in it");
    CString folder;
    AfxBrowseForFolder(&a, "a folder", folder);
    CFileDialog(TRUE, NULL, NULL, 0, NULL, &a).DoModal();
    EXPECT_EQ(prompts.owners, (std::vector<HWND>{hMiniA, a.m_hWnd, hMiniA, hMiniA}));
    const std::vector<bool> none(3, false);
    EXPECT_EQ(prompts.enabled, (std::vector<std::vector<bool>>(4, none)));
    for (HWND h : {hFrame, hMiniA, hMiniB})
        EXPECT_TRUE(::IsWindowEnabled(h));

    pFrame->EnableWindow(FALSE);
    AfxMessageBox("under a modal dialog");
    EXPECT_FALSE(::IsWindowEnabled(hFrame));
    pFrame->EnableWindow(TRUE);
}

TEST_F(DockingTest, ToggleDockingFloatsAtTheLastPlaceAndDocksBackIntoTheOldRow)
{
    MakeBar(a, 0xE810);
    MakeBar(b, 0xE811);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(&a, pTop);
    pFrame->DockControlBar(&b, pTop);
    pFrame->RecalcLayout();
    ASSERT_NE(b.m_pDockContext, nullptr);
    b.m_pDockContext->m_ptMRUFloatPos = CPoint(350, 250);

    b.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(b.IsFloating());
    CRect rcMini;
    FloatingFrameOf(b)->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(350, 250));
    EXPECT_EQ(b.m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr, Id(0xE811), nullptr}));

    b.m_pDockContext->ToggleDocking();
    EXPECT_FALSE(b.IsFloating());
    EXPECT_EQ(b.m_pDockBar, pTop);
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr, &b, nullptr}));
    EXPECT_EQ(ChildRect(&b), CRect(0, 20, 100, 40));
}

TEST_F(DockingTest, TheDockStateRoundTripsAndRestoresRowsAndFloatingPlaces)
{
    CDockBar* pTop = MakeThreeBars();
    pFrame->DockControlBar(&a, pTop);
    pFrame->RecalcLayout();
    CRect rcB;
    a.GetWindowRect(&rcB);
    rcB.OffsetRect(100, 0);
    pFrame->DockControlBar(&b, pTop, &rcB);
    pFrame->DockControlBar(&c, pTop);
    pFrame->RecalcLayout();
    pFrame->FloatControlBar(&c, CPoint(400, 300), CBRS_ALIGN_TOP);
    pFrame->RecalcLayout();
    ASSERT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, &b, nullptr, Id(0xE812), nullptr}));

    CDockState state;
    pFrame->GetDockState(state);
    ASSERT_EQ(state.m_arrBarInfo.GetSize(), 8);   // four dock bars, three bars, the floating dock bar
    CMemFile file1;
    {
        CArchive ar(&file1, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    CDockState read;
    file1.SeekToBegin();
    {
        CArchive ar(&file1, CArchive::load);
        read.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(read.m_arrBarInfo.GetSize(), state.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        EXPECT_TRUE(*read.GetBarInfo((int)i) == *state.GetBarInfo((int)i)) << "record " << i;
    const CControlBarInfo* pTopInfo = read.GetBarInfo(0);
    EXPECT_TRUE(pTopInfo->m_bDockBar);
    ASSERT_EQ(pTopInfo->m_arrBarID.GetSize(), 5);
    EXPECT_EQ(pTopInfo->m_arrBarID[3], 0xE812u | CControlBarInfo::kPlaceHolderFlag);
    const CControlBarInfo* pCInfo = read.GetBarInfo(6);
    EXPECT_EQ(pCInfo->m_nBarID, 0xE812u);
    EXPECT_TRUE(pCInfo->m_bFloating);
    EXPECT_TRUE(pCInfo->m_bVisible);
    EXPECT_EQ(pCInfo->m_ptMRUFloatPos, CPoint(400, 300));
    EXPECT_EQ(pCInfo->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_TOP);
    const CControlBarInfo* pFloatInfo = read.GetBarInfo(7);
    EXPECT_EQ(pFloatInfo->m_nBarID, (UINT)AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_TRUE(pFloatInfo->m_bDockBar && pFloatInfo->m_bFloating && pFloatInfo->m_bHorz);
    ASSERT_EQ(pFloatInfo->m_arrBarID.GetSize(), 2);
    EXPECT_EQ(pFloatInfo->m_arrBarID[0], 0xE812u);
    CRect rcFloatBar;
    c.m_pDockBar->GetWindowRect(&rcFloatBar);
    EXPECT_EQ(pFloatInfo->m_pointPos, rcFloatBar.TopLeft());

    CMemFile file2;
    {
        CArchive ar(&file2, CArchive::store);
        read.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(file2.GetLength(), file1.GetLength());
    size_t nLength = (size_t)file1.GetLength();
    BYTE* p1 = file1.Detach();
    BYTE* p2 = file2.Detach();
    EXPECT_EQ(memcmp(p1, p2, nLength), 0);
    free(p1);
    free(p2);

    // A fresh frame with the same bars takes the rows and the floating place.
    CWnd view2;
    CBarFrame* pFrame2 = MakeBarFrame(view2);
    ASSERT_NE(pFrame2, nullptr);
    HWND hFrame2 = pFrame2->m_hWnd;
    pFrame2->EnableDocking(CBRS_ALIGN_ANY);
    CFixedBar a2, b2, c2;
    MakeBar(a2, 0xE810, pFrame2);
    MakeBar(b2, 0xE811, pFrame2);
    MakeBar(c2, 0xE812, pFrame2);
    pFrame2->SetDockState(read);
    pFrame2->RecalcLayout();
    CDockBar* pTop2 = (CDockBar*)pFrame2->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(Entries(pTop2), (std::vector<void*>{nullptr, &a2, &b2, nullptr, Id(0xE812), nullptr}));
    EXPECT_EQ(ChildRect(&b2), CRect(100, 0, 200, 20));
    ASSERT_TRUE(c2.IsFloating());
    CRect rcMini;
    FloatingFrameOf(c2)->GetWindowRect(&rcMini);
    EXPECT_EQ(rcMini.TopLeft(), CPoint(400, 300));
    EXPECT_EQ(c2.m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_TOP);
    ::DestroyWindow(hFrame2);
}

TEST_F(DockingTest, ABarNamedTwiceInARowDocksOnceAndADockStateCutShortLeavesNothingBehind)
{
    CDockBar* pTop = MakeThreeBars();
    pFrame->DockControlBar(&a, pTop);
    pFrame->DockControlBar(&b, pTop);
    pFrame->RecalcLayout();
    CDockState state;
    pFrame->GetDockState(state);
    CControlBarInfo* pTopInfo = state.GetBarInfo(0);
    ASSERT_EQ(pTopInfo->m_nBarID, (UINT)AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pTopInfo->m_arrBarID[0], 0xE810u);
    pTopInfo->m_arrBarID.InsertAt(1, 0xE810u);
    pFrame->SetDockState(state);
    pFrame->RecalcLayout();
    EXPECT_EQ(Entries(pTop), (std::vector<void*>{nullptr, &a, nullptr, &b, nullptr}));
    // Floated, the bar leaves its place for a placeholder and no entry of itself behind.
    pFrame->FloatControlBar(&a, CPoint(300, 300), CBRS_ALIGN_TOP);
    for (void* p : Entries(pTop))
        EXPECT_NE(p, (void*)&a);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    const UINT nLength = (UINT)file.GetLength();
    std::vector<BYTE> bytes(nLength);
    file.SeekToBegin();
    file.Read(bytes.data(), nLength);
    auto readCut = [&](UINT nCut) {
        CMemFile cut;
        cut.Write(bytes.data(), nCut);
        cut.SeekToBegin();
        CDockState read;
        try {
            CArchive ar(&cut, CArchive::load);
            read.Serialize(ar);
        } catch (CException* e) {
            e->Delete();
        }
    };
    readCut(nLength - 1);
    const long nBefore = heapcount::LiveBlocks();
    for (UINT n = 0; n < nLength; n++)
        readCut(n);
    EXPECT_EQ(nBefore, heapcount::LiveBlocks());
}
