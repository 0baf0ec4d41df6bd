// Auto-hide strips and the slider on a harness frame that installs them (the slider, then the
// strips top, bottom, left, right): bars and groups going into a strip, the AutoHide caption
// button, selection only in an active frame, the keyboard switch, the slider's depth, its
// hiding by the watch timers, by a frame resize and by another tab, the inner edge drag, and
// a saved layout with an auto-hidden bar; the slider's caption buttons: hover, press and
// release, tips, the caption press and right click giving the content the focus.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "bars_test_support.h"

#include "barstate.h"
#include "barstate_test_support.h"
#include "cmdmanager.h"
#include "dyntabbar.h"
#include "ncareabutton.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include "paintmanagerstudio2005.h"

namespace {

using barstest::Pane;

const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

// A frame with panes of its own, outside a test fixture.
struct PanedFrame {
    barstest::FrameFixture fx;
    std::vector<Pane*> panes;
    explicit PanedFrame(const CRect& rc) : fx(rc) {}
    ~PanedFrame()
    {
        if (::IsWindow(fx.hFrame))
            ::DestroyWindow(fx.hFrame);
        winharness::PumpPending();
        for (Pane* p : panes)
            delete p;
    }
    Pane* MakePane(UINT nID)
    {
        Pane* p = new Pane;
        p->m_bAutoDelete = FALSE;
        p->Create("Pane", fx.pFrame, nID, 0x5640283C);
        p->EnableDocking(CBRS_ALIGN_ANY);
        panes.push_back(p);
        return p;
    }
    void Layout()
    {
        fx.pFrame->RecalcLayout();
        winharness::PumpPending();
    }
};

// The frame's slider and its four strips.
struct AutoHideParts {
    CUiDynAutoHideSlider* pSlider = nullptr;
    CUiDynAutoHideArea* pAreas[4] = {};
    void Install(CFrameWnd* pFrame)
    {
        pSlider = new CUiDynAutoHideSlider;
        ASSERT_TRUE(pSlider->Create(pFrame));
        for (int i = 0; i < 4; i++) {
            pAreas[i] = new CUiDynAutoHideArea;
            ASSERT_TRUE(pAreas[i]->Create(pFrame, pSlider, kSides[i]));
        }
        pFrame->RecalcLayout();
    }
    CUiDynAutoHideArea* Left() const { return pAreas[2]; }
};

class AutoHideTest : public barstest::BarsOnFrameTest {
protected:
    AutoHideTest() : BarsOnFrameTest(CRect(40, 40, 840, 640)) {}
    AutoHideParts parts;
    void SetUp() override
    {
        parts.Install(fx.pFrame);
        fx.pFrame->SetFocus();
        winharness::PumpPending();
    }
    // A pane with a content window, docked on the left.
    Pane* LeftPane(UINT nID)
    {
        Pane* p = MakePane(nID);
        contents[p] = ::CreateWindowExA(0, "STATIC", "content", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p->m_hWnd, (HMENU)1,
                                        NULL, NULL);
        p->m_sizeVert = CSize(180, 200);
        EXPECT_TRUE(p->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
        Layout();
        return p;
    }
    std::map<Pane*, HWND> contents;
    HWND Content(Pane* p) { return contents[p]; }
    static bool ContentIn(HWND hContent, CWnd* pParent) { return ::GetParent(hContent) == pParent->m_hWnd; }
    bool AutoHide(Pane* p)
    {
        const bool bDone = p->SetAutoHideMode(true, false, true, true);
        Layout();
        return bDone;
    }
    bool Select(int nIndex)
    {
        parts.Left()->SelectionSet(nIndex, true, true);
        winharness::PumpPending();
        return parts.Left()->SelectionGet() == nIndex;
    }
};

CUiBarNcAreaButton* AutoHideButton(CUiControlBar* pBar)
{
    for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); i++) {
        if (pBar->m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide)))
            return pBar->m_arrNcButtons[i];
    }
    return nullptr;
}

