// Shared drawing operations: gradients with and without GradientFill, the frame gradient,
// colour-keyed blits, monitor fitting, clip exclusion of children, pending paint messages and
// the check mark and radio bullet.
#include <gtest/gtest.h>

#include "colorhls.h"
#include "monitorinfo.h"
#include "paintdraw.h"
#include "paintmanageroffice2003.h"
#include "painttestsupport.h"

using winharness::DibSurface;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);
const COLORREF kFrom = RGB(250, 0, 100);
const COLORREF kTo = RGB(0, 250, 200);

COLORREF Band(int i, int steps)
{
    return RGB((250 * (steps - i)) / steps, (250 * i) / steps, (100 * (steps - i) + 200 * i) / steps);
}

class Gradient : public ::testing::Test {
protected:
    Gradient() : surface(120, 40, kSentinel) { scope.GradientFillOff(); }
    painttest::PaintLookScope scope;
    DibSurface surface;
};

} // namespace

TEST_F(Gradient, OneStepIsOneBandOfTheStartColour)
{
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    FillGradientRect(surface.dc(), CRect(10, 5, 110, 25), kFrom, kTo, FALSE, 1);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_EQ(100 * 20, painttest::CountIn(surface, CRect(10, 5, 110, 25), kFrom));
    EXPECT_EQ(120 * 40 - 100 * 20, surface.Count(kSentinel));
}

TEST_F(Gradient, APaletteDisplayGetsOneBandPerFourPixels)
{
    scope.SetBitsPerPixel(8);
    FillGradientRect(surface.dc(), CRect(10, 5, 110, 25), kFrom, kTo, FALSE, 256);
    for (int i = 0; i < 25; ++i) {
        for (int x = 10 + 4 * i; x < 14 + 4 * i; ++x)
            ASSERT_EQ(Band(i, 25), surface.Pixel(x, 5)) << "band " << i << " column " << x;
    }
    EXPECT_EQ(kSentinel, surface.Pixel(110, 5));
    EXPECT_EQ(kSentinel, surface.Pixel(9, 5));

    // Vertical bands run from the bottom.
    surface.Fill(kSentinel);
    FillGradientRect(surface.dc(), CRect(0, 0, 10, 40), kFrom, kTo, TRUE, 256);
    EXPECT_EQ(Band(0, 10), surface.Pixel(0, 39));
    EXPECT_EQ(Band(0, 10), surface.Pixel(0, 36));
    EXPECT_EQ(Band(9, 10), surface.Pixel(0, 0));
}

TEST_F(Gradient, NoStepsStillPaintOneBand)
{
    scope.SetBitsPerPixel(8);
    FillGradientRect(surface.dc(), CRect(0, 0, 3, 10), kFrom, kTo, FALSE, 256);
    EXPECT_EQ(30, painttest::CountIn(surface, CRect(0, 0, 3, 10), kFrom));
    scope.SetBitsPerPixel(32);
    surface.Fill(kSentinel);
    FillGradientRect(surface.dc(), CRect(0, 0, 20, 10), kFrom, kTo, FALSE, 0);
    EXPECT_EQ(200, painttest::CountIn(surface, CRect(0, 0, 20, 10), kFrom));
    surface.Fill(kSentinel);
    FillGradientRect(surface.dc(), CRect(5, 5, 5, 10), kFrom, kTo, FALSE, 8);
    EXPECT_EQ(120 * 40, surface.Count(kSentinel));
}

TEST_F(Gradient, AboveEightBitsEveryColumnIsABand)
{
    scope.SetBitsPerPixel(32);
    FillGradientRect(surface.dc(), CRect(0, 0, 100, 4), kFrom, kTo, FALSE, 256);
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(Band(x, 100), surface.Pixel(x, 0)) << x;
}

TEST(GradientFillOn, EndsMatchAndChannelsRunOneWay)
{
    painttest::PaintLookScope scope;
    if (PaintManagerHolder::Get().m_pfnGradientFill == nullptr)
        GTEST_SKIP() << "msimg32 has no GradientFill here";
    scope.SetVersion(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "");
    const COLORREF from = RGB(100, 50, 200);
    const COLORREF to = RGB(160, 110, 140);
    DibSurface surface(100, 4, kSentinel);
    FillGradientRect(surface.dc(), CRect(0, 0, 100, 4), from, to, FALSE, 256);
    auto nearly = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 1;
    };
    EXPECT_TRUE(nearly(from, surface.Pixel(0, 0)));
    EXPECT_TRUE(nearly(to, surface.Pixel(99, 0)));
    for (int x = 1; x < 100; ++x) {
        ASSERT_GE(GetRValue(surface.Pixel(x, 1)), GetRValue(surface.Pixel(x - 1, 1)));
        ASSERT_GE(GetGValue(surface.Pixel(x, 1)), GetGValue(surface.Pixel(x - 1, 1)));
        ASSERT_LE(GetBValue(surface.Pixel(x, 1)), GetBValue(surface.Pixel(x - 1, 1)));
    }
}

