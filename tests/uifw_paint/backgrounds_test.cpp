// Backgrounds in the four looks: plain fills, the Office 2003 frame gradient that windows on
// the frame continue, docked and floating toolbars, the two-part gradient, size grips and the
// toolbar button shade.
#include "framefixture.h"

#include "barpaintdata.h"
#include "colorhls.h"
#include "glyphs.h"
#include "paintdraw.h"
#include "paintgradients.h"
#include "paintmanagerstudio2005.h"
#include "tabwnd.h"

using painttest::FrameFixture;
using painttest::TestBar;
using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

bool SameArea(const DibSurface& a, const DibSurface& b, const CRect& rc)
{
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

class Backgrounds : public FrameFixture {};

} // namespace

TEST_F(Backgrounds, ClassicAndXPAreFlatFillsAndEmptyOrHiddenRectanglesPaintNothing)
{
    DibSurface surface(60, 40, kSentinel);
    CDC* pDC = surface.cdc();
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    pm->PaintControlBarBackground(*pDC, CRect(0, 0, 30, 20), nullptr, 0);
    EXPECT_EQ(600, painttest::CountIn(surface, CRect(0, 0, 30, 20), pm->GetColor(1000)));
    pm->PaintDockBarBackground(*pDC, CRect(30, 0, 60, 20), nullptr, 0);
    EXPECT_EQ(600, painttest::CountIn(surface, CRect(30, 0, 60, 20), pm->GetColor(COLOR_BTNFACE)));
    pm->PaintDockSplitter(*pDC, CRect(0, 20, 10, 40), 0, 0);
    EXPECT_EQ(pm->GetColor(COLOR_BTNSHADOW), surface.Pixel(5, 30));

    CUiPaintManager* xp = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    surface.Fill(kSentinel);
    xp->PaintDockSplitter(*pDC, CRect(0, 20, 10, 40), 0, 0);
    EXPECT_EQ(xp->GetColor(1000), surface.Pixel(5, 30));
    EXPECT_NE(xp->GetColor(1000), xp->GetColor(COLOR_BTNSHADOW));

    surface.Fill(kSentinel);
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CUiPaintManager), RUNTIME_CLASS(CUiPaintManagerOffice2003)}) {
        CUiPaintManager* p = scope.Install(pClass);
        p->PaintControlBarBackground(*pDC, CRect(10, 10, 10, 30), nullptr, 0);
        p->PaintDockBarBackground(*pDC, CRect(10, 10, 30, 10), nullptr, 0);
        p->PaintDockSplitter(*pDC, CRect(20, 10, 10, 30), 0, 0);
        p->PaintArrowButton(*pDC, TRUE, CRect(5, 5, 5, 20), 0, FALSE, FALSE, 0, 0);
        ::ExcludeClipRect(surface.dc(), 0, 0, 60, 40);
        p->PaintControlBarBackground(*pDC, CRect(0, 0, 30, 20), nullptr, 0);
        p->PaintDockBarBackground(*pDC, CRect(0, 0, 30, 20), nullptr, 0);
        p->PaintArrowButton(*pDC, TRUE, CRect(0, 0, 30, 20), 0, FALSE, FALSE, 0, 0);
        p->PaintSizeGrip(*pDC, CRect(0, 0, 30, 20), 0, 0);
        ::SelectClipRgn(surface.dc(), NULL);
    }
    EXPECT_EQ(60 * 40, surface.Count(kSentinel));
}

TEST_F(Backgrounds, ADialogOnTheFrameContinuesTheFrameGradientPixelForPixel)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    DibSurface frame(rcFrame.Width(), rcFrame.Height(), kSentinel);
    auto* office = static_cast<CUiPaintManagerOffice2003*>(pm);
    ASSERT_TRUE(office->PaintGradientBackground(*frame.cdc(), rcFrame, rcFrame, 0));

    CWnd* pDialog = MakeChild(pFrame, CRect(130, 40, 330, 140));
    DibSurface dialog(200, 100, kSentinel);
    ASSERT_TRUE(pm->PaintThemedBackground(*dialog.cdc(), pDialog, 0));
    for (int y = 0; y < 100; y += 9)
        for (int x = 0; x < 200; x += 7)
            ASSERT_EQ(frame.Pixel(x + 130, y + 40), dialog.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(0, dialog.Count(kSentinel));
    // Across the frame the colours change, so the match is not a flat fill's.
    EXPECT_NE(dialog.Pixel(0, 50), dialog.Pixel(199, 50));

    // At 8 bits there is no themed background; the classic look never has one.
    scope.SetBitsPerPixel(8);
    EXPECT_FALSE(pm->PaintThemedBackground(*dialog.cdc(), pDialog, 0));
    scope.SetBitsPerPixel(32);
    EXPECT_FALSE(scope.Install(RUNTIME_CLASS(CUiPaintManager))->PaintThemedBackground(*dialog.cdc(), pDialog, 0));
}