TEST_F(AutoHideTest, ADockedBarBecomesOneHiddenTabOfItsSideAndItsButtonShowsOnlyWithStrips)
{
    Pane* p = LeftPane(0xB101);
    EXPECT_FALSE(parts.Left()->IsWindowVisible());   // no items, no room
    ASSERT_NE(nullptr, AutoHideButton(p));
    EXPECT_TRUE(AutoHideButton(p)->IsButtonVisible());
    ASSERT_TRUE(AutoHide(p));
    EXPECT_TRUE(p->IsAutoHidden());
    EXPECT_FALSE(p->IsWindowVisible());
    ASSERT_EQ(1, parts.Left()->ItemGetCount());
    EXPECT_EQ(p, parts.Left()->GetItemBar(0));
    EXPECT_TRUE(parts.Left()->IsWindowVisible());
    EXPECT_EQ(0, parts.pAreas[0]->ItemGetCount());

    ASSERT_TRUE(p->SetAutoHideMode(false, false, true, false));
    Layout();
    EXPECT_FALSE(p->IsAutoHidden());
    EXPECT_TRUE(p->IsWindowVisible());
    EXPECT_EQ(0, parts.Left()->ItemGetCount());
    EXPECT_FALSE(parts.Left()->IsWindowVisible());

    PanedFrame plain(CRect(60, 60, 500, 400));
    Pane* q = plain.MakePane(0xB102);
    ASSERT_TRUE(q->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
    ASSERT_NE(nullptr, AutoHideButton(q));
    EXPECT_FALSE(AutoHideButton(q)->IsButtonVisible());
    EXPECT_FALSE(q->SetAutoHideMode(true, false, true, true));
}

TEST_F(AutoHideTest, AGroupOfThreeBecomesOneGroupOfTabsWithTextOnlyOnItsActiveTabUnlessTheLookIsStudio2005)
{
    Pane* a = LeftPane(0xB111);
    Pane* b = MakePane(0xB112);
    Pane* c = MakePane(0xB113);
    ASSERT_TRUE(a->DockIntoTabbedGroup(b, -1));
    ASSERT_TRUE(a->DockIntoTabbedGroup(c, -1));
    Layout();
    CUiDynTabControlBar* pGroup = a->GetTabContainerBar();
    ASSERT_NE(nullptr, pGroup);
    pGroup->m_wndTabs.SelectionSet(pGroup->m_wndTabs.ItemFindByLParam((LPARAM)b), true, true);
    ASSERT_TRUE(AutoHide(b));
    EXPECT_TRUE(pGroup->IsAutoHidden());
    CUiDynAutoHideArea* pLeft = parts.Left();
    ASSERT_EQ(3, pLeft->ItemGetCount());
    EXPECT_TRUE(pLeft->ItemGetInfo(0)->m_dwFlags & CUiTabItemInfo::kGroupStart);
    EXPECT_FALSE(pLeft->ItemGetInfo(1)->m_dwFlags & CUiTabItemInfo::kGroupStart);
    EXPECT_FALSE(pLeft->ItemGetInfo(2)->m_dwFlags & CUiTabItemInfo::kGroupStart);
    EXPECT_EQ(1, pLeft->ItemFindByStyle(CUiTabItemInfo::kGroupActive, 0));
    EXPECT_EQ(-1, pLeft->ItemFindByStyle(CUiTabItemInfo::kGroupActive, 0, 1));

    pLeft->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(pLeft->GetTabStyle() & CUiTabWnd::kGroupedFullMeasure);
    ASSERT_TRUE(PaintManagerHolder::Get().SetPaintManagerClass(RUNTIME_CLASS(CUiPaintManagerStudio2005)));
    pLeft->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(pLeft->GetTabStyle() & CUiTabWnd::kGroupedFullMeasure);
    PaintManagerHolder::Get().SetPaintManager(nullptr);
}

TEST_F(AutoHideTest, SelectionIsRefusedInAnInactiveFrameAndClearingItIsNot)
{
    Pane* p = LeftPane(0xB121);
    ASSERT_TRUE(AutoHide(p));
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(900, 100, 1100, 300),
                               NULL, 0));
    other.SetFocus();
    winharness::PumpPending();
    EXPECT_FALSE(Select(0));
    EXPECT_FALSE(parts.pSlider->IsShown());

    fx.pFrame->SetFocus();
    winharness::PumpPending();
    ASSERT_TRUE(Select(0));
    EXPECT_TRUE(parts.pSlider->IsShown());
    EXPECT_TRUE(ContentIn(Content(p), parts.pSlider));
    other.SetFocus();
    winharness::PumpPending();
    EXPECT_TRUE(Select(-1));
    other.DestroyWindow();
}

