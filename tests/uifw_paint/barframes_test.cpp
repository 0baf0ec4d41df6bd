// Bar frames, grippers and captions, edit frames and combo frames in the four looks.
#include "framefixture.h"

#include "barpaintdata.h"
#include "menuitempaintdata.h"
#include "paintdraw.h"
#include "paintmanagerstudio2005.h"

using painttest::FrameFixture;
using painttest::SameClip;
using painttest::TestBar;
using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

CRuntimeClass* const kLooks[] = {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP),
                                 RUNTIME_CLASS(CUiPaintManagerOffice2003), RUNTIME_CLASS(CUiPaintManagerStudio2005)};

class BarFrames : public FrameFixture {
protected:
    BarFrames() : surface(60, 60, kSentinel) {}
    COLORREF C(int nIndex) { return scope.Current()->GetColor(nIndex); }
    DibSurface surface;
};

} // namespace

TEST_F(BarFrames, ClassicFrameFillsAndRingsAndKeepsItsDocumentedClip)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    BarFramePaintData empty(nullptr, CRect(10, 10, 10, 40), CRect(0, 0, 0, 0), TRUE, TRUE, FALSE);
    pm->PaintControlBarBorders(*surface.cdc(), empty);
    EXPECT_EQ(3600, surface.Count(kSentinel));

    BarFramePaintData floating(nullptr, CRect(0, 0, 40, 30), CRect(5, 5, 35, 25), TRUE, TRUE, FALSE);
    pm->PaintControlBarBorders(*surface.cdc(), floating);
    EXPECT_EQ(C(1000), surface.Pixel(0, 0));
    EXPECT_EQ(C(1008), surface.Pixel(39, 29));
    EXPECT_EQ(C(1004), surface.Pixel(1, 1));
    EXPECT_EQ(C(1006), surface.Pixel(38, 28));
    EXPECT_EQ(C(1000), surface.Pixel(3, 3));
    EXPECT_EQ(kSentinel, surface.Pixel(10, 10));
    // What follows is clipped to the frame: the client and the outside stay.
    ::FillSolidRect(surface.dc(), CRect(0, 0, 60, 60), RGB(9, 9, 9));
    EXPECT_EQ(kSentinel, surface.Pixel(10, 10));
    EXPECT_EQ(kSentinel, surface.Pixel(50, 50));
    EXPECT_EQ(RGB(9, 9, 9), surface.Pixel(2, 2));
    EXPECT_NE(C(1000), C(1008));
    EXPECT_NE(C(1004), C(1006));
}

TEST_F(BarFrames, XPFloatingFramesHaveTwoShadowRingsAndRoundedInnerCorners)
{
    for (BOOL bResizable : {TRUE, FALSE}) {
        CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
        surface.Fill(kSentinel);
        winharness::DcState before = winharness::DcState::Capture(surface.dc());
        BarFramePaintData data(nullptr, CRect(0, 0, 40, 30), CRect(6, 6, 34, 24), TRUE, bResizable, FALSE);
        pm->PaintControlBarBorders(*surface.cdc(), data);
        EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
        const COLORREF fill = C(bResizable ? 2008 : 2009);
        const COLORREF ring = C(COLOR_BTNSHADOW);
        ASSERT_NE(fill, ring);
        EXPECT_EQ(ring, surface.Pixel(0, 0));
        EXPECT_EQ(ring, surface.Pixel(39, 29));
        EXPECT_EQ(ring, surface.Pixel(1, 28));
        EXPECT_EQ(ring, surface.Pixel(38, 1));
        for (CPoint pt : {CPoint(2, 2), CPoint(37, 2), CPoint(2, 27), CPoint(37, 27)})
            EXPECT_EQ(ring, surface.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
        EXPECT_EQ(fill, surface.Pixel(3, 2));
        EXPECT_EQ(fill, surface.Pixel(20, 3));
        EXPECT_EQ(kSentinel, surface.Pixel(20, 15));
    }
}

TEST_F(BarFrames, ClassicToolbarGripperIsTwoRaisedBars)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    GripperPaintData data(nullptr, CRect(0, 0, 14, 30), CRect(0, 0, 0, 0), FALSE, FALSE, TRUE, FALSE, nullptr);
    pm->PaintGripper(*surface.cdc(), data);
    const winharness::ColorLegend legend = {{'.', kSentinel}, {'A', C(1004)}, {'B', C(1006)}};
    EXPECT_TRUE(winharness::MatchesAsciiMap(surface, 3, 0, {"..........", ".AABAAB...", ".A.BA.B...",
                                                            ".A.BA.B..."}, legend));
    EXPECT_EQ(C(1006), surface.Pixel(5, 29));
    EXPECT_EQ(kSentinel, surface.Pixel(5, 30));
}

