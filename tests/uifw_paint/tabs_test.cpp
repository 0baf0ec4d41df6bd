// Tab painting: tab buttons and their glyphs, the strip's colours, where a tab puts its icon
// and text, and the Studio 2005 outlines of tabs painted side by side.
#include <gtest/gtest.h>

#include "cmdicon.h"
#include "glyphs.h"
#include "paintmanagerstudio2005.h"
#include "painttestsupport.h"

using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

// Records where the tab painters place their icon instead of drawing it.
template <class LOOK>
class IconRecordingLook : public LOOK {
public:
    void PaintCmdIcon(CDC&, BOOL, LPCSTR, CUiCmdIcon*, const CRect& rcClient, CRect&, BOOL, BOOL, BOOL, UINT) override
    {
        rcIcons.push_back(rcClient);
    }
    std::vector<CRect> rcIcons;
};

HBITMAP MakeBitmap(int cx, int cy)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

class Tabs : public ::testing::Test {
protected:
    Tabs() : surface(120, 40, kSentinel)
    {
        scope.UseIdentitySysColors();
        scope.SetBitsPerPixel(32);
        scope.GradientFillOff();
    }
    COLORREF C(int nIndex) { return scope.Current()->GetColor(nIndex); }
    template <class LOOK>
    IconRecordingLook<LOOK>* InstallRecording()
    {
        auto* pLook = new IconRecordingLook<LOOK>;
        PaintManagerHolder::Get().SetPaintManager(pLook);
        return pLook;
    }
    painttest::PaintLookScope scope;
    DibSurface surface;
};

} // namespace

TEST_F(Tabs, ButtonsOutsideTheKnownKindsPaintOnlyTheirFrameWhenHoveredOrPushed)
{
    for (CRuntimeClass* pLook : {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP)}) {
        CUiPaintManager* pm = scope.Install(pLook);
        const CRect rc(10, 10, 30, 30);
        surface.Fill(kSentinel);
        pm->PaintTabButton(*surface.cdc(), rc, -3, 0, TRUE, TRUE, FALSE, FALSE, FALSE, nullptr, 0);
        pm->PaintTabButton(*surface.cdc(), rc, 0, 0, TRUE, TRUE, FALSE, FALSE, FALSE, nullptr, 0);
        EXPECT_EQ(120 * 40, surface.Count(kSentinel));
        pm->PaintTabButton(*surface.cdc(), rc, -9, 0, TRUE, TRUE, TRUE, FALSE, FALSE, nullptr, 0);
        EXPECT_EQ(C(COLOR_BTNHIGHLIGHT), surface.Pixel(10, 10));
        EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(29, 29));
        EXPECT_EQ(kSentinel, surface.Pixel(20, 20));
        EXPECT_EQ(120 * 40 - 76, surface.Count(kSentinel));
        pm->PaintTabButton(*surface.cdc(), rc, -9, 0, TRUE, TRUE, FALSE, TRUE, FALSE, nullptr, 0);
        EXPECT_EQ(C(COLOR_3DDKSHADOW), surface.Pixel(10, 10));
        EXPECT_EQ(C(COLOR_BTNHIGHLIGHT), surface.Pixel(29, 29));
    }
}

TEST_F(Tabs, ARightScrollButtonShowsAFilledOrAHollowTriangle)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    const CRect rc(0, 0, 20, 20);
    for (BOOL bEnabled : {TRUE, FALSE}) {
        surface.Fill(kSentinel);
        pm->PaintTabButton(*surface.cdc(), rc, -5, 0, TRUE, bEnabled, FALSE, FALSE, FALSE, nullptr, 0);
        DibSurface expected(120, 40, kSentinel);
        const COLORREF colors[2] = {0, C(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW)};
        pm->PaintGlyphCentered(*expected.cdc(), rc, GetCaptionGlyph(bEnabled ? 5 : 20), colors);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(expected.Pixel(x, y), surface.Pixel(x, y)) << x << "," << y;
        EXPECT_GT(expected.CountOther(kSentinel), 0);
    }
}

TEST_F(Tabs, TheXPStripFollowsTheDisplayDepth)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    ASSERT_NE(C(2000), C(2001));
    for (int nBits : {8, 32}) {
        scope.SetBitsPerPixel(nBits);
        surface.Fill(kSentinel);
        pm->PaintTabClientArea(*surface.cdc(), CRect(0, 0, 120, 20), CRect(), CRect(0, 20, 120, 24), 0, FALSE, nullptr, 0);
        EXPECT_EQ(C(nBits == 8 ? 2000 : 2001), surface.Pixel(50, 10));
        EXPECT_EQ(C(COLOR_BTNHIGHLIGHT), surface.Pixel(50, 20));
        EXPECT_EQ(C(2000), surface.Pixel(50, 22));
        // Grouped mode leaves the near border alone.
        surface.Fill(kSentinel);
        pm->PaintTabClientArea(*surface.cdc(), CRect(0, 0, 120, 20), CRect(), CRect(0, 20, 120, 24), 1, TRUE, nullptr, 0);
        EXPECT_EQ(kSentinel, surface.Pixel(50, 22));
    }
}