TEST_F(AutoHideTest, CtrlPageDownWrapsToTheFirstBarNotShowingAndWithOneTabIsEatenWithoutChange)
{
    Pane* a = LeftPane(0xB131);
    ASSERT_TRUE(AutoHide(a));
    ASSERT_TRUE(Select(0));
    MSG msg = {parts.Left()->m_hWnd, WM_KEYDOWN, VK_NEXT, 0};
    {
        winharness::KeyboardModifiers ctrl(winharness::kCtrl);
        EXPECT_TRUE(parts.Left()->PreTranslateMessage(&msg));
    }
    EXPECT_EQ(0, parts.Left()->SelectionGet());
    EXPECT_EQ(a, parts.pSlider->m_pBar);

    Pane* b = LeftPane(0xB132);
    ASSERT_TRUE(AutoHide(b));
    ASSERT_TRUE(Select(1));
    EXPECT_EQ(b, parts.pSlider->m_pBar);
    {
        winharness::KeyboardModifiers ctrl(winharness::kCtrl);
        EXPECT_TRUE(parts.Left()->PreTranslateMessage(&msg));
    }
    winharness::PumpPending();
    EXPECT_EQ(0, parts.Left()->SelectionGet());
    EXPECT_EQ(a, parts.pSlider->m_pBar);
    EXPECT_TRUE(ContentIn(Content(b), b));   // the other tab's bar went back first
    EXPECT_TRUE(ContentIn(Content(a), parts.pSlider));
}

TEST_F(AutoHideTest, TheSliderOpensNoDeeperThanTheFreeAreaAndNeverInAFreeAreaUnderTwentyPixels)
{
    Pane* p = LeftPane(0xB141);
    ASSERT_TRUE(AutoHide(p));
    p->m_sizeVert.cx = 5000;
    ASSERT_TRUE(Select(0));
    ASSERT_TRUE(parts.pSlider->IsShown());
    CRect rcSlider;
    parts.pSlider->GetWindowRect(&rcSlider);
    fx.pFrame->ScreenToClient(&rcSlider);
    EXPECT_EQ(parts.pSlider->m_rcFree, rcSlider);
    ASSERT_TRUE(Select(-1));

    CRect rcClient;
    fx.pFrame->GetClientRect(&rcClient);
    CRect rcWindow;
    fx.pFrame->GetWindowRect(&rcWindow);
    fx.pFrame->SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() - rcClient.Height() + 15,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    Select(0);
    EXPECT_FALSE(parts.pSlider->IsShown());
}

TEST_F(AutoHideTest, WithTheCursorAwayTheSliderHidesUnlessItHoldsTheFocus)
{
    Pane* p = LeftPane(0xB151);
    ASSERT_TRUE(AutoHide(p));
    ::SetCursorPos(1270, 1010);
    ASSERT_TRUE(Select(0));
    ASSERT_TRUE(parts.pSlider->IsShown());
    parts.pSlider->SetFocus();
    winharness::PumpFor(800);
    EXPECT_TRUE(parts.pSlider->IsShown());

    fx.pFrame->SetFocus();
    EXPECT_TRUE(winharness::PumpUntil([&] { return !parts.pSlider->IsShown(); }));
    EXPECT_TRUE(ContentIn(Content(p), p));
    EXPECT_EQ(-1, parts.Left()->SelectionGet());
}