TEST_F(BarFrames, CaptionsAreSolidAtEightBitsAndGradientsAbove)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const CRect rcCaption(0, 0, 50, 20);
    CRect rcInner(rcCaption);
    rcInner.DeflateRect(1, 1);
    struct Case {
        BOOL bActive, bFloating;
        int nFrom, nTo;
    } cases[] = {{FALSE, FALSE, COLOR_INACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION},
                 {TRUE, FALSE, COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION},
                 {FALSE, TRUE, COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION}};
    for (const Case& c : cases) {
        const CRect& rcFilled = c.bFloating ? rcCaption : rcInner;
        scope.SetBitsPerPixel(8);
        surface.Fill(kSentinel);
        GripperPaintData solid(nullptr, rcCaption, CRect(0, 0, 0, 0), c.bActive, c.bFloating, FALSE, TRUE, "x");
        pm->PaintGripper(*surface.cdc(), solid);
        EXPECT_EQ(rcFilled.Width() * rcFilled.Height(), painttest::CountIn(surface, rcFilled, C(c.nFrom)));

        scope.SetBitsPerPixel(32);
        DibSurface expected(60, 60, kSentinel);
        FillGradientRect(expected.dc(), rcFilled, C(c.nFrom), C(c.nTo), FALSE, 256);
        GripperPaintData gradient(nullptr, rcCaption, CRect(0, 0, 0, 0), c.bActive, c.bFloating, FALSE, TRUE, "x");
        pm->PaintGripper(*surface.cdc(), gradient);
        for (int x = 0; x < 60; x += 3)
            ASSERT_EQ(expected.Pixel(x, 10), surface.Pixel(x, 10)) << x;
    }
    // A horizontal bar's caption runs its gradient upwards.
    surface.Fill(kSentinel);
    GripperPaintData horz(nullptr, CRect(0, 0, 20, 50), CRect(0, 0, 0, 0), FALSE, FALSE, TRUE, TRUE, "x");
    pm->PaintGripper(*surface.cdc(), horz);
    DibSurface expected(60, 60, kSentinel);
    FillGradientRect(expected.dc(), CRect(1, 1, 19, 49), C(COLOR_INACTIVECAPTION), C(COLOR_GRADIENTINACTIVECAPTION), TRUE, 256);
    EXPECT_EQ(expected.Pixel(10, 2), surface.Pixel(10, 2));
    EXPECT_EQ(expected.Pixel(10, 47), surface.Pixel(10, 47));
}