TEST(FrameGradient, SolidBeyondSevenHundredPixels)
{
    painttest::PaintLookScope scope;
    scope.UseIdentitySysColors();
    scope.SetBitsPerPixel(32);
    scope.SetTheme(0, kSchemeNone);
    scope.GradientFillOff();
    auto* pm = static_cast<CUiPaintManagerOffice2003*>(scope.Install(RUNTIME_CLASS(CUiPaintManagerOffice2003)));
    // Without a scheme 3001 is the face and 3000 the window colour.
    const COLORREF from = pm->GetColor(3001);
    const COLORREF to = pm->GetColor(3000);
    ASSERT_NE(from, to);
    DibSurface surface(1000, 3, kSentinel);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    EXPECT_TRUE(pm->PaintGradientBackground(*surface.cdc(), CRect(0, 0, 1000, 3), CRect(0, 0, 1000, 3), 0));
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_EQ(from, surface.Pixel(0, 0));
    EXPECT_NE(to, surface.Pixel(690, 0));
    EXPECT_EQ(3 * 300, painttest::CountIn(surface, CRect(700, 0, 1000, 3), to));
    // The clip rectangle bounds what is painted.
    surface.Fill(kSentinel);
    pm->PaintGradientBackground(*surface.cdc(), CRect(0, 0, 1000, 3), CRect(0, 0, 100, 3), 0);
    EXPECT_EQ(3 * 900, surface.Count(kSentinel));
}

TEST(ColorKeyBlit, KeyPixelsLeaveTheDestination)
{
    const COLORREF key = RGB(255, 0, 255);
    DibSurface src(4, 2, key);
    ::SetPixel(src.dc(), 1, 0, RGB(10, 20, 30));
    ::SetPixel(src.dc(), 3, 1, RGB(40, 50, 60));
    DibSurface dest(10, 10, kSentinel);
    winharness::DcState before = winharness::DcState::Capture(dest.dc());
    BlitWithColorKey(dest.dc(), 2, 3, -1, -1, src.dc(), 0, 0, 4, 2, key);
    EXPECT_TRUE(winharness::SameDcState(before, dest.dc()));
    EXPECT_EQ(RGB(10, 20, 30), dest.Pixel(3, 3));
    EXPECT_EQ(RGB(40, 50, 60), dest.Pixel(5, 4));
    EXPECT_EQ(100 - 2, dest.Count(kSentinel));

    // Stretched to twice the size.
    dest.Fill(kSentinel);
    BlitWithColorKey(dest.dc(), 0, 0, 8, 4, src.dc(), 0, 0, 4, 2, key);
    EXPECT_EQ(RGB(10, 20, 30), dest.Pixel(2, 0));
    EXPECT_EQ(RGB(10, 20, 30), dest.Pixel(3, 1));
    EXPECT_EQ(100 - 8, dest.Count(kSentinel));
}

TEST(Monitors, RectanglesAreMovedOntoTheNearestMonitor)
{
    MonitorInfo info;
    MonitorInfoFromRect(info, CRect(10, 10, 20, 20));
    const CRect m(info.rcMonitor);
    ASSERT_FALSE(m.IsRectEmpty());
    EXPECT_EQ(1u, info.dwFlags & 1);

    CRect moved = FitRectToMonitor(CRect(m.right + 100, 50, m.right + 300, 80), FALSE, FALSE);
    EXPECT_EQ(CRect(m.right - 200, 50, m.right, 80), moved);
    moved = FitRectToMonitor(CRect(50, m.bottom + 5, 80, m.bottom + 45), FALSE, FALSE);
    EXPECT_EQ(CRect(50, m.bottom - 40, 80, m.bottom), moved);
    // Partly outside stays without keep-inside.
    moved = FitRectToMonitor(CRect(m.right - 10, 50, m.right + 90, 80), FALSE, FALSE);
    EXPECT_EQ(CRect(m.right - 10, 50, m.right + 90, 80), moved);
    moved = FitRectToMonitor(CRect(m.right - 10, 50, m.right + 90, 80), FALSE, TRUE);
    EXPECT_EQ(CRect(m.right - 100, 50, m.right, 80), moved);
    // Larger than the monitor: its top-left corner ends at the monitor's.
    moved = FitRectToMonitor(CRect(m.left - 50, m.top - 50, m.right + 220, m.bottom + 176), FALSE, TRUE);
    EXPECT_EQ(m.TopLeft(), moved.TopLeft());
    EXPECT_EQ(m.Width() + 270, moved.Width());

    MonitorInfoFromWindow(info, nullptr);
    EXPECT_EQ(m, CRect(info.rcMonitor));
}