// Showing an auto-hidden bar by its command slides it out, the slider holding the focus; a new
// text of the bar lays its tab out again.
TEST_F(AutoHideTest, TheBarsCommandSlidesItOutFocusedAndANewTextWidensItsTab)
{
    Pane* p = LeftPane(0xB161);
    p->SetWindowText("P");
    ASSERT_TRUE(AutoHide(p));
    ::SetCursorPos(1270, 1010);
    ASSERT_TRUE(CUiControlBar::ToggleBarById(fx.pFrame, 0xB161, false));
    winharness::PumpPending();
    EXPECT_TRUE(parts.pSlider->ShowsBar(p));
    HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == parts.pSlider->m_hWnd || ::IsChild(parts.pSlider->m_hWnd, hFocus));

    parts.Left()->UpdateLayout(true);
    const int nBefore = parts.Left()->ItemGetWindowRect(0).Height();
    p->SetWindowText("A caption many times longer than before");
    EXPECT_GT(parts.Left()->ItemGetWindowRect(0).Height(), nBefore);
}

TEST_F(AutoHideTest, TheInnerEdgeStopsTwentyPixelsBeforeTheFarSideAndGivesTheBarItsNewDepth)
{
    Pane* p = LeftPane(0xB161);
    ASSERT_TRUE(AutoHide(p));
    ASSERT_TRUE(Select(0));
    CUiDynAutoHideSlider* pSlider = parts.pSlider;
    CRect rc;
    pSlider->GetWindowRect(&rc);
    // What the thread's mouse hook hands over: a press on the inner edge, moves, a release.
    ASSERT_TRUE(pSlider->OnHookButton(WM_LBUTTONDOWN, CPoint(rc.right - 2, rc.CenterPoint().y)));
    EXPECT_TRUE(pSlider->IsResizing());
    ASSERT_TRUE(pSlider->OnHookMove(CPoint(rc.left + 5000, rc.CenterPoint().y)));
    CRect rcFree = pSlider->m_rcFree;
    fx.pFrame->ClientToScreen(&rcFree);
    pSlider->GetWindowRect(&rc);
    EXPECT_EQ(rcFree.right - 20, rc.right);
    ASSERT_TRUE(pSlider->OnHookMove(CPoint(rc.left + 150, rc.CenterPoint().y)));
    EXPECT_TRUE(pSlider->OnHookButton(WM_LBUTTONUP, CPoint(rc.left + 150, rc.CenterPoint().y)));
    EXPECT_FALSE(pSlider->IsResizing());
    EXPECT_EQ(150, p->m_sizeVert.cx);
}