TEST_F(BarFrames, CaptionTextNeedsTextAndATextRectangleAndStudioCaptionsAreClassic)
{
    scope.SetBitsPerPixel(8);
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    const COLORREF text = C(COLOR_INACTIVECAPTIONTEXT);
    GripperPaintData noRect(nullptr, CRect(0, 0, 60, 20), CRect(5, 5, 5, 15), FALSE, FALSE, FALSE, TRUE, "Caption");
    pm->PaintGripper(*surface.cdc(), noRect);
    GripperPaintData noText(nullptr, CRect(0, 20, 60, 40), CRect(5, 22, 55, 38), FALSE, FALSE, FALSE, TRUE, "");
    pm->PaintGripper(*surface.cdc(), noText);
    GripperPaintData nullText(nullptr, CRect(0, 40, 60, 60), CRect(5, 42, 55, 58), FALSE, FALSE, FALSE, TRUE, nullptr);
    pm->PaintGripper(*surface.cdc(), nullText);
    EXPECT_EQ(0, surface.Count(text));
    GripperPaintData withText(nullptr, CRect(0, 0, 60, 20), CRect(5, 2, 55, 18), FALSE, FALSE, FALSE, TRUE, "Caption");
    pm->PaintGripper(*surface.cdc(), withText);
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(5, 2, 55, 18), text));

    scope.SetBitsPerPixel(32);
    DibSurface studio(60, 60, kSentinel);
    for (BOOL bHorz : {FALSE, TRUE}) {
        surface.Fill(kSentinel);
        studio.Fill(kSentinel);
        const CRect rc = bHorz ? CRect(0, 0, 20, 60) : CRect(0, 0, 60, 20);
        const CRect rcText = bHorz ? CRect(2, 2, 18, 58) : CRect(2, 2, 58, 18);
        GripperPaintData a(nullptr, rc, rcText, TRUE, FALSE, bHorz, TRUE, "Bar");
        scope.Install(RUNTIME_CLASS(CUiPaintManager))->PaintGripper(*surface.cdc(), a);
        GripperPaintData b(nullptr, rc, rcText, TRUE, FALSE, bHorz, TRUE, "Bar");
        scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005))->PaintGripper(*studio.cdc(), b);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_EQ(surface.Pixel(x, y), studio.Pixel(x, y)) << x << "," << y;
    }
}

TEST_F(BarFrames, ACallersClipSurvivesEveryGripperAndFrameButTheClassicFrame)
{
    MakeOuterDockBars();
    TestBar<CUiToolControlBar> toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
    for (CRuntimeClass* pLook : kLooks) {
        for (int nBits : {8, 32}) {
            scope.SetBitsPerPixel(nBits);
            CUiPaintManager* pm = scope.Install(pLook);
            ::IntersectClipRect(surface.dc(), 2, 3, 50, 55);
            ::ExcludeClipRect(surface.dc(), 10, 10, 20, 20);
            winharness::DcState before = winharness::DcState::Capture(surface.dc());
            for (CObject* pAsking : {(CObject*)nullptr, (CObject*)&toolbar}) {
                for (BOOL bHorz : {FALSE, TRUE}) {
                    for (int nKind = 0; nKind < 4; ++nKind) {
                        GripperPaintData data(pAsking, CRect(0, 0, 40, 50), CRect(2, 8, 38, 48), nKind == 1, nKind == 2,
                                              bHorz, nKind != 0, "Caption");
                        pm->PaintGripper(*surface.cdc(), data);
                        ASSERT_TRUE(SameClip(before, surface.dc())) << pLook->m_lpszClassName << nKind;
                    }
                }
                if (pLook == RUNTIME_CLASS(CUiPaintManager))
                    continue;
                for (int nKind = 0; nKind < 4; ++nKind) {
                    BarFramePaintData data(pAsking, CRect(0, 0, 50, 50), CRect(5, 5, 45, 45), nKind & 1, nKind >> 1,
                                           nKind >> 1);
                    pm->PaintControlBarBorders(*surface.cdc(), data);
                    ASSERT_TRUE(SameClip(before, surface.dc())) << pLook->m_lpszClassName << nKind;
                }
            }
            ::SelectClipRgn(surface.dc(), NULL);
        }
    }
}