TEST(Monitors, TheListedMonitorsAnswerAsTheSystemDoes)
{
    MonitorInfo screen;
    MonitorInfoFromPoint(screen, CPoint(0, 0));
    const CRect m(screen.rcMonitor);
    const CRect asked[] = {CRect(10, 10, 20, 20), CRect(m.right - 5, 5, m.right + 50, 30),
                           CRect(m.right + 400, m.bottom + 300, m.right + 500, m.bottom + 350),
                           CRect(-900, -700, -800, -600), CRect(40, 40, 40, 40), CRect(m.right, 0, m.right, 0)};
    for (const CRect& rc : asked) {
        SCOPED_TRACE(rc.left);
        MONITORINFO system = {sizeof(system)};
        ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &system));
        MonitorInfo ours;
        MonitorInfoFromRect(ours, rc);
        EXPECT_EQ(CRect(system.rcMonitor), CRect(ours.rcMonitor));
        EXPECT_EQ(CRect(system.rcWork), CRect(ours.rcWork));
        EXPECT_EQ((system.dwFlags & MONITORINFOF_PRIMARY) != 0, (ours.dwFlags & 1) != 0);
    }
    // Listed anew after a display or setting change: still the same answers.
    ForgetMonitors();
    MonitorInfoFromPoint(screen, CPoint(5, 5));
    EXPECT_EQ(m, CRect(screen.rcMonitor));
}

TEST(Monitors, ARectangleGoesToTheMonitorSharingMostOfItElseToTheNearest)
{
    // Two side by side and a third below the second, as a desk may have them.
    MonitorInfo monitors[3];
    monitors[0].rcMonitor = {0, 0, 1000, 800};
    monitors[1].rcMonitor = {1000, 0, 2000, 800};
    monitors[2].rcMonitor = {1000, 800, 2000, 1600};
    auto pick = [&](const RECT& rc) {
        const RECT got = PickMonitor(monitors, 3, rc).rcMonitor;
        for (int i = 0; i < 3; i++) {
            if (::EqualRect(&got, &monitors[i].rcMonitor))
                return i;
        }
        return -1;
    };
    EXPECT_EQ(0, pick(CRect(900, 100, 1050, 200)));
    EXPECT_EQ(1, pick(CRect(950, 100, 1100, 200)));
    EXPECT_EQ(2, pick(CRect(1500, 700, 1600, 1000)));
    // A point on a shared edge belongs to the monitor it is the first pixel of.
    EXPECT_EQ(1, pick(CRect(1000, 10, 1000, 10)));
    // Outside every monitor: the nearest, by the gap on both axes.
    EXPECT_EQ(0, pick(CRect(-300, 900, -200, 950)));
    EXPECT_EQ(2, pick(CRect(2100, 1500, 2200, 1550)));
    EXPECT_EQ(1, pick(CRect(1500, -400, 1600, -300)));
    const MonitorInfo none = PickMonitor(monitors, 0, CRect(0, 0, 1, 1));
    EXPECT_TRUE(::IsRectEmpty(&none.rcMonitor));
}

TEST(ChildClip, TheFilterLetsTheBackgroundShowThroughTransparentChildren)
{
    painttest::PaintLookScope scope;
    winharness::HiddenParent parent;
    auto child = [&parent](LPCSTR lpszClass, DWORD style, int x) {
        return ::CreateWindowExA(0, lpszClass, "", WS_CHILD | WS_VISIBLE | style, x, 0, 10, 10, parent, NULL,
                                 ::GetModuleHandleA(NULL), NULL);
    };
    HWND hOwnerDraw = child("BUTTON", BS_OWNERDRAW, 0);
    HWND hCheck = child("BUTTON", BS_AUTOCHECKBOX, 10);
    HWND hStatic = child("STATIC", 0, 20);
    HWND hEdit = child("EDIT", 0, 30);
    PaintManagerHolder& holder = PaintManagerHolder::Get();
    holder.m_bThemeFlags &= (BYTE)~kThemeTaskbandRead;
    EXPECT_FALSE(ChildClassExcludeFilter(hOwnerDraw));
    EXPECT_TRUE(ChildClassExcludeFilter(hCheck));
    EXPECT_TRUE(ChildClassExcludeFilter(hStatic));
    EXPECT_FALSE(ChildClassExcludeFilter(hEdit));
    holder.m_bThemeFlags |= kThemeTaskbandRead;
    EXPECT_TRUE(ChildClassExcludeFilter(hOwnerDraw));
    holder.m_bThemeFlags &= (BYTE)~kThemeTaskbandRead;

    // Filtered children keep their area in the clip; the others are cut out of it.
    DibSurface surface(60, 10, kSentinel);
    ExcludeChildWindowsFromClip(surface.dc(), parent, ChildClassExcludeFilterProc, 0);
    FillSolidRect(surface.dc(), CRect(0, 0, 60, 10), RGB(0, 0, 0));
    ::SelectClipRgn(surface.dc(), NULL);
    EXPECT_EQ(kSentinel, surface.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 0), surface.Pixel(15, 5));
    EXPECT_EQ(RGB(0, 0, 0), surface.Pixel(25, 5));
    EXPECT_EQ(kSentinel, surface.Pixel(35, 5));
    EXPECT_EQ(RGB(0, 0, 0), surface.Pixel(45, 5));
    ExcludeChildWindowsFromClip(NULL, parent, nullptr, 0);
    ExcludeChildWindowsFromClip(surface.dc(), NULL, nullptr, 0);
}

