// Separators, status panes and bar border lines, menu borders and the border of a menu
// joined with the button that opened it.
#include "elementtest.h"

#include "afxext.h"
#include "barbutton.h"
#include "cmdicon.h"
#include "popupmenuwnd.h"
#include "statuscontrolbar.h"
#include "statuspanepaintdata.h"
#include "toolcontrolbar.h"

using namespace elementtest;
using winharness::MatchesAsciiMap;

namespace {

class Separator : public ElementTest {
protected:
    void PaintSeparator(const CRect& rc, BOOL bHorz, CObject* pAsking)
    {
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintSeparator(*surface.cdc(), rc, bHorz, FALSE, pAsking, 0);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    }
};

// A popup menu whose owner toolbar and joined-border answer the test sets.
class CTestPopup : public CUiPopupMenuWnd {
public:
    CUiToolControlBar* GetOwnerToolBar() override { return m_pBar; }
    BOOL IsJoinedBorderClosed() override { return m_bClosed; }
    CUiToolControlBar* m_pBar = nullptr;
    BOOL m_bClosed = FALSE;
};

// A bar button whose icon the test sets.
class CIconButton : public CUiBarButton {
public:
    CUiCmdIcon* GetIconPtr() const override { return m_pIcon; }
    CUiCmdIcon* m_pIcon = nullptr;
};

} // namespace

TEST_F(Separator, LinesOfEachLook)
{
    const CRect rc(10, 10, 18, 30);   // a separator in a row of toolbar buttons
    Use(kXP);
    PaintSeparator(rc, TRUE, nullptr);
    const winharness::ColorLegend xp = {{'.', C(1000)}, {'|', C(2002)}};
    std::vector<std::string> rows(20, "...|....");
    rows.front() = rows.back() = "........";
    EXPECT_TRUE(MatchesAsciiMap(surface, 10, 10, rows, xp));

    Use(kClassic);
    PaintSeparator(rc, TRUE, nullptr);
    const winharness::ColorLegend classic = {{'.', C(1000)}, {'S', C(1006)}, {'L', C(1004)}};
    std::vector<std::string> rowsClassic(20, "...SL...");
    rowsClassic.front() = "...SL...";
    rowsClassic[18] = "...LL...";
    rowsClassic[19] = "........";
    EXPECT_TRUE(MatchesAsciiMap(surface, 10, 10, rowsClassic, classic));

    // Office 2003 above 8 bits: toolbar buttons get the framed line, shortened by 3 at the
    // top and 4 at the bottom; the status bar's stays full length.
    CUiBarButton button;
    CUiStatusControlBar status;
    for (Look look : {kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        PaintSeparator(rc, TRUE, &button);
        const winharness::ColorLegend o2003 = {{'.', C(1000)}, {'D', C(3011)}, {'W', C(3010)}};
        std::vector<std::string> shortened(20, "........");
        for (int y = 3; y < 14; ++y)
            shortened[y] = "...DW...";
        shortened[14] = "...WW...";
        EXPECT_TRUE(MatchesAsciiMap(surface, 10, 10, shortened, o2003));
        Use(look);
        PaintSeparator(rc, TRUE, &status);
        std::vector<std::string> full(20, "...DW...");
        full[18] = "...WW...";
        full[19] = "........";
        EXPECT_TRUE(MatchesAsciiMap(surface, 10, 10, full, o2003));
        // Without colour depth: the XP line.
        scope.SetBitsPerPixel(8);
        Use(look);
        PaintSeparator(rc, TRUE, &button);
        const winharness::ColorLegend flat = {{'.', C(1000)}, {'|', C(2002)}};
        EXPECT_TRUE(MatchesAsciiMap(surface, 10, 10, rows, flat));
        scope.SetBitsPerPixel(32);
    }
}

// The separator item of a popup menu is seen against the menu, at Wine's colours as at the
// Windows default schemes (the classic one and the light face of later Windows).
TEST_F(Separator, MenuSeparatorLinesStandOutFromTheMenu)
{
    struct Scheme {
        const char* name;
        COLORREF window, face, shadow, dark, light, hilight, selection;
    };
    const Scheme schemes[] = {
        {"Wine", RGB(255, 255, 255), RGB(245, 245, 245), RGB(166, 166, 166), RGB(106, 106, 106), RGB(227, 227, 227),
         RGB(255, 255, 255), RGB(48, 150, 250)},
        {"Windows classic", RGB(255, 255, 255), RGB(212, 208, 200), RGB(128, 128, 128), RGB(64, 64, 64),
         RGB(212, 208, 200), RGB(255, 255, 255), RGB(10, 36, 106)},
        {"Windows standard", RGB(255, 255, 255), RGB(240, 240, 240), RGB(160, 160, 160), RGB(105, 105, 105),
         RGB(227, 227, 227), RGB(255, 255, 255), RGB(51, 153, 255)},
    };
    auto Level = [](COLORREF clr) { return (GetRValue(clr) + GetGValue(clr) + GetBValue(clr)) / 3; };
    const CRect rcItem(0, 0, 100, 9);
    for (const Scheme& scheme : schemes) {
        scope.SetSysColor(COLOR_WINDOW, scheme.window);
        scope.SetSysColor(COLOR_BTNFACE, scheme.face);
        scope.SetSysColor(COLOR_BTNSHADOW, scheme.shadow);
        scope.SetSysColor(COLOR_3DDKSHADOW, scheme.dark);
        scope.SetSysColor(COLOR_3DLIGHT, scheme.light);
        scope.SetSysColor(COLOR_3DHILIGHT, scheme.hilight);
        scope.SetSysColor(COLOR_HIGHLIGHT, scheme.selection);
        for (Look look : {kXP, kOffice2003, kStudio2005}) {
            for (BOOL bRarelyUsed : {FALSE, TRUE}) {
                Use(look);
                pm->PaintInsetLine(*surface.cdc(), rcItem, 24, bRarelyUsed, nullptr, 0);
                const COLORREF clrLine = surface.Pixel(60, 4), clrMenu = surface.Pixel(60, 2);
                EXPECT_EQ(C(2001), clrMenu) << scheme.name << " " << LookName(look);
                EXPECT_LE(24, std::abs(Level(clrLine) - Level(clrMenu)))
                    << scheme.name << " " << LookName(look) << (bRarelyUsed ? " rarely used" : "") << ": line "
                    << std::hex << clrLine << " on " << clrMenu;
            }
        }
    }
}

TEST_F(Separator, StatusPanesAndBarBorderLines)
{
    const CRect rc(4, 4, 10, 8);
    const int ids[4] = {1006, COLOR_BTNSHADOW, 3014, 3014};
    for (Look look : kAllLooks) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        StatusPanePaintData pane(nullptr, 2, 0, rc);
        pm->PaintStatusPane(*surface.cdc(), pane);
        const winharness::ColorLegend legend = {{'T', C(ids[look])}, {'B', C(look == kClassic ? 1004 : ids[look])},
                                                {'.', kSentinel}};
        if (look == kClassic)
            EXPECT_TRUE(MatchesAsciiMap(surface, 4, 4, {"TTTTTB", "T....B", "T....B", "BBBBBB"}, legend));
        else
            EXPECT_TRUE(MatchesAsciiMap(surface, 4, 4, {"TTTTTT", "T....T", "T....T", "TTTTTT"}, legend));

        Use(look);
        StatusPanePaintData none(nullptr, 0, 0, CRect(2, 2, 22, 14));
        pm->PaintStatusPane(*surface.cdc(), none);
        EXPECT_EQ(120 * 80, surface.Count(kSentinel));

        StatusPanePaintData all(nullptr, 0, CBRS_BORDER_ANY | CBRS_BORDER_3D, CRect(2, 2, 22, 14));
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintStatusPane(*surface.cdc(), all);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
        const winharness::ColorLegend lines = {{'X', C(1000)}, {'.', kSentinel}};
        const std::string full(20, 'X'), side = "XX" + std::string(16, '.') + "XX";
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2,
                                    {full, full, side, side, side, side, side, side, side, side, full, full}, lines));
    }
}