TEST_F(AutoHideTest, ResizingTheFrameHidesTheSlider)
{
    Pane* p = LeftPane(0xB171);
    ASSERT_TRUE(AutoHide(p));
    ASSERT_TRUE(Select(0));
    ASSERT_TRUE(parts.pSlider->IsShown());
    CRect rc;
    fx.pFrame->GetWindowRect(&rc);
    fx.pFrame->SetWindowPos(NULL, 0, 0, rc.Width() - 40, rc.Height() - 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    winharness::PumpPending();
    EXPECT_FALSE(parts.pSlider->IsShown());
    EXPECT_TRUE(ContentIn(Content(p), p));
}

// The slider shows a bar's caption with its buttons; the mouse hook's handlers are driven as
// the hook would drive them, with screen points.
class SliderCaptionTest : public AutoHideTest {
protected:
    Pane* pane = nullptr;
    CUiDynAutoHideSlider* slider = nullptr;
    void SetUp() override
    {
        AutoHideTest::SetUp();
        pane = LeftPane(0xB1A1);
        ASSERT_TRUE(AutoHide(pane));
        ASSERT_TRUE(Select(0));
        slider = parts.pSlider;
        ASSERT_TRUE(slider->IsShown());
        slider->SendMessage(WM_NCPAINT);
    }
    CUiBarNcAreaButton* Button(CRuntimeClass* pClass) const
    {
        for (INT_PTR i = 0; i < pane->m_arrNcButtons.GetSize(); i++) {
            if (pane->m_arrNcButtons[i]->IsKindOf(pClass))
                return pane->m_arrNcButtons[i];
        }
        return nullptr;
    }
    CPoint ScreenCentre(CUiBarNcAreaButton* pButton) const
    {
        CRect rc;
        slider->GetWindowRect(&rc);
        return rc.TopLeft() + pButton->m_rc.CenterPoint();
    }
    CPoint ClientCentre() const
    {
        CRect rc;
        slider->GetClientRect(&rc);
        slider->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    CString TipText() const
    {
        char szText[80] = {};
        TOOLINFO ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = slider->m_hWnd;
        ti.uId = CUiDynAutoHideSlider::kCaptionTool;
        ti.lpszText = szText;
        slider->m_wndToolTip.SendMessage(TTM_GETTEXTA, sizeof(szText), (LPARAM)&ti);
        return szText;
    }
};

TEST_F(SliderCaptionTest, CloseAndAutoHideAreLaidOutAtTheCaptionsEndAndPainted)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    ASSERT_TRUE(pClose->IsButtonVisible());
    ASSERT_TRUE(pPin->IsButtonVisible());
    EXPECT_FALSE(Button(RUNTIME_CLASS(CUiBarNcAreaButtonMenu))->IsButtonVisible());
    const CRect rcCaption = slider->CaptionRect();
    ASSERT_FALSE(rcCaption.IsRectEmpty());
    CRect rcIn;
    EXPECT_TRUE(rcIn.IntersectRect(&rcCaption, &pClose->m_rc) && rcIn == pClose->m_rc);
    EXPECT_EQ(rcCaption.right - 3, pClose->m_rc.right);
    EXPECT_EQ(pClose->m_rc.left - 3, pPin->m_rc.right);

    // The close glyph is drawn into the slider's caption.
    CWindowDC dc(slider);
    std::map<COLORREF, int> colours;
    for (int y = pClose->m_rc.top; y < pClose->m_rc.bottom; y++)
        for (int x = pClose->m_rc.left; x < pClose->m_rc.right; x++)
            colours[dc.GetPixel(x, y)]++;
    EXPECT_GT(colours.size(), 1u);
}

TEST_F(SliderCaptionTest, TheHoveredButtonFollowsTheMoves)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    EXPECT_FALSE(slider->OnHookMove(ScreenCentre(pPin)));
    EXPECT_EQ(pPin, slider->m_pHoverButton);
    EXPECT_FALSE(slider->OnHookMove(ScreenCentre(pClose)));
    EXPECT_EQ(pClose, slider->m_pHoverButton);
    EXPECT_TRUE(pClose->m_bFlags & CUiBarNcAreaButton::kHover);
    EXPECT_FALSE(pPin->m_bFlags & CUiBarNcAreaButton::kHover);
    EXPECT_FALSE(slider->OnHookMove(ClientCentre()));
    EXPECT_EQ(nullptr, slider->m_pHoverButton);
    EXPECT_FALSE(pClose->m_bFlags & CUiBarNcAreaButton::kHover);
}

TEST_F(SliderCaptionTest, APressedCloseReleasedOverItselfHidesTheSliderAndTheBar)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    ASSERT_TRUE(slider->OnHookButton(WM_NCLBUTTONDOWN, ScreenCentre(pClose)));
    EXPECT_EQ(pClose, slider->m_pPressedButton);
    EXPECT_TRUE(pClose->m_bFlags & CUiBarNcAreaButton::kPressed);
    EXPECT_TRUE(slider->IsShown());
    EXPECT_TRUE(slider->OnHookButton(WM_NCLBUTTONUP, ScreenCentre(pClose)));
    winharness::PumpPending();
    EXPECT_FALSE(slider->IsShown());
    EXPECT_FALSE(pane->IsAutoHidden());
    EXPECT_FALSE(pane->IsWindowVisible());
    EXPECT_EQ(0, parts.Left()->ItemGetCount());
    EXPECT_TRUE(ContentIn(Content(pane), pane));
}

TEST_F(SliderCaptionTest, TheAutoHideButtonDocksTheBarAgain)
{
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    ASSERT_TRUE(slider->OnHookButton(WM_LBUTTONDOWN, ScreenCentre(pPin)));
    EXPECT_TRUE(slider->OnHookButton(WM_LBUTTONUP, ScreenCentre(pPin)));
    winharness::PumpPending();
    EXPECT_FALSE(slider->IsShown());
    EXPECT_FALSE(pane->IsAutoHidden());
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_TRUE(ContentIn(Content(pane), pane));
}