TEST_F(Backgrounds, AFloatingToolbarsWindowsShowTheVerticalFrameColours)
{
    MakeOuterDockBars();
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    TestBar<CUiToolControlBar> toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    pFrame->FloatControlBar(&toolbar, CPoint(300, 200), CBRS_ALIGN_TOP);
    ASSERT_TRUE(toolbar.IsBarFloating());
    CRect rcBar;
    toolbar.GetClientRect(&rcBar);
    ASSERT_FALSE(rcBar.IsRectEmpty());
    CWnd* pChild = MakeChild(&toolbar, CRect(0, 0, rcBar.Width(), rcBar.Height()));

    DibSurface painted(rcBar.Width(), rcBar.Height(), kSentinel);
    ASSERT_TRUE(pm->PaintThemedBackground(*painted.cdc(), pChild, 0));
    DibSurface expected(rcBar.Width(), rcBar.Height(), kSentinel);
    FillGradientRect(expected.dc(), rcBar, pm->GetColor(3001), pm->GetColor(3000), TRUE, 256);
    EXPECT_TRUE(SameArea(painted, expected, rcBar));
    EXPECT_NE(painted.Pixel(0, 0), painted.Pixel(0, rcBar.Height() - 1));
}

TEST_F(Backgrounds, ADockedToolbarWithoutSchemeIsRoundedOnlyAtItsFarEnd)
{
    MakeOuterDockBars();
    auto* pm = static_cast<CUiPaintManagerOffice2003*>(scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003)));
    TestBar<CUiToolControlBar> toolbar;
    ASSERT_TRUE(toolbar.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    pFrame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    ASSERT_TRUE(toolbar.IsBarDocked());
    CRect rcBar;
    toolbar.GetClientRect(&rcBar);
    ASSERT_GT(rcBar.Width(), 20);

    DibSurface painted(rcBar.Width(), rcBar.Height(), kSentinel);
    ::IntersectClipRect(painted.dc(), 0, 0, rcBar.Width() - 10, rcBar.Height());
    winharness::DcState before = winharness::DcState::Capture(painted.dc());
    pm->PaintControlBarBackground(*painted.cdc(), rcBar, &toolbar, 0);
    // The caller's clip held while the rounded one was in force, and is back afterwards.
    EXPECT_EQ(kSentinel, painted.Pixel(rcBar.Width() - 5, rcBar.Height() / 2));
    EXPECT_TRUE(winharness::SameDcState(before, painted.dc()));
    ::SelectClipRgn(painted.dc(), NULL);
    pm->PaintControlBarBackground(*painted.cdc(), rcBar, &toolbar, 0);

    DibSurface face(rcBar.Width(), rcBar.Height(), kSentinel);
    FillGradientRect(face.dc(), rcBar, pm->GetColor(3016), pm->GetColor(3015), TRUE, 256);
    const int r = rcBar.right - 1;
    const int b = rcBar.bottom - 1;
    EXPECT_EQ(face.Pixel(0, 0), painted.Pixel(0, 0));
    EXPECT_EQ(face.Pixel(r / 2, b / 2), painted.Pixel(r / 2, b / 2));
    EXPECT_NE(face.Pixel(r, 0), painted.Pixel(r, 0));
    EXPECT_NE(face.Pixel(r, b), painted.Pixel(r, b));
    EXPECT_EQ(face.Pixel(r - 2, 0), painted.Pixel(r - 2, 0));
    EXPECT_EQ(0, painted.Count(kSentinel));
    EXPECT_NE(painted.Pixel(2, 0), painted.Pixel(2, b));

    // At 8 bits the toolbar and the dock bar fall back to the classic fills.
    scope.SetBitsPerPixel(8);
    pm->OnSysColorChange();
    painted.Fill(kSentinel);
    pm->PaintControlBarBackground(*painted.cdc(), rcBar, &toolbar, 0);
    EXPECT_EQ(rcBar.Width() * rcBar.Height(), painted.Count(pm->GetColor(1000)));
    painted.Fill(kSentinel);
    pm->PaintDockBarBackground(*painted.cdc(), rcBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP), 0);
    EXPECT_EQ(rcBar.Width() * rcBar.Height(), painted.Count(pm->GetColor(COLOR_BTNFACE)));
}

