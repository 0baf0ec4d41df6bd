// Push-button faces in the four looks: the state a disabled button drops, the drop-down
// geometry and arrow, transparent backgrounds, frames and fills, and vertical text.
#include "elementtest.h"

#include "glyphs.h"
#include "pushbuttonpaintdata.h"

using namespace elementtest;
using winharness::DibSurface;
using winharness::MatchesAsciiMap;

namespace {

class PushButton : public ElementTest {
protected:
    PushButtonPaintData Record(const CRect& rc, BOOL bFlat, BOOL bHover, BOOL bPushed, BOOL bEnabled,
                               BOOL bBorder = FALSE, LPCSTR lpszText = "", BOOL bHorz = TRUE, BOOL bDrop = FALSE,
                               BOOL bTransparent = FALSE)
    {
        return PushButtonPaintData(nullptr, bHorz, rc, lpszText, nullptr, bFlat, bHover, bPushed, FALSE, bEnabled,
                                   bBorder, FALSE, FALSE, 1 | 4, NULL, bDrop, 0, bTransparent);
    }
    // The painter's call with the DC state checked afterwards.
    void Paint(PushButtonPaintData& data, DibSurface& target)
    {
        winharness::DcState before = winharness::DcState::Capture(target.dc());
        pm->PaintPushButton(*target.cdc(), data);
        EXPECT_TRUE(winharness::SameDcState(before, target.dc()));
    }
    void Paint(PushButtonPaintData& data) { Paint(data, surface); }
};

} // namespace

TEST_F(PushButton, ADisabledButtonDropsHoverFocusAndIndeterminate)
{
    for (Look look : kAllLooks) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        PushButtonPaintData data(nullptr, TRUE, CRect(5, 5, 45, 27), "Ok", nullptr, FALSE, TRUE, FALSE, TRUE, FALSE,
                                 TRUE, TRUE, FALSE, 1 | 4, NULL, FALSE, 0, FALSE);
        const BYTE bBefore = data.m_bFlags;
        Paint(data);
        EXPECT_EQ(bBefore & 0x6B, data.m_bFlags);

        // The same button painted without those bits looks the same: no focus rectangle.
        DibSurface plain(120, 80, kSentinel);
        PushButtonPaintData bare = Record(CRect(5, 5, 45, 27), FALSE, FALSE, FALSE, FALSE, TRUE, "Ok");
        Paint(bare, plain);
        EXPECT_TRUE(Differences(surface, plain).empty());

        // An enabled button shows its focus rectangle.
        PushButtonPaintData focused = Record(CRect(5, 5, 45, 27), FALSE, FALSE, FALSE, TRUE, TRUE, "Ok");
        focused.m_bFlags |= PushButtonPaintData::kDrawFocus;
        PushButtonPaintData unfocused = Record(CRect(5, 5, 45, 27), FALSE, FALSE, FALSE, TRUE, TRUE, "Ok");
        Paint(focused);
        Paint(unfocused, plain);
        EXPECT_FALSE(Differences(surface, plain).empty());
    }
}

TEST_F(PushButton, ASeparatedDropDownSharesOneColumnWithTheMainPart)
{
    // XP family: hovered, the drop-down part pushed: 1001 main part, 2003 drop-down part,
    // frames 2004 around the main part (ending 11 pixels before the right edge), the drop-down
    // part (starting one pixel left of that) and the whole button.
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        PushButtonPaintData data = Record(CRect(10, 10, 70, 32), FALSE, TRUE, FALSE, TRUE, TRUE, "", TRUE, TRUE);
        data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown | PushButtonPaintData::kDropDownPushed;
        Paint(data);
        const winharness::ColorLegend legend = {{'F', C(2004)}, {'h', C(1001)}, {'p', C(2003)}};
        EXPECT_TRUE(MatchesAsciiMap(surface, 10, 12, {"F" + std::string(47, 'h') + "F" + std::string(10, 'p') + "F"},
                                    legend));
        // The 5 x 3 arrow centred in the drop-down part (58..70): no offset in these looks.
        EXPECT_EQ(GlyphPixels(g_glyphSmallDownTriangle, 61, 19), PixelsOf(surface, C(COLOR_BTNTEXT)));

        Use(look);
        PushButtonPaintData disabled = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, FALSE, TRUE, "", TRUE, TRUE);
        disabled.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown;
        Paint(disabled);
        EXPECT_EQ(GlyphPixels(g_glyphSmallDownTriangle, 61, 19), PixelsOf(surface, C(COLOR_BTNSHADOW), CRect(59, 13, 69, 29)));
    }

    Use(kClassic);
    PushButtonPaintData data = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, TRUE, TRUE, "", TRUE, TRUE);
    data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown;
    Paint(data);
    EXPECT_EQ(GlyphPixels(g_glyphSmallDownTriangle, 61, 19), PixelsOf(surface, C(1010)));
    // The drop-down part's raised frame starts at column 58, inside the main part's.
    EXPECT_EQ(C(1004), surface.Pixel(58, 20));
    EXPECT_EQ(C(1000), surface.Pixel(57, 20));

    // Pressed look: the arrow moves by the classic glyph offset.
    Use(kClassic);
    data = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, TRUE, TRUE, "", TRUE, TRUE);
    data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown | PushButtonPaintData::kDropDownPushed;
    Paint(data);
    EXPECT_EQ(GlyphPixels(g_glyphSmallDownTriangle, 62, 20), PixelsOf(surface, C(1010)));

    Use(kClassic);
    data = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, FALSE, TRUE, "", TRUE, TRUE);
    data.m_bFlags2 |= PushButtonPaintData::kSeparatedDropDown;
    Paint(data);
    EXPECT_EQ(GlyphPixels(g_glyphSmallDownTriangle, 61, 19), PixelsOf(surface, C(1006), CRect(59, 12, 68, 30)));
}

