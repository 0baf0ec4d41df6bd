// The toolbar's sizes for the docking code and the placement of its buttons: empty bars,
// a docked bar too short for its buttons, a floating bar sized by its height, hidden buttons,
// a bar dropped into a row too short for it.
#include <gtest/gtest.h>

#include <algorithm>

#include "dragstate.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"
#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

class ToolBarLayout : public ToolBarFixture {
protected:
    std::vector<UINT> TenWithSeparator()
    {
        std::vector<UINT> ids;
        for (UINT i = 0; i < 10; ++i) {
            if (i == 5)
                ids.push_back(0);
            ids.push_back(kIconFirst + i);
        }
        return ids;
    }
    // Sizes the bar's client area to cx and places the buttons.
    void Narrow(CUiToolControlBar* pBar, int cx)
    {
        CRect rcWindow, rcClient;
        pBar->GetWindowRect(&rcWindow);
        pBar->GetClientRect(&rcClient);
        pBar->SetWindowPos(NULL, 0, 0, cx + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->CalcButtonLayout();
    }
    int IndexOf(CUiToolControlBar* pBar, CUiBarButton* pButton)
    {
        for (int i = 0; i < pBar->GetButtonsCount(); ++i)
            if (pBar->GetButton(i) == pButton)
                return i;
        return -1;
    }
};

TEST_F(ToolBarLayout, AnEmptyBarHasTheDefaultSizeDockedUndockedAndFloating)
{
    CUiToolControlBar* pDocked = MakeBar({});
    EXPECT_EQ(CSize(23, 22), pDocked->CalcFixedLayout(FALSE, TRUE));

    CUiToolControlBar loose;
    ASSERT_TRUE(loose.Create("Loose", pFrame, 0xB1FF, WS_CHILD | CBRS_ALIGN_TOP));
    EXPECT_EQ(CSize(23, 26), loose.CalcFixedLayout(FALSE, TRUE));
    loose.DestroyWindow();

    CUiToolControlBar* pFloating = MakeBar({});
    pFrame->FloatControlBar(pFloating, CPoint(200, 200));
    winharness::PumpPending();
    ASSERT_TRUE(pFloating->IsBarFloating());
    EXPECT_EQ(CSize(46, 22), pFloating->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
}

TEST_F(ToolBarLayout, ADockedBarTooShortHidesButtonsBehindTheChevron)
{
    CUiToolControlBar* pBar = MakeBar(TenWithSeparator());
    CUiBarContentExpandButton* pChevron = pBar->m_pContentExpandButton;
    ASSERT_NE(nullptr, pChevron);
    for (int cx = 30; cx <= 300; ++cx) {
        Narrow(pBar, cx);
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        const CRect rcChevron = pChevron->GetRect();
        ASSERT_TRUE(pChevron->IsVisible()) << cx;
        EXPECT_EQ(11, rcChevron.Width()) << cx;
        EXPECT_EQ(rcClient.right - pBar->m_cxRightBorder, rcChevron.right) << cx;
        int nFirst = -1, nLast = -1;
        for (int i = 0; i < pBar->GetButtonsCount() - 1; ++i) {
            CUiBarButton* pButton = pBar->GetButton(i);
            if (!pButton->IsVisible())
                continue;
            EXPECT_LE(pButton->GetRect().right, rcChevron.left) << cx << " button " << i;
            nLast = i;
            if (nFirst < 0)
                nFirst = i;
        }
        if (nFirst >= 0) {
            EXPECT_FALSE(pBar->GetButton(nFirst)->IsSeparator()) << cx;
            EXPECT_FALSE(pBar->GetButton(nLast)->IsSeparator()) << cx;
        }
        // The list: hidden buttons in the order they were hidden (left to right here), a
        // separator only between the fifth and the sixth.
        std::vector<int> listed;
        for (INT_PTR n = 0; n < pChevron->m_arrHidden.GetSize(); ++n)
            listed.push_back(IndexOf(pBar, pChevron->m_arrHidden[n]));
        int nPrev = -1;
        for (size_t n = 0; n < listed.size(); ++n) {
            EXPECT_GT(listed[n], nPrev) << cx;
            nPrev = listed[n];
            if (listed[n] == 5) {
                ASSERT_TRUE(n > 0 && n + 1 < listed.size()) << cx;
                EXPECT_EQ(4, listed[n - 1]) << cx;
                EXPECT_EQ(6, listed[n + 1]) << cx;
            }
        }
        const bool bBoth = std::count(listed.begin(), listed.end(), 4) && std::count(listed.begin(), listed.end(), 6);
        EXPECT_EQ(bBoth ? 1 : 0, std::count(listed.begin(), listed.end(), 5)) << cx;
        for (int i = 0; i < pBar->GetButtonsCount() - 1; ++i) {
            CUiBarButton* pButton = pBar->GetButton(i);
            if (!pButton->IsSeparator()) {
                EXPECT_NE(pButton->IsVisible(), std::count(listed.begin(), listed.end(), i) == 1) << cx << " " << i;
            }
        }
    }
}

// The frame's toolbar: a gripper, and a look that keeps extra space before the chevron.
TEST_F(ToolBarLayout, ADockedBarWithAGripperShowsEveryButtonWholeInTheSizeItAskedFor)
{
    struct LookGuard {
        LookGuard() { PaintManagerHolder::Get().SetPaintManager(new CUiPaintManagerStudio2005); }
        ~LookGuard() { PaintManagerHolder::Get().SetPaintManager(nullptr); }
    } look;
    ASSERT_NE(CSize(0, 0), PaintManagerHolder::Get()->GetBarButtonExtraSpace());
    CUiToolControlBar* pBar = MakeBar(TenWithSeparator(), AFX_IDW_DOCKBAR_TOP, CBRS_GRIPPER);
    CRect rcWindow, rcClient;
    pBar->GetWindowRect(&rcWindow);
    pBar->GetClientRect(&rcClient);
    // The gripper stands at the bar's left end: the bar grows along its length, not across it.
    EXPECT_LT(rcWindow.Height() - rcClient.Height(), pBar->m_nCaptionTop);
    EXPECT_EQ(0, pBar->m_pContentExpandButton->m_arrHidden.GetSize());
    for (int i = 0; i < pBar->GetButtonsCount() - 1; ++i) {
        CUiBarButton* pButton = pBar->GetButton(i);
        ASSERT_TRUE(pButton->IsVisible()) << i;
        const CRect rcButton = pButton->GetRect();
        EXPECT_EQ(rcButton, rcButton & rcClient) << i;
    }
}

// Docked at a side, the bar is measured down its length as its buttons are placed, its
// separator counted too: nothing goes behind the chevron for want of room it asked for.
TEST_F(ToolBarLayout, ADockedBarAtTheLeftInTheStudioLookAsksForTheLengthItsButtonsTake)
{
    struct LookGuard {
        LookGuard() { PaintManagerHolder::Get().SetPaintManager(new CUiPaintManagerStudio2005); }
        ~LookGuard() { PaintManagerHolder::Get().SetPaintManager(nullptr); }
    } look;
    CUiToolControlBar* pBar = MakeBar(TenWithSeparator(), AFX_IDW_DOCKBAR_LEFT, CBRS_GRIPPER);
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    EXPECT_EQ(0, pBar->m_pContentExpandButton->m_arrHidden.GetSize());
    for (int i = 0; i < pBar->GetButtonsCount() - 1; ++i) {
        CUiBarButton* pButton = pBar->GetButton(i);
        ASSERT_TRUE(pButton->IsVisible()) << i;
        EXPECT_GE(pButton->GetRect().top, rcClient.top) << i;
        EXPECT_LE(pButton->GetRect().bottom, rcClient.bottom) << i;
    }
}

TEST_F(ToolBarLayout, AFloatingBarSizedByHeightTakesTheNarrowestStepThatFits)
{
    std::vector<UINT> ids;
    for (UINT i = 0; i < 10; ++i)
        ids.push_back(kIconFirst + i);
    CUiToolControlBar* pBar = MakeBar(ids);
    pFrame->FloatControlBar(pBar, CPoint(200, 200));
    winharness::PumpPending();
    ASSERT_TRUE(pBar->IsBarFloating());
    for (int nHeight : {30, 60, 80, 130, 400}) {
        int nExpected = -1;
        for (int w = 11; w < 2000 && nExpected < 0; w += 11) {
            pBar->WrapButtonsHorizontally(w, 32767);
            const CSize size = pBar->CalcWrappedExtent(false);
            if (size.cy <= nHeight)
                nExpected = size.cx;
        }
        pBar->CalcDynamicLayout(nHeight, LM_LENGTHY);
        EXPECT_EQ(nExpected, pBar->CalcWrappedExtent(false).cx) << nHeight;
    }
}

TEST_F(ToolBarLayout, AHiddenButtonAndItsSeparatorTakeNoPlace)
{
    CUiToolControlBar* pBar = MakeBar({kIconFirst, 0, kIconFirst + 1, kIconFirst + 2, kIconFirst + 3});
    pBar->GetButton(2)->ModifyStyle(TBBS_HIDDEN, 0);
    Narrow(pBar, 200);
    EXPECT_FALSE(pBar->GetButton(1)->IsVisible());
    EXPECT_FALSE(pBar->GetButton(2)->IsVisible());
    EXPECT_EQ(pBar->GetButton(0)->GetRect().right, pBar->GetButton(3)->GetRect().left);
    for (int cx = 20; cx <= 120; ++cx) {
        Narrow(pBar, cx);
        CUiBarContentExpandButton* pChevron = pBar->m_pContentExpandButton;
        for (INT_PTR n = 0; n < pChevron->m_arrHidden.GetSize(); ++n) {
            EXPECT_NE(pBar->GetButton(1), pChevron->m_arrHidden[n]) << cx;
            EXPECT_NE(pBar->GetButton(2), pChevron->m_arrHidden[n]) << cx;
        }
    }
}

// A toolbar in the mode that wants its chevron kept up to date while it is dragged.
class ExpandingToolBar : public CUiToolControlBar {
public:
    bool IsContentExpandWanted() const override { return true; }
};

TEST_F(ToolBarLayout, ABarDroppedIntoARowTooShortListsItsOverflowAtOnce)
{
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->SetWindowPos(NULL, 0, 0, 380 + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CUiToolControlBar* pFirst = MakeBar(TenWithSeparator());
    auto* pBar = new ExpandingToolBar;
    bars.push_back(pBar);
    ASSERT_TRUE(pBar->Create("Expanding", pFrame, 0xB1F0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC));
    pBar->SetButtonList(TenWithSeparator().data(), 11);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    pFrame->RecalcLayout();
    winharness::PumpPending();
    CUiBarContentExpandButton* pChevron = pBar->m_pContentExpandButton;
    ASSERT_NE(nullptr, pChevron);

    // Dropped just past the first bar, in its row: the two do not fit side by side.
    CRect rcFirst;
    pFirst->GetWindowRect(&rcFirst);
    CDockBar* pTop = pFirst->m_pDockBar;
    pBar->m_ptGrabHorz = CPoint(4, 4);
    CUiControlBar::InternalDraggingState_t state(pBar);
    ASSERT_TRUE(pBar->PlaceFixedSizeBarInDockBar(state, rcFirst.right + 8, rcFirst.top + 4, pTop));
    ASSERT_EQ(pTop, pBar->m_pDockBar);
    CRect rcBar, rcTop;
    pBar->GetWindowRect(&rcBar);
    pTop->GetWindowRect(&rcTop);
    ASSERT_EQ(rcFirst.top, rcBar.top);   // the same row

    ASSERT_GT(pChevron->m_arrHidden.GetSize(), 0);
    for (int i = 0; i < pBar->GetButtonsCount() - 1; ++i) {
        CUiBarButton* pButton = pBar->GetButton(i);
        if (pButton->IsSeparator())
            continue;
        bool bListed = false;
        for (INT_PTR n = 0; n < pChevron->m_arrHidden.GetSize(); ++n)
            bListed = bListed || pChevron->m_arrHidden[n] == pButton;
        EXPECT_NE(pButton->IsVisible(), bListed) << i;
        if (pButton->IsVisible())
            EXPECT_LE(pButton->GetRect().right, pChevron->GetRect().left) << i;
    }
    EXPECT_LE(rcBar.right, rcTop.right);
}

} // namespace