TEST_F(Separator, MenuBorders)
{
    Use(kClassic);
    pm->PaintMenuBorder(*surface.cdc(), CRect(0, 0, 10, 10), nullptr, 0);
    const winharness::ColorLegend classic = {{'F', C(1000)}, {'D', C(1008)}, {'L', C(1004)}, {'S', C(1006)},
                                             {'.', kSentinel}};
    EXPECT_TRUE(MatchesAsciiMap(surface, 0, 0,
                                {"FFFFFFFFFD", "FLLLLLLLSD", "FLFFFFFFSD", "FLFFFFFFSD", "FLFF..FFSD", "FLFF..FFSD",
                                 "FLFFFFFFSD", "FLFFFFFFSD", "FSSSSSSSSD", "DDDDDDDDDD"},
                                classic));
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        pm->PaintMenuBorder(*surface.cdc(), CRect(0, 0, 8, 8), nullptr, 0);
        const winharness::ColorLegend xp = {{'O', C(2007)}, {'i', C(2001)}, {'.', kSentinel}};
        EXPECT_TRUE(MatchesAsciiMap(surface, 0, 0,
                                    {"OOOOOOOO", "OiiiiiiO", "Oi...iiO", "Oi...iiO", "Oi...iiO", "OiiiiiiO",
                                     "OiiiiiiO", "OOOOOOOO"},
                                    xp));
    }
}