TEST_F(BarFrames, EditFramesGrowFiveRingsByHoverFocusAndEnabledState)
{
    struct Expect {
        int ring4[2];
        int ring5[2];
    };
    struct Case {
        BOOL bHover, bFocus, bEnabled;
        Expect classic, flat;
    } cases[] = {
        {FALSE, FALSE, TRUE, {{1000, 1000}, {1000, 1000}}, {{1000, 1000}, {1000, 1000}}},
        {TRUE, FALSE, TRUE, {{16, 20}, {1000, 1000}}, {{2004, 2004}, {1000, 1000}}},
        {FALSE, TRUE, TRUE, {{16, 20}, {1000, 1000}}, {{2004, 2004}, {1000, 1000}}},
        {TRUE, TRUE, TRUE, {{21, 15}, {16, 20}}, {{2004, 2004}, {2004, 2004}}},
        {TRUE, TRUE, FALSE, {{1000, 1000}, {1000, 1000}}, {{1000, 1000}, {1000, 1000}}},
    };
    for (CRuntimeClass* pLook : kLooks) {
        CUiPaintManager* pm = scope.Install(pLook);
        const bool bClassic = pLook == RUNTIME_CLASS(CUiPaintManager);
        for (const Case& c : cases) {
            surface.Fill(kSentinel);
            ControlFramePaintData data(nullptr, CRect(10, 10, 30, 30), TRUE, c.bHover, c.bEnabled, c.bFocus);
            pm->PaintControlFrame(*surface.cdc(), data);
            const Expect& e = bClassic ? c.classic : c.flat;
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(10 - k, 10 - k));
                EXPECT_EQ(C(COLOR_WINDOW), surface.Pixel(29 + k, 29 + k));
            }
            EXPECT_EQ(C(e.ring4[0]), surface.Pixel(7, 12)) << pLook->m_lpszClassName;
            EXPECT_EQ(C(e.ring4[1]), surface.Pixel(32, 12)) << pLook->m_lpszClassName;
            EXPECT_EQ(C(e.ring5[0]), surface.Pixel(12, 6)) << pLook->m_lpszClassName;
            EXPECT_EQ(C(e.ring5[1]), surface.Pixel(12, 33)) << pLook->m_lpszClassName;
            EXPECT_EQ(kSentinel, surface.Pixel(5, 5));
            EXPECT_EQ(kSentinel, surface.Pixel(20, 20));
        }
    }
}

TEST_F(BarFrames, ComboFramesShowACustomBackgroundOnlyWhileIdleAndAlwaysTheArrow)
{
    const COLORREF custom = RGB(200, 10, 10);
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    for (CRuntimeClass* pLook : kLooks) {
        CUiPaintManager* pm = scope.Install(pLook);
        const CRect rc(0, 0, 60, 22);
        const CRect rcButton(59 - cxThumb, 1, 59, 21);
        for (int nState = 0; nState < 3; ++nState) {
            surface.Fill(kSentinel);
            ComboFramePaintData data(nullptr, rc, nState == 1, nState == 2, TRUE);
            data.m_clrBackground = custom;
            pm->PaintComboFrame(*surface.cdc(), data);
            const COLORREF strip = surface.Pixel(rcButton.left - 2, 11);
            if (nState == 0)
                EXPECT_EQ(custom, strip) << pLook->m_lpszClassName;
            else
                EXPECT_EQ(C(COLOR_WINDOW), strip) << pLook->m_lpszClassName << nState;
            // The flat looks' pushed button writes in colour 2006.
            const bool bFlatPushed = nState == 2 && pLook != RUNTIME_CLASS(CUiPaintManager);
            EXPECT_TRUE(painttest::InkOnlyInside(surface, rcButton, C(bFlatPushed ? 2006 : COLOR_BTNTEXT)))
                << pLook->m_lpszClassName << nState;
        }
    }
}

TEST_F(BarFrames, AnInPlaceComboFieldLeavesOutTheOuterRing)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    MenuInPlaceWndPaintData data;
    data.m_rcField.SetRect(0, 0, 60, 22);
    data.m_bFlags = MenuInPlaceWndPaintData::kCombo | MenuInPlaceWndPaintData::kEnabled;
    ::ExcludeClipRect(surface.dc(), 55, 55, 60, 60);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    pm->PaintMenuItemInPlaceWnd(*surface.cdc(), data);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_EQ(kSentinel, surface.Pixel(0, 0));
    EXPECT_EQ(kSentinel, surface.Pixel(30, 21));
    EXPECT_EQ(C(2001), surface.Pixel(1, 1));
    EXPECT_EQ(C(2001), surface.Pixel(30, 20));

    // With the outer ring, the face colour frames it.
    surface.Fill(kSentinel);
    ComboFramePaintData combo(nullptr, data.m_rcField, FALSE, FALSE, TRUE);
    pm->PaintComboFrame(*surface.cdc(), combo);
    EXPECT_EQ(C(1000), surface.Pixel(0, 0));
}

