// The panel bar: its sizes from the child and the margins, floating and docked with a
// gripper, the child kept at the margin corner with its own size, the focus handed on, and
// the plain background of the look.
#include <gtest/gtest.h>

#include "panelcontrolbar.h"
#include "paintmanagerholder.h"
#include "paintmanagerxp.h"
#include "toolbar_test_support.h"

using namespace tbtest;

namespace {

const COLORREF kPanelColour = RGB(12, 34, 56);

class PanelLook : public CUiPaintManagerXP {
public:
    COLORREF GetColor(int nIndex) override
    {
        return nIndex == 1000 ? kPanelColour : CUiPaintManagerXP::GetColor(nIndex);
    }
};

class PanelBar : public ToolBarFixture {
protected:
    ~PanelBar() override
    {
        delete pChild;
        if (bOwnLook)
            PaintManagerHolder::Get().SetPaintManager(nullptr);
        for (CUiPanelControlBar* pPanel : panels) {
            pPanel->DestroyWindow();
            delete pPanel;
        }
    }
    CUiPanelControlBar* MakePanel(bool bChild)
    {
        CUiPanelControlBar* pPanel = new CUiPanelControlBar;
        panels.push_back(pPanel);
        EXPECT_TRUE(pPanel->Create("Panel", pFrame, 0xB200 + (UINT)panels.size(),
                                   WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
        if (bChild) {
            pChild = new CWnd;
            pChild->CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 40), pPanel, 1);
        }
        pPanel->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(pPanel, AFX_IDW_DOCKBAR_TOP);
        pFrame->RecalcLayout();
        winharness::PumpPending();
        return pPanel;
    }
    // The child's rectangle in the bar's client coordinates.
    CRect ChildRect(CUiPanelControlBar* pPanel)
    {
        CRect rc;
        pChild->GetWindowRect(&rc);
        pPanel->ScreenToClient(&rc);
        return rc;
    }

    std::vector<CUiPanelControlBar*> panels;
    CWnd* pChild = nullptr;
    bool bOwnLook = false;
};

TEST_F(PanelBar, DockedWithAGripperItIsTheChildPlusMarginsAndTheGripper)
{
    CUiPanelControlBar* pPanel = MakePanel(true);
    EXPECT_EQ(CSize(110, 50), pPanel->CalcPanelSize(CUiPanelControlBar::kDockedHorz));
    EXPECT_EQ(CSize(110 + pPanel->m_nCaptionLeft + 2, 52), pPanel->CalcFixedLayout(FALSE, TRUE));
    pPanel->m_bBarFlags |= CUiControlBar::kCaptionAcross;
    EXPECT_EQ(CSize(112, 50 + pPanel->m_nCaptionTop + 2), pPanel->CalcFixedLayout(FALSE, TRUE));
    pPanel->m_bBarFlags &= ~CUiControlBar::kCaptionAcross;
    EXPECT_EQ(110, pPanel->GetMinExtentHorz());
    EXPECT_EQ(50, pPanel->GetMinExtentVert());
    EXPECT_EQ(CPoint(5, 5), ChildRect(pPanel).TopLeft());

    CUiPanelControlBar* pEmpty = MakePanel(false);
    EXPECT_EQ(CSize(10 + pEmpty->m_nCaptionLeft + 2, 12), pEmpty->CalcFixedLayout(FALSE, TRUE));
}

TEST_F(PanelBar, FloatingTheClientIsTheChildPlusMarginsAndTheChildKeepsItsPlace)
{
    CUiPanelControlBar* pPanel = MakePanel(true);
    pFrame->FloatControlBar(pPanel, CPoint(300, 300));
    pFrame->RecalcLayout();
    winharness::PumpPending();
    CRect rcClient;
    pPanel->GetClientRect(&rcClient);
    EXPECT_EQ(CSize(110, 50), rcClient.Size());
    EXPECT_EQ(CRect(5, 5, 105, 45), ChildRect(pPanel));

    CFrameWnd* pMini = pPanel->GetParentFrame();
    ASSERT_NE(nullptr, pMini);
    pMini->SetWindowPos(NULL, 360, 330, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    winharness::PumpPending();
    EXPECT_EQ(CRect(5, 5, 105, 45), ChildRect(pPanel));

    // A resize keeps the child's corner and size.
    pPanel->SetWindowPos(NULL, 0, 0, 180, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    winharness::PumpPending();
    EXPECT_EQ(CRect(5, 5, 105, 45), ChildRect(pPanel));

    // Docked again.
    pFrame->DockControlBar(pPanel, AFX_IDW_DOCKBAR_LEFT);
    pFrame->RecalcLayout();
    winharness::PumpPending();
    EXPECT_EQ(CRect(5, 5, 105, 45), ChildRect(pPanel));
}

TEST_F(PanelBar, TheFocusLandsInTheChild)
{
    CUiPanelControlBar* pPanel = MakePanel(true);
    pPanel->SetFocus();
    EXPECT_EQ(pChild->GetSafeHwnd(), ::GetFocus());
}

TEST_F(PanelBar, WithoutAThemedBackgroundTheClientIsTheLooksColour)
{
    PanelLook* pLook = new PanelLook;
    PaintManagerHolder::Get().SetPaintManager(pLook);
    bOwnLook = true;
    CUiPanelControlBar* pPanel = MakePanel(true);
    ASSERT_FALSE(pLook->HasThemedBackground(pPanel, 0));
    pPanel->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC hDC = ::GetDC(pPanel->GetSafeHwnd());
    const COLORREF clrMargin = ::GetPixel(hDC, 2, 2);
    ::ReleaseDC(pPanel->GetSafeHwnd(), hDC);
    EXPECT_EQ(kPanelColour, clrMargin);
}

} // namespace