namespace {

int g_nPaints = 0;

LRESULT CALLBACK NeverValidates(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ++g_nPaints;
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

TEST(PaintMessages, PendingPaintsAreDispatchedAndANeverValidatingWindowEndsTheRun)
{
    // Only shown windows get WM_PAINT.
    CWnd normal;
    normal.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, CRect(60, 0, 100, 40),
                    nullptr, 0);
    winharness::PumpPending();
    ::InvalidateRect(normal.GetSafeHwnd(), NULL, FALSE);
    PassPaintMessages(FALSE, FALSE, FALSE);
    EXPECT_TRUE(::GetUpdateRect(normal.GetSafeHwnd(), NULL, FALSE));
    PassPaintMessages(TRUE, TRUE, TRUE);
    EXPECT_FALSE(::GetUpdateRect(normal.GetSafeHwnd(), NULL, FALSE));

    WNDCLASSA wc = {};
    wc.lpfnWndProc = NeverValidates;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "KorvaneNeverValidates";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL,
                                  NULL, wc.hInstance, NULL);
    g_nPaints = 0;
    PassPaintMessages(FALSE, FALSE, TRUE);
    EXPECT_EQ(1, g_nPaints);
    // Nothing may pump while the window lives: its WM_PAINT never goes away.
    ::DestroyWindow(hWnd);
    normal.DestroyWindow();
}

TEST(SmallFigures, TheCheckMarkSetsExactlyItsPixels)
{
    DibSurface surface(16, 16, kSentinel);
    const COLORREF c = RGB(200, 30, 60);
    const COLORREF s = InvertColor(c);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    PaintCheckMark(surface.dc(), 3, 4, c);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_TRUE(winharness::MatchesAsciiMap(surface, 3, 4,
                                            {"......#", ".....##", "#...##S", "##.##S.", "S###S..",
                                             ".S#S...", "..S....", "......."},
                                            {{'.', kSentinel}, {'#', c}, {'S', s}}));
    EXPECT_EQ(16 * 16 - 21, surface.Count(kSentinel));
}

TEST(SmallFigures, TheRadioBulletIsAnEllipseOverItsShadow)
{
    DibSurface surface(16, 16, kSentinel);
    const COLORREF c = RGB(200, 30, 60);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    PaintRadioBullet(surface.dc(), 4, 4, c);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(4, 4, 10, 10), c));
    EXPECT_TRUE(painttest::InkOnlyInside(surface, CRect(5, 5, 11, 11), InvertColor(c)));
    // The shadow shows only where the bullet does not cover it.
    EXPECT_EQ(InvertColor(c), surface.Pixel(10, 7));
    EXPECT_EQ(c, surface.Pixel(6, 6));
}

TEST(TextMeasure, OneLineInTheGivenFont)
{
    painttest::PaintLookScope scope;
    CUiPaintManager* pm = scope.Install(RUNTIME_CLASS(CUiPaintManager));
    DibSurface surface(10, 10, kSentinel);
    winharness::DcState before = winharness::DcState::Capture(surface.dc());
    RECT rcShort, rcLong;
    MeasureTextRect(surface.dc(), "ab", (HFONT)pm->m_fontNormal.GetSafeHandle(), rcShort);
    MeasureTextRect(surface.dc(), "ab\tabab", (HFONT)pm->m_fontNormal.GetSafeHandle(), rcLong);
    EXPECT_TRUE(winharness::SameDcState(before, surface.dc()));
    EXPECT_EQ(0, rcShort.left);
    EXPECT_EQ(0, rcShort.top);
    EXPECT_GT(rcShort.right, 0);
    EXPECT_EQ(pm->GetFontTextHeight(FALSE) - 2, rcShort.bottom);
    EXPECT_GT(rcLong.right, rcShort.right);
    EXPECT_EQ(rcShort.bottom, rcLong.bottom);
}