TEST_F(PushButton, ATransparentBackgroundKeepsWhatLiesBelow)
{
    // XP idle: only the main part's frame (21) and the arrow cover the sentinel.
    Use(kXP);
    PushButtonPaintData data = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, TRUE, TRUE, "", TRUE, TRUE, TRUE);
    Paint(data);
    const CRect rcMain(10, 10, 59, 32);
    const int nFrame = 2 * (rcMain.Width() + rcMain.Height()) - 4;
    EXPECT_EQ(nFrame, (int)PixelsOf(surface, C(COLOR_3DDKSHADOW)).size());
    EXPECT_EQ(9, (int)PixelsOf(surface, C(COLOR_BTNTEXT)).size());
    EXPECT_EQ(120 * 80 - nFrame - 9, surface.Count(kSentinel));

    // Classic: the raised frame around the whole button and the arrow.
    Use(kClassic);
    data = Record(CRect(10, 10, 70, 32), FALSE, FALSE, FALSE, TRUE, TRUE, "", TRUE, TRUE, TRUE);
    Paint(data);
    EXPECT_EQ(120 * 80 - (2 * (60 + 22) - 4) - 9, surface.Count(kSentinel));
}

TEST_F(PushButton, ClassicFrames)
{
    Use(kClassic);
    const winharness::ColorLegend legend = {{'F', C(1000)}, {'L', C(1004)}, {'S', C(1006)}, {'D', C(1008)},
                                            {'.', kSentinel}};
    const CRect rc(2, 2, 10, 8);
    PushButtonPaintData idle = Record(rc, FALSE, FALSE, FALSE, TRUE);
    Paint(idle);
    EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2,
                                {"LLLLLLLS", "LFFFFFFS", "LFFFFFFS", "LFFFFFFS", "LFFFFFFS", "SSSSSSSS"}, legend));
    PushButtonPaintData hover = Record(rc, FALSE, TRUE, FALSE, TRUE);
    Paint(hover);
    EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2,
                                {"SSSSSSSD", "SLLLLLSD", "SLFFFFSD", "SLFFFFSD", "SSSSSSSD", "DDDDDDDD"}, legend));
    PushButtonPaintData pushed = Record(rc, FALSE, FALSE, TRUE, TRUE);
    Paint(pushed);
    EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2,
                                {"SSSSSSSL", "SFFFFFFL", "SFFFFFFL", "SFFFFFFL", "SFFFFFFL", "LLLLLLLL"}, legend));
    // Flat: framed only when hovered with the draw-border bit.
    PushButtonPaintData flatHover = Record(rc, TRUE, TRUE, FALSE, TRUE, FALSE);
    Paint(flatHover);
    EXPECT_EQ(48, painttest::CountIn(surface, rc, C(1001)));
    PushButtonPaintData flatBorder = Record(rc, TRUE, TRUE, FALSE, TRUE, TRUE);
    Paint(flatBorder);
    EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2,
                                {"LLLLLLLS", "LFFFFFFS", "LFFFFFFS", "LFFFFFFS", "LFFFFFFS", "SSSSSSSS"}, legend));
}