TEST_F(Separator, JoinedBordersLeaveTheButtonAndTheCallersClip)
{
    // The button overlaps the menu's joined edge by one pixel, as a menu opened under a bar
    // button does.
    struct Case {
        int nSide;
        CRect rcMenu, rcButton, rcOpen;   // rcOpen: the band where the joined side would run
    };
    const Case cases[] = {
        {2, CRect(20, 30, 100, 70), CRect(30, 10, 60, 31), CRect(31, 28, 59, 31)},
        {1, CRect(20, 10, 100, 50), CRect(30, 49, 60, 70), CRect(31, 49, 59, 52)},
        {3, CRect(40, 10, 110, 70), CRect(10, 20, 41, 50), CRect(38, 21, 41, 49)},
        {4, CRect(10, 10, 80, 70), CRect(79, 20, 110, 50), CRect(79, 21, 82, 49)},
    };
    CTestPopup popup;
    for (Look look : kAllLooks) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << LookName(look) << " side " << c.nSide);
            Use(look);
            // The caller's own clip: the bottom-right corner of the surface is off limits.
            CRgn rgnCaller;
            rgnCaller.CreateRectRgn(0, 0, 115, 75);
            surface.cdc()->SelectClipRgn(&rgnCaller);
            winharness::DcState before = winharness::DcState::Capture(surface.dc());
            pm->PaintMenuJoinedArea(*surface.cdc(), c.rcMenu, c.rcButton, c.nSide, &popup, 0);
            EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
            surface.cdc()->SelectClipRgn(nullptr);

            CRect rcInside(c.rcButton);
            rcInside.DeflateRect(1, 1);
            EXPECT_EQ(rcInside.Width() * rcInside.Height(), painttest::CountIn(surface, rcInside, kSentinel));
            EXPECT_EQ(kSentinel, surface.Pixel(116, 76));
            const int frameIds[] = {1004, 1006, 1008, 2007};
            for (int nId : frameIds) {
                if (look == kClassic ? nId == 2007 : nId != 2007)
                    continue;
                EXPECT_EQ(0, painttest::CountIn(surface, c.rcOpen, C(nId))) << nId;
            }
            // The rest of the menu's edge is framed.
            EXPECT_LT(0, painttest::CountIn(surface, c.rcMenu, C(look == kClassic ? 1006 : 2007)));
        }
    }
}

TEST_F(Separator, Office2003JoinsOnlyWithUnwrappedDockedBars)
{
    CTestPopup popup;
    CUiToolControlBar bar;
    CFrameWnd site;
    bar.m_pDockSite = &site;
    popup.m_pBar = &bar;
    CIconButton button;
    CUiCmdIcon icon, emptyIcon;
    icon.ConstructFromIcon(::LoadIcon(NULL, IDI_APPLICATION), true);
    bar.m_arrButtons.Add(&button);
    bar.m_nMenuTrackingIndex = 0;
    const CRect rcMenu(20, 30, 100, 70), rcButton(30, 10, 60, 31);
    for (Look look : {kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        // Its own body: the border rect in 2001.
        Use(look);
        bar.m_bContentWrapped = 0;
        pm->PaintMenuJoinedArea(*surface.cdc(), rcMenu, rcButton, 2, &popup, 0);
        EXPECT_EQ(C(2001), surface.Pixel(50, 50));
        // A wrapped bar: the XP body fills the menu with 2000.
        Use(look);
        bar.m_bContentWrapped = 1;
        pm->PaintMenuJoinedArea(*surface.cdc(), rcMenu, rcButton, 2, &popup, 0);
        EXPECT_EQ(C(2000), surface.Pixel(50, 50));
        ASSERT_NE(C(2000), C(2001));
        // A closed border frames the joined side too, over the button's edge only.
        Use(look);
        bar.m_bContentWrapped = 0;
        popup.m_bClosed = TRUE;
        CRgn rgnCaller;
        rgnCaller.CreateRectRgn(0, 0, 110, 75);
        surface.cdc()->SelectClipRgn(&rgnCaller);
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        pm->PaintMenuJoinedArea(*surface.cdc(), rcMenu, rcButton, 2, &popup, 0);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
        surface.cdc()->SelectClipRgn(nullptr);
        // The closing line lies on the menu's grown edge, one row into the button's face.
        EXPECT_EQ(28 * 18, painttest::CountIn(surface, CRect(31, 11, 59, 29), kSentinel));
        EXPECT_EQ(C(2007), surface.Pixel(45, 29));
        EXPECT_EQ(kSentinel, surface.Pixel(45, 28));
        // The owner button's icon keeps the border joined, open where the button meets it.
        for (bool bIcon : {false, true}) {
            Use(look);
            button.m_pIcon = bIcon ? &icon : &emptyIcon;
            pm->PaintMenuJoinedArea(*surface.cdc(), rcMenu, rcButton, 2, &popup, 0);
            EXPECT_EQ(bIcon ? kSentinel : C(2007), surface.Pixel(45, 29)) << bIcon;
        }
        button.m_pIcon = nullptr;
        popup.m_bClosed = FALSE;
    }
    bar.m_arrButtons.RemoveAll();
    bar.m_pDockSite = nullptr;
}
