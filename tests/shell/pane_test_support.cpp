#include "pane_test_support.h"

#include "dockbar.h"
#include "cmdmanager.h"
#include "hexedit.h"
#include "resource.h"

namespace panetest {

namespace {
const char kProfile[] = "pane-test";
} // namespace

BOOL PaneFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    commands.push_back(LOWORD(wParam));
    return CFrameWnd::OnCommand(wParam, lParam);
}

PaneHostFixture::PaneHostFixture()
{
    CHexEdit::RegisterWndClass();
    pFrame = new PaneFrame;
    pFrame->Create(NULL, "Panes", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640));
    hFrame = pFrame->GetSafeHwnd();
    CWnd* pView = new CWnd;
    pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE);
    // The panes' commands with their pictures and tips, as the main frame loads them.
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall(kProfile, hFrame);
    for (UINT nToolBar : {IDR_PANE_COMMANDS, IDR_COM_PANE_COMMANDS, IDR_TEXTINPUT_COMMANDS})
        EXPECT_TRUE(pManager->ProfileLoadToolBar(kProfile, nToolBar, nullptr, nullptr, false, true, RGB(192, 192, 192)));
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    pFrame->SetActiveWindow();
    winharness::PumpPending();
}

PaneHostFixture::~PaneHostFixture()
{
    DestroyHosted();
    if (::IsWindow(hFrame))
        ::DestroyWindow(hFrame);
    CmdManagerHolder::GetStoredHandle()->ProfileReleaseWindow(hFrame, true);
    winharness::PumpPending();
}

void PaneHostFixture::DestroyHosted()
{
    for (HWND hPane : panes) {
        if (::IsWindow(hPane))
            ::DestroyWindow(hPane);
    }
    panes.clear();
    for (CUiControlBar* pBar : bars) {
        pBar->DestroyWindow();
        delete pBar;
    }
    bars.clear();
    if (::IsWindow(hFrame))
        pFrame->RecalcLayout();
}

CUiControlBar* PaneHostFixture::MakeBar(UINT nBarId, LPCSTR lpszCaption)
{
    CUiControlBar* pBar = new CUiControlBar;
    bars.push_back(pBar);
    EXPECT_TRUE(pBar->Create(lpszCaption, pFrame, nBarId, 0x5640283C));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_BOTTOM);
    pFrame->RecalcLayout();
    return pBar;
}

bool PaneHostFixture::HostPane(CUiResizableDialog& pane, UINT nTemplate, UINT nBarId, UINT nAnchorId)
{
    CUiControlBar* pBar = MakeBar(nBarId, "Pane");
    if (!pane.Create(MAKEINTRESOURCE(nTemplate), pBar))
        return false;
    panes.push_back(pane.GetSafeHwnd());
    pane.ShowSizeGrip(false);
    if (nAnchorId != 0)
        pane.AnchorDlgItem(nAnchorId, CSize(0, 0), CSize(100, 100));
    pane.ShowWindow(SW_SHOW);
    // The bar fills its client area with the pane when it is sized next; it is sized already.
    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    pane.MoveWindow(&rcBar);
    pFrame->RecalcLayout();
    winharness::PumpPending();
    return true;
}

} // namespace panetest
