// The panes' hosting: the one-pixel border each pane gets in every look, painted by the look,
// and the pane toolbar that never shows a chevron.
#include "pane_test_support.h"

#include "ncpanewrapper.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "paintmanageroffice2003.h"
#include "paintmanagerstudio2005.h"
#include "paintmanagerxp.h"
#include "panetoolbar.h"
#include "resource.h"

#include <memory>

using namespace panetest;

namespace {

class PaneHostTest : public PaneHostFixture {
protected:
    ~PaneHostTest() override { PaintManagerHolder::Get().SetPaintManager(nullptr); }
};

// The pane's window as it shows on the screen, border included.
std::unique_ptr<winharness::DibSurface> CaptureWindow(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    std::unique_ptr<winharness::DibSurface> surface(new winharness::DibSurface(rc.Width(), rc.Height()));
    HDC hDC = ::GetWindowDC(pWnd->GetSafeHwnd());
    ::BitBlt(surface->dc(), 0, 0, rc.Width(), rc.Height(), hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(pWnd->GetSafeHwnd(), hDC);
    return surface;
}

} // namespace

TEST_F(PaneHostTest, EveryLookGivesAPaneAOnePixelBorderPaintedByTheLook)
{
    CUiPaintManager* looks[] = {new CUiPaintManager, new CUiPaintManagerXP, new CUiPaintManagerOffice2003,
                                new CUiPaintManagerStudio2005};
    CNcPaneWrapper<CUiResizableDialog> panes[4];
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(looks[i]->GetRuntimeClass()->m_lpszClassName);
        PaintManagerHolder::Get().SetPaintManager(looks[i]);
        ASSERT_TRUE(HostPane(panes[i], IDD_SCRIPT_PANE, 0xB200 + i, 0));
        CRect rcWindow, rcClient;
        panes[i].GetWindowRect(&rcWindow);
        panes[i].GetClientRect(&rcClient);
        EXPECT_EQ(rcWindow.Width() - 2, rcClient.Width());
        EXPECT_EQ(rcWindow.Height() - 2, rcClient.Height());
        CPoint ptClient(0, 0);
        panes[i].ClientToScreen(&ptClient);
        EXPECT_EQ(rcWindow.TopLeft() + CPoint(1, 1), ptClient);

        // The border is what the look paints for a resizable dialog's frame.
        panes[i].SendMessage(WM_NCPAINT, 1, 0);
        auto shown = CaptureWindow(&panes[i]);
        winharness::DibSurface expected(rcWindow.Width(), rcWindow.Height());
        PaintManagerHolder::Get()->PaintResizableDialogNcBorder(*expected.cdc(),
                                                                CRect(0, 0, rcWindow.Width(), rcWindow.Height()),
                                                                &panes[i], 0);
        EXPECT_EQ(expected.Pixel(0, 0), shown->Pixel(0, 0));
        EXPECT_EQ(expected.Pixel(rcWindow.Width() / 2, rcWindow.Height() - 1),
                  shown->Pixel(rcWindow.Width() / 2, rcWindow.Height() - 1));
        EXPECT_EQ(expected.Pixel(rcWindow.Width() - 1, rcWindow.Height() / 2),
                  shown->Pixel(rcWindow.Width() - 1, rcWindow.Height() / 2));
        DestroyHosted();
    }
}

TEST_F(PaneHostTest, APaneToolbarTooNarrowForItsButtonsHasNoChevron)
{
    CNcPaneWrapper<CUiResizableDialog> pane;
    ASSERT_TRUE(HostPane(pane, IDD_SCRIPT_PANE, 0xB210, 0));
    CPaneToolBar toolbar;
    ASSERT_TRUE(toolbar.SubclassDlgItem(IDC_SCRIPT_TOOLBAR, &pane));
    const UINT ids[] = {32800, 32801, 32802, 32803, 32804, 32805, 32806, 32807, 32808, 32809, 32810, 32811};
    toolbar.SetButtonList(ids, 12);
    LayoutPaneBars(&pane, 0);
    pane.SetWindowPos(NULL, 0, 0, 60, 80, SWP_NOMOVE | SWP_NOZORDER);
    LayoutPaneBars(&pane, 0);
    toolbar.CalcButtonLayout();
    winharness::PumpPending();

    CRect rcBar;
    toolbar.GetClientRect(&rcBar);
    EXPECT_LE(rcBar.Width(), 60);
    EXPECT_EQ(12, toolbar.GetButtonsCount());
    EXPECT_EQ(nullptr, toolbar.m_pContentExpandButton);
    for (int i = 0; i < toolbar.GetButtonsCount(); ++i)
        EXPECT_FALSE(toolbar.IsContentExpandButton(i)) << i;
    // The bar stands along the pane's top edge.
    CRect rcWindow;
    toolbar.GetWindowRect(&rcWindow);
    pane.ScreenToClient(&rcWindow);
    EXPECT_EQ(0, rcWindow.top);
    EXPECT_GT(rcWindow.Height(), 0);
    toolbar.DestroyWindow();
}