TEST_F(PushButton, FlatLooksFramesAndFills)
{
    for (Look look : {kXP, kOffice2003, kStudio2005}) {
        SCOPED_TRACE(LookName(look));
        Use(look);
        const winharness::ColorLegend legend = {{'D', C(COLOR_3DDKSHADOW)}, {'F', C(COLOR_BTNFACE)},
                                                {'B', C(2004)},          {'H', C(1001)},
                                                {'A', C(1000)},          {'P', C(2003)}};
        const CRect rc(2, 2, 8, 6);
        PushButtonPaintData idle = Record(rc, FALSE, FALSE, FALSE, TRUE);
        Paint(idle);
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2, {"DDDDDD", "DFFFFD", "DFFFFD", "DDDDDD"}, legend));
        PushButtonPaintData hover = Record(rc, FALSE, TRUE, FALSE, TRUE);
        Paint(hover);
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2, {"BBBBBB", "BHHHHB", "BHHHHB", "BBBBBB"}, legend));
        PushButtonPaintData flat = Record(rc, TRUE, FALSE, FALSE, TRUE, TRUE);
        Paint(flat);
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2, {"AAAAAA", "AAAAAA", "AAAAAA", "AAAAAA"}, legend));
        PushButtonPaintData pushedHover = Record(rc, TRUE, TRUE, TRUE, TRUE, TRUE);
        Paint(pushedHover);
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2, {"BBBBBB", "BPPPPB", "BPPPPB", "BBBBBB"}, legend));
        PushButtonPaintData pushed = Record(rc, TRUE, FALSE, TRUE, TRUE, FALSE);
        Paint(pushed);
        EXPECT_TRUE(MatchesAsciiMap(surface, 2, 2, {"HHHHHH", "HHHHHH", "HHHHHH", "HHHHHH"}, legend));
    }
}

TEST_F(PushButton, VerticalTextUnderlinesTheMarkedCharacterOnly)
{
    Use(kXP);
    // Flat, transparent: nothing but the text is drawn.
    DibSurface marked(40, 80, kSentinel), plain(40, 80, kSentinel);
    PushButtonPaintData a = Record(CRect(5, 5, 35, 75), TRUE, FALSE, FALSE, TRUE, FALSE, "&File", FALSE, FALSE, TRUE);
    PushButtonPaintData b = Record(CRect(5, 5, 35, 75), TRUE, FALSE, FALSE, TRUE, FALSE, "File", FALSE, FALSE, TRUE);
    Paint(a, marked);
    Paint(b, plain);
    const PixelSet ink = PixelsOf(plain, C(COLOR_BTNTEXT));
    ASSERT_FALSE(ink.empty());
    const CRect rcInk = Bounds(ink);
    EXPECT_GT(rcInk.Height(), rcInk.Width());   // runs downwards
    const PixelSet underline = Differences(marked, plain);
    ASSERT_FALSE(underline.empty());
    CSize sizeF;
    {
        CClientDC screen(nullptr);
        HGDIOBJ hOld = screen.SelectObject((HGDIOBJ)pm->m_fontNormal.GetSafeHandle());
        ::GetTextExtentPoint32A(screen.GetSafeHdc(), "F", 1, &sizeF);
        screen.SelectObject(hOld);
    }
    const CRect rcLine = Bounds(underline);
    EXPECT_EQ(1, rcLine.Width());
    EXPECT_GE(rcLine.top, rcInk.top - 1);
    EXPECT_LE(rcLine.Height(), sizeF.cx + 1);
    EXPECT_LT(rcLine.bottom, rcInk.bottom - sizeF.cx);
}

TEST_F(PushButton, ClassicDisabledVerticalTextIsEngraved)
{
    Use(kClassic);
    PushButtonPaintData data = Record(CRect(5, 5, 35, 75), TRUE, FALSE, FALSE, FALSE, FALSE, "File", FALSE, FALSE, TRUE);
    Paint(data);
    const CRect rcShadow = Bounds(PixelsOf(surface, C(COLOR_BTNSHADOW)));
    const CRect rcLight = Bounds(PixelsOf(surface, C(COLOR_3DHILIGHT)));
    ASSERT_FALSE(rcShadow.IsRectEmpty());
    EXPECT_EQ(rcShadow.right + 1, rcLight.right);
    EXPECT_EQ(rcShadow.bottom + 1, rcLight.bottom);
    // Only the two colours are drawn.
    EXPECT_EQ(40 * 0 + 120 * 80,
              surface.Count(kSentinel) + (int)PixelsOf(surface, C(COLOR_BTNSHADOW)).size() +
                  (int)PixelsOf(surface, C(COLOR_3DHILIGHT)).size());
}