TEST_F(Backgrounds, TheTwoPartGradientCutsTwoFifthsIntoItsOwnRectangle)
{
    const COLORREF c1 = RGB(250, 0, 0), c2 = RGB(0, 250, 0), c3 = RGB(0, 0, 250);
    DibSurface surface(20, 200, kSentinel);
    PaintTwoPartGradient(surface.dc(), CRect(0, 50, 20, 150), c1, c2, c3, TRUE, 256);
    DibSurface expected(20, 200, kSentinel);
    FillGradientRect(expected.dc(), CRect(0, 50, 20, 90), c2, c1, TRUE, 256);
    FillGradientRect(expected.dc(), CRect(0, 90, 20, 150), c3, c2, TRUE, 256);
    EXPECT_TRUE(SameArea(surface, expected, CRect(0, 0, 20, 200)));
    EXPECT_GT(GetRValue(surface.Pixel(0, 50)), 240);
    EXPECT_GT(GetGValue(surface.Pixel(0, 90)), 240);
    EXPECT_GT(GetBValue(surface.Pixel(0, 149)), 240);
    EXPECT_EQ(kSentinel, surface.Pixel(0, 49));
    EXPECT_EQ(kSentinel, surface.Pixel(0, 150));
}

TEST_F(Backgrounds, TheOffice2003SizeGripIsATriangleOfDots)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    DibSurface surface(16, 16, kSentinel);
    pm->PaintSizeGrip(*surface.cdc(), CRect(0, 0, 16, 16), 0, 0);
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 3; ++row) {
            const int x = 14 - 4 * col, y = 14 - 4 * row;
            const bool bDot = row < 3 - col;
            EXPECT_EQ(bDot ? pm->GetColor(3002) : kSentinel, surface.Pixel(x + 1, y + 1)) << col << "," << row;
            EXPECT_EQ(bDot ? pm->GetColor(3003) : kSentinel, surface.Pixel(x - 1, y - 1)) << col << "," << row;
            EXPECT_EQ(bDot ? pm->GetColor(3003) : kSentinel, surface.Pixel(x, y)) << col << "," << row;
        }
    }
    EXPECT_EQ(6 * 3 + 6 * 4, 16 * 16 - surface.Count(kSentinel));

    // At 8 bits the Marlett grip in colour 1010 instead.
    scope.SetBitsPerPixel(8);
    pm->OnSysColorChange();
    surface.Fill(kSentinel);
    pm->PaintSizeGrip(*surface.cdc(), CRect(0, 0, 16, 16), 0, 0);
    EXPECT_EQ(0, surface.Count(pm->GetColor(3003)));
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(0, 0, 16, 16), pm->GetColor(1010)));
}