TEST_F(BarFrames, XPCaptionsByStateAndOffice2003InactiveCaptionsAsAGradient)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    const CRect rc(0, 0, 50, 20);
    GripperPaintData inactive(nullptr, rc, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE, TRUE, nullptr);
    pm->PaintGripper(*surface.cdc(), inactive);
    EXPECT_EQ(C(2000), surface.Pixel(10, 10));
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(10, 0));
    EXPECT_EQ(C(COLOR_BTNSHADOW), surface.Pixel(49, 10));
    EXPECT_EQ(C(2000), surface.Pixel(0, 0));   // the corners are left out
    GripperPaintData active(nullptr, rc, CRect(0, 0, 0, 0), TRUE, FALSE, FALSE, TRUE, nullptr);
    pm->PaintGripper(*surface.cdc(), active);
    EXPECT_EQ(C(COLOR_HIGHLIGHT), surface.Pixel(10, 0));

    MakeOuterDockBars();
    TestBar<CUiControlBar> bar;
    ASSERT_TRUE(bar.Create(pFrame, CBRS_ALIGN_LEFT, 0xE812));
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    CUiPaintManager* office = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    surface.Fill(kSentinel);
    GripperPaintData caption(&bar, rc, CRect(0, 0, 0, 0), FALSE, FALSE, FALSE, TRUE, nullptr);
    office->PaintGripper(*surface.cdc(), caption);
    DibSurface expected(60, 60, kSentinel);
    FillGradientRect(expected.dc(), CRect(0, 0, 50, 24), C(3000), C(3001), FALSE, 256);
    for (int x = 0; x < 50; x += 5)
        EXPECT_EQ(expected.Pixel(x, 10), surface.Pixel(x, 10)) << x;
    EXPECT_EQ(kSentinel, surface.Pixel(10, 21));
    EXPECT_NE(0, caption.m_bLookFlags & GripperPaintData::kLookBackgroundPainted);
}

TEST_F(BarFrames, APopupItemsInPlaceFieldIsAComboWithAWindowColouredInside)
{
    for (CRuntimeClass* pLook : {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerXP)}) {
        CUiPaintManager* pm = scope.Install(pLook);
        for (BOOL bEnabled : {TRUE, FALSE}) {
            surface.Fill(kSentinel);
            MenuItemPaintData item(nullptr, CRect(0, 0, 60, 30), 0, "", "", nullptr, TRUE, FALSE, FALSE, FALSE, FALSE,
                                   bEnabled, FALSE, FALSE, FALSE, 0);
            item.m_rcInPlace.SetRect(6, 6, 54, 24);
            pm->PaintMenuItem(*surface.cdc(), item);
            DibSurface combo(60, 60, kSentinel);
            CRect rcField(4, 4, 56, pLook == RUNTIME_CLASS(CUiPaintManager) ? 27 : 26);
            ComboFramePaintData frame(nullptr, rcField, FALSE, FALSE, bEnabled);
            pm->PaintComboFrame(*combo.cdc(), frame);
            // The combo frame's outer ring and its button are the item's.
            EXPECT_EQ(combo.Pixel(4, 4), surface.Pixel(4, 4)) << pLook->m_lpszClassName;
            EXPECT_EQ(combo.Pixel(55, 15), surface.Pixel(55, 15)) << pLook->m_lpszClassName;
            // Its drop-down arrow.
            const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
            const CRect rcButton(55 - cxThumb, rcField.top + 1, 55, rcField.bottom - 1);
            if (bEnabled) {
                EXPECT_GT(painttest::CountIn(surface, rcButton, C(COLOR_BTNTEXT)), 3) << pLook->m_lpszClassName;
            }
            EXPECT_EQ(C(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE), surface.Pixel(15, 15)) << pLook->m_lpszClassName;
        }
    }
}