TEST_F(Tabs, ATabTooShortForTextShowsOnlyItsIconCentred)
{
    CUiCmdIcon icon(MakeBitmap(16, 16), RGB(255, 0, 255), nullptr, false);
    ASSERT_FALSE(icon.IsEmpty());
    for (int nLook = 0; nLook < 2; ++nLook) {
        IconRecordingLook<CUiPaintManagerXP>* xp = nLook == 0 ? InstallRecording<CUiPaintManagerXP>() : nullptr;
        IconRecordingLook<CUiPaintManagerStudio2005>* studio =
            nLook == 1 ? InstallRecording<CUiPaintManagerStudio2005>() : nullptr;
        CUiPaintManager* pm = scope.Current();
        std::vector<CRect>& rcIcons = xp != nullptr ? xp->rcIcons : studio->rcIcons;
        CFont* pFont = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
        surface.Fill(kSentinel);
        pm->PaintTabItem(*surface.cdc(), CRect(0, 0, 120, 24), TRUE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE,
                         CRect(10, 2, 40, 24), 40, 12, pFont, "Long title", &icon, nullptr, 0);
        ASSERT_EQ(1u, rcIcons.size());
        // Centred in the tab, reported moved by (-4, -1) as the icon painter takes it.
        const CRect rcTab = nLook == 0 ? CRect(9, 2, 40, 24) : CRect(13, 4, 38, 22);
        EXPECT_EQ(rcTab.left + (rcTab.Width() - 16) / 2 - 4, rcIcons[0].left) << nLook;
        EXPECT_EQ(rcTab.top + (rcTab.Height() - 16) / 2 - 1, rcIcons[0].top) << nLook;
        EXPECT_EQ(0, surface.Count(C(nLook == 0 ? COLOR_BTNTEXT : COLOR_BTNTEXT)));

        // A wide tab keeps the icon at its start and draws the text after it.
        surface.Fill(kSentinel);
        pm->PaintTabItem(*surface.cdc(), CRect(0, 0, 120, 24), TRUE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE,
                         CRect(10, 2, 110, 24), 40, 12, pFont, "Long title", &icon, nullptr, 0);
        ASSERT_EQ(2u, rcIcons.size());
        EXPECT_EQ(nLook == 0 ? 11 - 4 : 14 - 4, rcIcons[1].left);
        EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(30, 2, 110, 24), C(COLOR_BTNTEXT)));
    }
}

TEST_F(Tabs, Studio2005TabsAreSlantedOutlinesAndEveryTabOfAStripShows)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005));
    const COLORREF outline = C(COLOR_BTNSHADOW);
    ::IntersectClipRect(surface.dc(), 0, 0, 118, 40);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    for (int i = 0; i < 3; ++i)
        pm->PaintTabItem(*surface.cdc(), CRect(0, 0, 120, 24), TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE,
                         CRect(5 + 35 * i, 4, 35 + 35 * i, 24), 0, 0, nullptr, "", nullptr, nullptr, 0);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    for (int i = 0; i < 3; ++i) {
        const int L = 5 + 35 * i, T = 4, R = 35 + 35 * i;
        // The six points (L, B), (L, T+2), (L+2, T), (R-1, T), (R+1, T+2), (R+1, B) as a region
        // covers them: right and bottom edges exclusive.
        const int B = 24;
        for (CPoint pt : {CPoint(L, B - 1), CPoint(L, T + 2), CPoint(L + 1, T + 1), CPoint(L + 2, T), CPoint(R - 2, T),
                          CPoint(R - 1, T + 1), CPoint(R, T + 2), CPoint(R, B - 1)})
            EXPECT_EQ(outline, surface.Pixel(pt.x, pt.y)) << i << ": " << pt.x << "," << pt.y;
        EXPECT_EQ(kSentinel, surface.Pixel(L, T)) << i;
        EXPECT_EQ(kSentinel, surface.Pixel(R, T)) << i;
        // The gradient face of every tab.
        const COLORREF face = surface.Pixel(L + 10, 14);
        EXPECT_NE(kSentinel, face) << i;
        EXPECT_NE(outline, face) << i;
    }
}