TEST_F(SliderCaptionTest, AReleaseElsewhereOrAMiddleButtonClearsThePressedButtonAndNothingHides)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    ASSERT_TRUE(slider->OnHookButton(WM_NCLBUTTONDOWN, ScreenCentre(pClose)));
    EXPECT_FALSE(slider->OnHookButton(WM_NCLBUTTONUP, ScreenCentre(pPin)));
    EXPECT_EQ(nullptr, slider->m_pPressedButton);
    EXPECT_FALSE(pClose->m_bFlags & CUiBarNcAreaButton::kPressed);
    ASSERT_TRUE(slider->OnHookButton(WM_NCLBUTTONDOWN, ScreenCentre(pClose)));
    EXPECT_FALSE(slider->OnHookButton(WM_MBUTTONDOWN, ScreenCentre(pClose)));
    EXPECT_EQ(nullptr, slider->m_pPressedButton);
    EXPECT_FALSE(slider->OnHookButton(WM_NCLBUTTONUP, ScreenCentre(pClose)));
    EXPECT_TRUE(slider->IsShown());
    EXPECT_TRUE(pane->IsAutoHidden());
}

TEST_F(SliderCaptionTest, APressInTheCaptionOrARightClickInsideFocusesTheContent)
{
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    CRect rcWindow;
    slider->GetWindowRect(&rcWindow);
    const CRect rcCaption = slider->CaptionRect();
    const CPoint ptText(rcWindow.left + rcCaption.left + 4, rcWindow.top + rcCaption.CenterPoint().y);
    ASSERT_LT(ptText.x, rcWindow.left + pPin->m_rc.left);

    fx.pFrame->SetFocus();
    EXPECT_FALSE(slider->OnHookButton(WM_LBUTTONDOWN, ClientCentre()));
    EXPECT_EQ(fx.hFrame, ::GetFocus());
    EXPECT_TRUE(slider->OnHookButton(WM_NCLBUTTONDOWN, ptText));
    EXPECT_EQ(Content(pane), ::GetFocus());

    fx.pFrame->SetFocus();
    EXPECT_FALSE(slider->OnHookButton(WM_RBUTTONDOWN, CPoint(rcWindow.right + 40, rcWindow.CenterPoint().y)));
    EXPECT_EQ(fx.hFrame, ::GetFocus());
    EXPECT_FALSE(slider->OnHookButton(WM_RBUTTONDOWN, ClientCentre()));
    EXPECT_EQ(Content(pane), ::GetFocus());
}

TEST_F(SliderCaptionTest, TheButtonUnderThePointGivesTheSlidersTip)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    CUiBarNcAreaButton* pPin = Button(RUNTIME_CLASS(CUiBarNcAreaButtonAutoHide));
    CPoint pt = ScreenCentre(pClose);
    slider->ScreenToClient(&pt);
    EXPECT_EQ(-1, slider->OnToolHitTest(pt, nullptr));
    EXPECT_EQ(pClose, slider->m_pTipButton);
    EXPECT_EQ(1, slider->m_wndToolTip.GetToolCount());
    EXPECT_STREQ("Hide", TipText());
    pt = ScreenCentre(pPin);
    slider->ScreenToClient(&pt);
    slider->OnToolHitTest(pt, nullptr);
    EXPECT_EQ(pPin, slider->m_pTipButton);
    EXPECT_EQ(1, slider->m_wndToolTip.GetToolCount());
    EXPECT_STREQ("Auto Hide", TipText());
}

TEST_F(SliderCaptionTest, ShowingABarResetsItsButtonsAndItsActiveCaption)
{
    CUiBarNcAreaButton* pClose = Button(RUNTIME_CLASS(CUiBarNcAreaButtonClose));
    ASSERT_TRUE(Select(-1));
    pClose->m_bFlags |= CUiBarNcAreaButton::kHover | CUiBarNcAreaButton::kPressed;
    pane->m_bViewFlags |= CUiControlBar::kFocusInside;
    ASSERT_TRUE(Select(0));
    EXPECT_FALSE(pClose->m_bFlags & (CUiBarNcAreaButton::kHover | CUiBarNcAreaButton::kPressed));
    EXPECT_FALSE(pane->m_bViewFlags & CUiControlBar::kFocusInside);
}