TEST_F(Backgrounds, TheToolbarShadeFramesOnlyOnAVerticalBar)
{
    MakeOuterDockBars();
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    TestBar<CUiToolControlBar> horz, vert;
    ASSERT_TRUE(horz.Create(pFrame, CBRS_ALIGN_TOP, 0xE810));
    ASSERT_TRUE(vert.Create(pFrame, CBRS_ALIGN_LEFT, 0xE811));
    pFrame->DockControlBar(&horz, AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(&vert, AFX_IDW_DOCKBAR_LEFT);
    CUiBarButton onHorz(&horz, 100, 0), onVert(&vert, 101, 0);
    onHorz.SetRect(CRect(2, 2, 26, 24));
    onVert.SetRect(CRect(2, 2, 26, 24));

    DibSurface expected(30, 30, kSentinel);
    FillGradientRect(expected.dc(), CRect(3, 3, 25, 23), pm->GetColor(3016), pm->GetColor(3015), TRUE, 256);
    DibSurface surface(30, 30, kSentinel);
    pm->PaintToolBarShade(*surface.cdc(), &onHorz, 0);
    EXPECT_TRUE(SameArea(surface, expected, CRect(0, 0, 30, 30)));
    pm->PaintToolBarShade(*surface.cdc(), &onVert, 0);
    EXPECT_EQ(22 * 2 + 18 * 2, painttest::CountIn(surface, CRect(3, 3, 25, 23), pm->GetColor(2004)));
    EXPECT_EQ(expected.Pixel(10, 10), surface.Pixel(10, 10));

    // Other looks, and Office 2003 at 8 bits, shade nothing; Studio 2005 only on scheme 3.
    surface.Fill(kSentinel);
    scope.Install(RUNTIME_CLASS(CUiPaintManagerXP))->PaintToolBarShade(*surface.cdc(), &onVert, 0);
    scope.Install(RUNTIME_CLASS(CUiPaintManagerStudio2005))->PaintToolBarShade(*surface.cdc(), &onVert, 0);
    scope.SetBitsPerPixel(8);
    scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003))->PaintToolBarShade(*surface.cdc(), &onVert, 0);
    EXPECT_EQ(900, surface.Count(kSentinel));
}

TEST_F(Backgrounds, Office2003ToolbarRowExtrasAreAHorizontalGradient)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    DibSurface surface(40, 10, kSentinel);
    pm->PaintToolBarExtras(*surface.cdc(), nullptr, 0, CRect(0, 0, 40, 10));
    DibSurface expected(40, 10, kSentinel);
    FillGradientRect(expected.dc(), CRect(0, 0, 40, 10), pm->GetColor(3016), pm->GetColor(3010), FALSE, 256);
    EXPECT_TRUE(SameArea(surface, expected, CRect(0, 0, 40, 10)));
    surface.Fill(kSentinel);
    scope.Install(RUNTIME_CLASS(CUiPaintManagerXP))->PaintToolBarExtras(*surface.cdc(), nullptr, 0, CRect(0, 0, 40, 10));
    EXPECT_EQ(400, surface.Count(kSentinel));
}

TEST_F(Backgrounds, ArrowButtonsPickTheirTriangleByDirectionAndSinkWhenPushed)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerXP));
    const CRect rc(0, 0, 20, 20);
    struct Case {
        BOOL bHorz;
        int nDirection;
        int nGlyph;
    } cases[] = {{TRUE, 0, 4}, {TRUE, 1, 5}, {FALSE, 0, 2}, {FALSE, 1, 3}};
    for (const Case& c : cases) {
        for (BOOL bPushed : {FALSE, TRUE}) {
            DibSurface surface(20, 20, kSentinel);
            pm->PaintArrowButton(*surface.cdc(), c.bHorz, rc, c.nDirection, FALSE, bPushed, 0, 0);
            DibSurface expected(20, 20, pm->GetColor(COLOR_BTNFACE));
            const COLORREF colors[2] = {0, pm->GetColor(COLOR_BTNTEXT)};
            CRect rcGlyph(rc);
            if (bPushed)
                rcGlyph.OffsetRect(1, 1);
            pm->PaintGlyphCentered(*expected.cdc(), rcGlyph, GetCaptionGlyph(c.nGlyph), colors);
            for (int y = 2; y < 18; ++y)
                for (int x = 2; x < 18; ++x)
                    ASSERT_EQ(expected.Pixel(x, y), surface.Pixel(x, y)) << c.nGlyph << " " << x << "," << y;
            EXPECT_EQ(pm->GetColor(bPushed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT), surface.Pixel(0, 10));
            EXPECT_EQ(pm->GetColor(bPushed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW), surface.Pixel(19, 10));
            EXPECT_EQ(pm->GetColor(bPushed ? COLOR_BTNSHADOW : COLOR_BTNFACE), surface.Pixel(1, 10));
        }
    }
}

