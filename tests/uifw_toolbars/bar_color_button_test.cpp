// The colour button: its icon follows the selected colour, a press opens the colour menu
// with the button's colours, texts and notify value and no result cell, a real click leaves
// the menu open until a swatch is chosen, a press beside a separate arrow sends the
// selected colour, and the chevron's menu offers it as a submenu or, disabled, as a plain
// command.
#include <gtest/gtest.h>

#include "barcolorbutton.h"
#include "extra_buttons_support.h"
#include "popupcolormenuwnd.h"

using namespace tbtest;

namespace {

const DWORD kNotify = 0x5A5A17;

// What the colour menu was given when it was tracked.
struct ColorTrack {
    UINT nFlags = 0;
    bool bResultCell = false;
    bool bColorMenu = false;
    COLORREF clrDefault = 0, clrSelected = 0;
    LPARAM lCookie = 0;
    CString strDefaultText;
};
std::vector<ColorTrack> g_tracks;
int g_nHookAnswer = CUiPopupMenuWnd::kHookRefuse;

int RecordTrack(const PopupTrackCall& call, UINT*)
{
    ColorTrack t;
    t.nFlags = call.nFlags;
    t.bResultCell = call.pResult != nullptr;
    CUiPopupColorMenuWnd* pMenu = DYNAMIC_DOWNCAST(CUiPopupColorMenuWnd, call.pMenu);
    t.bColorMenu = pMenu != nullptr;
    if (pMenu != nullptr) {
        t.clrDefault = pMenu->m_clrDefault;
        t.clrSelected = pMenu->m_clrInitial;
        t.lCookie = pMenu->m_lCookie;
        t.strDefaultText = pMenu->m_strDefaultText;
    }
    g_tracks.push_back(t);
    return g_nHookAnswer;
}

// Counts the icons it makes.
class CountingColorButton : public CUiBarColorButton {
public:
    CountingColorButton(CUiToolControlBar* pBar, UINT nCmdID, DWORD dwStyle) : CUiBarColorButton(pBar, nCmdID, dwStyle)
    {
    }
    void GenerateColorIcon(HICON* phIcon) override
    {
        ++nMade;
        CUiBarColorButton::GenerateColorIcon(phIcon);
    }
    int nMade = 0;
};

COLORREF IconPixel(CUiCmdIcon* pIcon, int x, int y)
{
    winharness::DibSurface surface(16, 16, RGB(255, 255, 255));
    ::DrawIconEx(surface.dc(), 0, 0, pIcon->GetIcon(), 16, 16, 0, NULL, DI_NORMAL);
    return surface.Pixel(x, y);
}

class BarColorButton : public ToolBarFixture {
protected:
    BarColorButton()
    {
        g_tracks.clear();
        g_nHookAnswer = CUiPopupMenuWnd::kHookRefuse;
        CUiPopupMenuWnd::g_pfnTrackMenuHook = &RecordTrack;
    }
    ~BarColorButton() override { CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr; }

    CUiBarColorButton* MakeColorBar()
    {
        pBar = MakeBar({kOpen, kClose});
        pBar->SetOwner(&recorder);
        return PutButton<CUiBarColorButton>(pFrame, pBar, 1, kClose);
    }

    CUiToolControlBar* pBar = nullptr;
    MessageRecorder recorder{pFrame};
};

TEST_F(BarColorButton, TheIconIsASquareOfTheSelectedColourMadeOnlyOnAChange)
{
    pBar = MakeBar({kOpen, kClose});
    CountingColorButton* pButton = PutButton<CountingColorButton>(pFrame, pBar, 1, kClose);
    CUiCmdIcon* pIcon = pButton->GetIconPtr();
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(CSize(16, 16), pIcon->GetSize());
    EXPECT_EQ(RGB(0, 0, 0), IconPixel(pIcon, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), IconPixel(pIcon, 15, 15));

    pButton->SetColor(RGB(255, 0, 0), true);
    EXPECT_EQ(1, pButton->nMade);
    EXPECT_EQ(RGB(255, 0, 0), IconPixel(pButton->GetIconPtr(), 8, 8));
    pButton->SetColor(RGB(255, 0, 0), true);
    EXPECT_EQ(1, pButton->nMade);
    // The default colour is offered by the menu; the icon shows the selected one.
    pButton->SetColor(RGB(0, 255, 0), false);
    EXPECT_EQ(RGB(255, 0, 0), IconPixel(pButton->GetIconPtr(), 8, 8));
    EXPECT_EQ(RGB(0, 255, 0), pButton->GetColor(false));
}

TEST_F(BarColorButton, APressOpensTheColourMenuWithoutAResultCell)
{
    CUiBarColorButton* pButton = MakeColorBar();
    pButton->SetColor(RGB(255, 0, 0), true);
    pButton->SetColor(RGB(0, 0, 128), false);
    pButton->SetExtraValue(kNotify);
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 1), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 1));
    ASSERT_EQ(1u, g_tracks.size());
    const ColorTrack& t = g_tracks[0];
    EXPECT_TRUE(t.bColorMenu);
    EXPECT_EQ((UINT)pButton->GetBarDockCode() | 0x820u, t.nFlags);
    EXPECT_FALSE(t.bResultCell);
    EXPECT_EQ(RGB(255, 0, 0), t.clrSelected);
    EXPECT_EQ(RGB(0, 0, 128), t.clrDefault);
    EXPECT_EQ((LPARAM)kNotify, t.lCookie);
    EXPECT_EQ(CString("Default Color"), t.strDefaultText);

    pButton->SetFirstBtnText("Automatic");
    Mouse(pBar, WM_LBUTTONDOWN, Centre(pBar, 1), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, Centre(pBar, 1));
    ASSERT_EQ(2u, g_tracks.size());
    EXPECT_EQ(CString("Automatic"), g_tracks[1].strDefaultText);
}