namespace stripmenu {
std::vector<UINT> ids;
int Refuse(const PopupTrackCall& call, UINT*)
{
    ids.clear();
    for (int i = 0; i < call.pMenu->ItemGetCount(); ++i)
        ids.push_back(call.pMenu->ItemGetInfo(i).IsSeparator() ? 0 : call.pMenu->ItemGetCmdID(i));
    return CUiPopupMenuWnd::kHookRefuse;
}
} // namespace stripmenu

TEST_F(AutoHideTest, TheStripsMenuListsItsBarsWithASeparatorBetweenGroupsAndTheSlidersIsTheBarsMenu)
{
    Pane* a = LeftPane(0xB191);
    Pane* b = LeftPane(0xB192);
    ASSERT_TRUE(AutoHide(a));
    ASSERT_TRUE(AutoHide(b));
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    ASSERT_TRUE(pManager->ProfileInstall("autohide", fx.hFrame));
    for (UINT nID : {0xB191u, 0xB192u}) {
        CUiCmdItem item(nID);
        item.m_strMenuText = "Bar";
        ASSERT_TRUE(pManager->CmdSetup("autohide", item, true));
    }
    fx.pFrame->menuEvents.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &stripmenu::Refuse;
    CRect rc;
    parts.Left()->GetWindowRect(&rc);
    parts.Left()->SendMessage(WM_CONTEXTMENU, (WPARAM)parts.Left()->m_hWnd, MAKELPARAM(rc.left + 3, rc.top + 3));
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    EXPECT_EQ((std::vector<UINT>{0xB191, 0, 0xB192}), stripmenu::ids);
    ASSERT_FALSE(fx.pFrame->menuEvents.empty());
    EXPECT_EQ(8, fx.pFrame->menuEvents.back().nEvent);

    // The slider's menu is the frame's bars menu.
    ASSERT_TRUE(Select(0));
    fx.pFrame->menuEvents.clear();
    CUiPopupMenuWnd::g_pfnTrackMenuHook = &stripmenu::Refuse;
    parts.pSlider->GetWindowRect(&rc);
    parts.pSlider->SendMessage(WM_CONTEXTMENU, (WPARAM)parts.pSlider->m_hWnd, MAKELPARAM(rc.left + 30, rc.top + 30));
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    ASSERT_FALSE(fx.pFrame->menuEvents.empty());
    EXPECT_EQ(4, fx.pFrame->menuEvents.back().nEvent);
    pManager->ProfileReleaseWindow(fx.hFrame, true);
}

TEST(AutoHideLayout, ALayoutSavedWithAnAutoHiddenBarLoadsItAutoHidden)
{
    barstatetest::Bytes saved;
    {
        PanedFrame a(CRect(40, 40, 840, 640));
        AutoHideParts parts;
        parts.Install(a.fx.pFrame);
        Pane* p = a.MakePane(0xB181);
        ASSERT_TRUE(p->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, false));
        a.Layout();
        ASSERT_TRUE(p->SetAutoHideMode(true, false, true, true));
        a.Layout();
        saved = barstatetest::Store([&](CArchive& ar) { EXPECT_TRUE(BarStateSerialize(ar, a.fx.pFrame, nullptr)); });
    }
    PanedFrame b(CRect(40, 40, 840, 640));
    AutoHideParts parts;
    parts.Install(b.fx.pFrame);
    Pane* p = b.MakePane(0xB181);
    ASSERT_TRUE(barstatetest::Load(saved, [&](CArchive& ar) { return BarStateSerialize(ar, b.fx.pFrame, nullptr); }));
    b.Layout();
    EXPECT_TRUE(p->IsAutoHidden());
    ASSERT_EQ(1, parts.Left()->ItemGetCount());
    EXPECT_EQ(p, parts.Left()->GetItemBar(0));
    EXPECT_TRUE(parts.Left()->ItemGetInfo(0)->m_dwFlags & CUiTabItemInfo::kGroupActive);
}

} // namespace