TEST_F(Backgrounds, ThemedEditAndPanelBackgroundsGiveTheCallersClipBack)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(40, 40, 140, 62), pFrame, 0x4400));
    CWnd* pPanel = MakeChild(pFrame, CRect(200, 40, 300, 140));
    MakeChild(pPanel, CRect(10, 10, 30, 30));
    DibSurface surface(120, 120, kSentinel);
    ::ExcludeClipRect(surface.dc(), 100, 100, 120, 120);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    ControlFramePaintData frame(&edit, CRect(6, 6, 94, 16), TRUE, TRUE, TRUE, FALSE);
    pm->PaintControlFrame(*surface.cdc(), frame);
    EXPECT_TRUE(painttest::SameClip(before, surface.dc()));
    // Outside the rings the frame's gradient shows.
    EXPECT_NE(kSentinel, surface.Pixel(0, 0));
    EXPECT_EQ(pm->GetColor(2004), surface.Pixel(3, 10));
    EXPECT_EQ(pm->GetColor(COLOR_WINDOW), surface.Pixel(4, 10));
    EXPECT_NE(kSentinel, surface.Pixel(2, 10));

    surface.Fill(kSentinel);
    pm->PaintPanelBackground(*surface.cdc(), CRect(0, 0, 100, 100), CRect(50, 50, 60, 60), pPanel, 0);
    EXPECT_TRUE(painttest::SameClip(before, surface.dc()));
    EXPECT_EQ(kSentinel, surface.Pixel(20, 20));   // the panel's child
    EXPECT_NE(kSentinel, surface.Pixel(5, 5));
    EXPECT_EQ(pm->GetColor(COLOR_WINDOW), surface.Pixel(55, 55));
}

TEST_F(Backgrounds, Office2003TabStripsOfDockedGroupsContinueTheFrameGradient)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    DibSurface frame(rcFrame.Width(), rcFrame.Height(), kSentinel);
    static_cast<CUiPaintManagerOffice2003*>(pm)->PaintGradientBackground(*frame.cdc(), rcFrame, rcFrame, 0);

    CUiDynTabWnd tabs;
    ASSERT_TRUE(tabs.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(50, 100, 250, 130), pFrame, 0x4500));
    DibSurface strip(200, 30, kSentinel);
    pm->PaintTabClientArea(*strip.cdc(), CRect(0, 0, 200, 26), CRect(), CRect(0, 26, 200, 30), 1, FALSE, &tabs, 0);
    for (int x = 0; x < 200; x += 11)
        ASSERT_EQ(frame.Pixel(x + 50, 110), strip.Pixel(x, 10)) << x;
    EXPECT_EQ(pm->GetColor(1000), strip.Pixel(20, 27));
    EXPECT_EQ(pm->GetColor(COLOR_BTNSHADOW), strip.Pixel(20, 29));

    // A plain tab strip takes the XP colours.
    CUiTabWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(50, 140, 250, 170), pFrame, 0x4501));
    pm->PaintTabClientArea(*strip.cdc(), CRect(0, 0, 200, 26), CRect(), CRect(0, 26, 200, 30), 1, FALSE, &plain, 0);
    EXPECT_EQ(pm->GetColor(2001), strip.Pixel(20, 10));
}

TEST_F(Backgrounds, AnOffice2003ComboShowsTheFrameGradientBehindItsButton)
{
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(40, 40, 160, 200), pFrame, 0x4600));
    DibSurface surface(120, 22, kSentinel);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    ComboFramePaintData data(&combo, CRect(0, 0, 120, 22), FALSE, FALSE, TRUE);
    pm->PaintComboFrame(*surface.cdc(), data);
    EXPECT_TRUE(painttest::SameClip(before, surface.dc()));
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    EXPECT_EQ(pm->GetColor(COLOR_WINDOW), surface.Pixel(0, 0));
    EXPECT_EQ(pm->GetColor(COLOR_WINDOW), surface.Pixel(1, 11));
    EXPECT_EQ(kSentinel, surface.Pixel(10, 11));
    const COLORREF behind = surface.Pixel(119 - cxThumb + 1, 2);
    EXPECT_NE(kSentinel, behind);
    EXPECT_NE(pm->GetColor(COLOR_WINDOW), behind);
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(119 - cxThumb, 1, 119, 21), pm->GetColor(COLOR_BTNTEXT)));

    // Hot: the button is framed in 2004.
    ComboFramePaintData hot(&combo, CRect(0, 0, 120, 22), TRUE, FALSE, TRUE);
    pm->PaintComboFrame(*surface.cdc(), hot);
    EXPECT_EQ(pm->GetColor(2004), surface.Pixel(119 - cxThumb, 11));
}