TEST_F(BarColorButton, ARealClickKeepsTheMenuOpenAndASwatchSendsTheFinalColour)
{
    CUiPopupMenuWnd::g_pfnTrackMenuHook = nullptr;
    const int nSavedAnimation = CUiPopupBaseWnd::g_nDefaultAnimation;
    CUiPopupBaseWnd::g_nDefaultAnimation = 0;
    CUiBarColorButton* pButton = MakeColorBar();
    pButton->SetExtraValue(kNotify);
    CPoint pt = Centre(pBar, 1);
    pBar->ClientToScreen(&pt);
    RealMove(pt);
    RealButton(true);
    ASSERT_TRUE(winharness::PumpUntil([] { return CUiPopupMenuWnd::IsTrackingMenu(); }));
    RealButton(false);
    winharness::PumpFor(200);
    ASSERT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());

    // The tracked colour menu is the top-level popup of this thread owned by the recorder.
    CUiPopupColorMenuWnd* pMenu = nullptr;
    for (HWND h = ::GetTopWindow(NULL); h != NULL && pMenu == nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        pMenu = DYNAMIC_DOWNCAST(CUiPopupColorMenuWnd, CWnd::FromHandlePermanent(h));
    ASSERT_NE(nullptr, pMenu);
    CPoint ptSwatch = pMenu->GetCellRect(16).CenterPoint();
    pMenu->ClientToScreen(&ptSwatch);
    RealMove(ptSwatch);
    winharness::PumpFor(100);
    RealButton(true);
    winharness::PumpFor(50);
    RealButton(false);
    const UINT nFinal = CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
    EXPECT_TRUE(winharness::PumpUntil([&] { return recorder.Count(nFinal) > 0; }));
    for (const MessageRecorder::Received& r : recorder.received) {
        if (r.message == nFinal) {
            EXPECT_EQ((WPARAM)RGB(255, 0, 0), r.wParam);
            EXPECT_EQ((LPARAM)kNotify, r.lParam);
        }
    }
    EXPECT_TRUE(winharness::PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); }));
    CUiPopupBaseWnd::g_nDefaultAnimation = nSavedAnimation;
}

TEST_F(BarColorButton, APressBesideASeparateArrowSendsTheSelectedColour)
{
    CUiBarColorButton* pButton = MakeColorBar();
    pButton->SetSeparatedDropDown(true);
    pButton->SetColor(RGB(255, 0, 0), true);
    pButton->SetExtraValue(kNotify);
    pBar->CalcButtonLayout();
    const CRect rc = pButton->GetRect();
    const CPoint pt(rc.left + 3, rc.CenterPoint().y);
    Mouse(pBar, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, pt);
    EXPECT_TRUE(g_tracks.empty());
    const UINT nFinal = CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
    ASSERT_EQ(1, recorder.Count(nFinal));
    for (const MessageRecorder::Received& r : recorder.received) {
        if (r.message == nFinal) {
            EXPECT_EQ((WPARAM)0x0000FF, r.wParam);
            EXPECT_EQ((LPARAM)kNotify, r.lParam);
        }
    }

    // The arrow part still opens the menu.
    const CRect rcArrow = pButton->GetDropDownRect();
    Mouse(pBar, WM_LBUTTONDOWN, rcArrow.CenterPoint(), MK_LBUTTON);
    Mouse(pBar, WM_LBUTTONUP, rcArrow.CenterPoint());
    EXPECT_EQ(1u, g_tracks.size());
}

TEST_F(BarColorButton, TheChevronMenuHoldsAColourSubmenuOrADisabledPlainCommand)
{
    CUiBarColorButton* pButton = MakeColorBar();
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(recorder.GetSafeHwnd());
    ASSERT_TRUE(pButton->PutToPopupMenu(pMenu));
    ASSERT_EQ(1, pMenu->ItemGetCount());
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CUiPopupColorMenuWnd, pMenu->ItemGetPopup(0)));
    EXPECT_EQ(CString("Close"), pMenu->ItemGetText(0));

    pButton->SetStyle(TBBS_DISABLED);
    ASSERT_TRUE(pButton->PutToPopupMenu(pMenu));
    ASSERT_EQ(2, pMenu->ItemGetCount());
    EXPECT_EQ(nullptr, pMenu->ItemGetPopup(1));
    EXPECT_EQ((UINT)kClose, pMenu->ItemGetCmdID(1));
    delete pMenu;
}

} // namespace
