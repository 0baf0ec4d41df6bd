// The colour control: the pickers' geometry and colour arithmetic without a window, the
// picker objects laid out, painted and driven on a DIB, and the control window's
// notifications to its parent.
#include "colorcellpickers.h"
#include "colorctrl.h"
#include "colorcubepickers.h"
#include "colorhls.h"
#include "colorhslpickers.h"
#include "colorpickergeometry.h"
#include "colorplanepickers.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "paintsystem.h"
#include "winharness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace colorpicker;
using winharness::DibSurface;

namespace {

typedef CUiColorCtrl::any_picker_data_t Picker;

// Screen depth as the pickers see it, for the palette-screen branches.
class BitsPerPixelScope {
public:
    explicit BitsPerPixelScope(int nBits) { SetBitsPerPixelOverride(nBits); }
    ~BitsPerPixelScope() { SetBitsPerPixelOverride(0); }
};

// A picker laid out on a DIB of its size.
template <class T>
struct LaidOut {
    std::unique_ptr<T> picker;
    DibSurface surface;
    LaidOut(T* p, int cx, int cy, COLORREF clr = RGB(255, 255, 255)) : picker(p), surface(cx, cy)
    {
        picker->Layout(surface.cdc(), nullptr, cx, cy, false);
        picker->SetColor(clr);
    }
    T* operator->() const { return picker.get(); }
    void Press(int x, int y, UINT nFlags = 0)
    {
        picker->OnMouseDown(nFlags, x, y);
        picker->OnMouseMove(nFlags, x, y);
    }
};

CPoint CentreOf(const CRect& rc)
{
    return rc.CenterPoint();
}

}  // namespace

// ---- Cubes.

TEST(ColorCube, GeometryOfASixtyByFortyPicker)
{
    const CubeGeometry geo = ComputeCubeGeometry(60, 40);
    EXPECT_EQ(CRect(15, 5, 42, 32), geo.rcSquare);
    EXPECT_EQ(27, geo.nSize);
    EXPECT_EQ(13, geo.h);
    EXPECT_EQ(6, geo.q);
    EXPECT_EQ(CPoint(28, 18), geo.O);
    EXPECT_EQ(CPoint(28, 5), geo.E0);
    EXPECT_EQ(CPoint(15, 26), geo.E1);
    EXPECT_EQ(CPoint(42, 26), geo.E2);

    // A square already a multiple of 4 is not trimmed; a higher than wide one is squared
    // from the top and bottom.
    EXPECT_EQ(CRect(5, 15, 45, 55), ComputeCubeGeometry(50, 70).rcSquare);
}

TEST(ColorCube, BlackInRgbAndWhiteInCmyPutAllHandlesOnTheCentreVertex)
{
    LaidOut<CUiColorCtrl::rgb_cube_data_t> rgb(new CUiColorCtrl::rgb_cube_data_t, 60, 40, RGB(0, 0, 0));
    LaidOut<CUiColorCtrl::cmy_cube_data_t> cmy(new CUiColorCtrl::cmy_cube_data_t, 60, 40, RGB(255, 255, 255));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(CPoint(28, 18), rgb->GetPoints().handle[k]) << k;
        EXPECT_EQ(CPoint(28, 18), cmy->GetPoints().handle[k]) << k;
    }
    // Full channels reach the edges' ends.
    rgb->SetColor(RGB(255, 255, 255));
    EXPECT_EQ(CPoint(28, 5), rgb->GetPoints().handle[0]);
    EXPECT_EQ(CPoint(15, 24), rgb->GetPoints().handle[1]);
    EXPECT_EQ(CPoint(41, 24), rgb->GetPoints().handle[2]);
}

TEST(ColorCube, HandleDragHoldsItsValueAtBothEndsOfTheEdge)
{
    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 60, 40, RGB(0, 90, 180));
    // Black in red: all handles at O; the press drags channel 0, the first one tested.
    cube.Press(28, 18);
    ASSERT_EQ(Picker::kTrackHandle0, cube->m_nTracking);
    cube->OnMouseMove(MK_LBUTTON, 28, -30);
    EXPECT_EQ(RGB(255, 90, 180), cube->m_clr);
    cube->OnMouseMove(MK_LBUTTON, 28, 12);
    EXPECT_EQ(RGB(117, 90, 180), cube->m_clr);   // (12 - 18) * 255 / (5 - 18)
    cube->OnMouseMove(MK_LBUTTON, 28, 39);
    EXPECT_EQ(RGB(0, 90, 180), cube->m_clr);
    cube->OnMouseUp(0, 28, 39);
    EXPECT_EQ(Picker::kTrackIdle, cube->m_nTracking);
    cube->OnMouseMove(MK_LBUTTON, 28, -30);
    EXPECT_EQ(RGB(0, 90, 180), cube->m_clr);

    // Handle 2 (blue) runs to the lower right: past E2 it is 255, left of O 0.
    const CPoint h2 = cube->GetPoints().handle[2];
    cube.Press(h2.x, h2.y);
    ASSERT_EQ(Picker::kTrackHandle2, cube->m_nTracking);
    cube->OnMouseMove(MK_LBUTTON, 200, 0);
    EXPECT_EQ(RGB(0, 90, 255), cube->m_clr);
    cube->OnMouseMove(MK_LBUTTON, -5, 0);
    EXPECT_EQ(RGB(0, 90, 0), cube->m_clr);

    // The CMY cube drags cyan: red falls as the handle rises.
    LaidOut<CUiColorCtrl::cmy_cube_data_t> cmy(new CUiColorCtrl::cmy_cube_data_t, 60, 40, RGB(255, 10, 20));
    cmy.Press(28, 18);
    cmy->OnMouseMove(MK_LBUTTON, 28, 0);
    EXPECT_EQ(RGB(0, 10, 20), cmy->m_clr);
}

TEST(ColorCube, FaceClicksPickTheImageAndCtrlKeepsTheUnspannedChannel)
{
    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 100, 100,
                                                RGB(255, 255, 255));
    const CubeGeometry geo = cube->GetGeometry();
    // A point inside face 0-1 (red up, green to the lower left): left of the centre line.
    const CPoint pt(geo.O.x - geo.h / 2, geo.O.y - geo.h / 4);
    const COLORREF clrImage = cube->m_image.GetPixel(pt.x - geo.rcSquare.left, pt.y - geo.rcSquare.top);
    ASSERT_NE(RGB(255, 255, 255), clrImage);
    EXPECT_EQ(0, GetBValue(clrImage));

    cube->SetColor(RGB(1, 2, 77));
    cube.Press(pt.x, pt.y, MK_CONTROL);
    EXPECT_EQ(RGB(GetRValue(clrImage), GetGValue(clrImage), 77), cube->m_clr);
    EXPECT_EQ(Picker::kTrackIdle, cube->m_nTracking);   // a face click starts no drag

    cube->SetColor(RGB(1, 2, 77));
    cube.Press(pt.x, pt.y);
    EXPECT_EQ(clrImage, cube->m_clr);

    // The CMY cube keeps yellow, the same byte.
    LaidOut<CUiColorCtrl::cmy_cube_data_t> cmy(new CUiColorCtrl::cmy_cube_data_t, 100, 100, RGB(0, 0, 0));
    const COLORREF clrCmyImage = cmy->m_image.GetPixel(pt.x - geo.rcSquare.left, pt.y - geo.rcSquare.top);
    cmy->SetColor(RGB(1, 2, 77));
    cmy.Press(pt.x, pt.y, MK_CONTROL);
    EXPECT_EQ(RGB(GetRValue(clrCmyImage), GetGValue(clrCmyImage), 77), cmy->m_clr);
}

TEST(ColorCube, WhitePixelsAndPaletteScreensPickNothing)
{
    // The CMY cube is white around O; black moves the handles out of the way.
    LaidOut<CUiColorCtrl::cmy_cube_data_t> cmy(new CUiColorCtrl::cmy_cube_data_t, 60, 40, RGB(0, 0, 0));
    const CubeGeometry geo = cmy->GetGeometry();
    int nWhiteOnFaces = 0;
    for (int y = geo.rcSquare.top; y < geo.rcSquare.bottom; ++y) {
        for (int x = geo.rcSquare.left; x < geo.rcSquare.right; ++x) {
            if (cmy->m_image.GetPixel(x - geo.rcSquare.left, y - geo.rcSquare.top) != RGB(255, 255, 255))
                continue;
            bool bOnFace = false;
            for (int nFace = 0; nFace < 3; ++nFace) {
                POINT pts[4];
                CubeFace(geo, nFace, pts);
                CRgn rgn;
                rgn.CreatePolygonRgn(pts, 4, ALTERNATE);
                bOnFace = bOnFace || rgn.PtInRegion(x, y);
            }
            bool bOnHandle = false;
            for (const CPoint& h : cmy->GetPoints().handle)
                bOnHandle = bOnHandle || CRect(h.x - 4, h.y - 4, h.x + 4, h.y + 4).PtInRect(CPoint(x, y));
            if (!bOnFace || bOnHandle)
                continue;
            ++nWhiteOnFaces;
            cmy.Press(x, y);
            EXPECT_EQ(RGB(0, 0, 0), cmy->m_clr) << x << ", " << y;
        }
    }
    EXPECT_GT(nWhiteOnFaces, 0);
    // A point on no face does nothing either.
    cmy.Press(1, 1);
    EXPECT_EQ(RGB(0, 0, 0), cmy->m_clr);

    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 100, 100, RGB(255, 255, 255));
    const CPoint ptFace(cube->GetGeometry().O.x - 10, cube->GetGeometry().O.y - 5);
    BitsPerPixelScope bits(8);
    cube.Press(ptFace.x, ptFace.y);
    EXPECT_EQ(RGB(255, 255, 255), cube->m_clr);
    // The handles still drag.
    cube.Press(cube->GetPoints().handle[0].x, cube->GetPoints().handle[0].y);
    cube->OnMouseMove(MK_LBUTTON, 0, 1000);
    EXPECT_EQ(RGB(0, 255, 255), cube->m_clr);
}

TEST(ColorCube, PaintsTheImageKeyedOnWhiteAndTheHandles)
{
    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 60, 40, RGB(255, 255, 255));
    cube.surface.Fill(RGB(1, 2, 3));
    cube->Paint(cube.surface.cdc(), nullptr);
    const CubeGeometry geo = cube->GetGeometry();
    // The square's corner is white in the image and lets the background through.
    EXPECT_EQ(RGB(1, 2, 3), cube.surface.Pixel(geo.rcSquare.left, geo.rcSquare.top));
    // A face pixel is the image's.
    const CPoint pt(geo.O.x - 6, geo.O.y - 2);
    EXPECT_EQ(cube->m_image.GetPixel(pt.x - geo.rcSquare.left, pt.y - geo.rcSquare.top), cube.surface.Pixel(pt.x, pt.y));
    // Handle 0 at E0: 9 x 9, black frame with white inside; handle 2 at E2 is 8 x 8.
    const CPoint h0 = cube->GetPoints().handle[0];
    EXPECT_EQ(RGB(0, 0, 0), cube.surface.Pixel(h0.x - 4, h0.y - 4));
    EXPECT_EQ(RGB(0, 0, 0), cube.surface.Pixel(h0.x + 4, h0.y + 4));
    EXPECT_EQ(RGB(255, 255, 255), cube.surface.Pixel(h0.x + 3, h0.y + 3));
    const CPoint h2 = cube->GetPoints().handle[2];
    EXPECT_EQ(RGB(0, 0, 0), cube.surface.Pixel(h2.x + 3, h2.y + 3));
    EXPECT_EQ(RGB(255, 255, 255), cube.surface.Pixel(h2.x + 2, h2.y + 2));
}

// ---- Cell-based pickers.

TEST(ColorHoneycomb, HoldsTheBasicColoursGreysAndBlackAndWhite)
{
    std::vector<CUiColorCtrl::cell_t> cells;
    BuildHoneycombCells(300, 260, cells, false);
    ASSERT_EQ(144u, cells.size());
    for (int i = 0; i < 127; ++i)
        EXPECT_TRUE(cells[i].bHexagon) << i;
    EXPECT_EQ(RGB(255, 255, 255), cells[0].clr);
    // Ring cells are saturated hues: no grey among them, the inner ring lighter.
    for (int i = 1; i < 127; ++i)
        EXPECT_FALSE(GetRValue(cells[i].clr) == GetGValue(cells[i].clr) && GetGValue(cells[i].clr) == GetBValue(cells[i].clr)) << i;
    EXPECT_GT(GetRValue(cells[1].clr) + GetGValue(cells[1].clr) + GetBValue(cells[1].clr),
              GetRValue(cells[126].clr) + GetGValue(cells[126].clr) + GetBValue(cells[126].clr));
    EXPECT_EQ(RGB(255, 255, 255), cells[127].clr);
    EXPECT_TRUE(cells[127].bHexagon);
    for (int k = 1; k <= 15; ++k) {
        const int v = 255 - 15 * k;
        EXPECT_EQ(RGB(v, v, v), cells[127 + k].clr) << k;
        EXPECT_FALSE(cells[127 + k].rc.IsRectEmpty()) << k;
    }
    EXPECT_EQ(RGB(0, 0, 0), cells[143].clr);
    EXPECT_TRUE(cells[143].bHexagon);
    // No two cells of the honeycomb share a centre.
    for (int i = 0; i < 127; ++i)
        for (int j = i + 1; j < 127; ++j)
            EXPECT_NE(CentreOf(cells[i].rc), CentreOf(cells[j].rc)) << i << " " << j;
    // The honeycomb's cells hit themselves at their centres.
    for (int i = 0; i < 127; ++i)
        EXPECT_EQ(i, HitCell(cells, CPoint(cells[i].pts[1].x, (cells[i].pts[1].y + cells[i].pts[4].y) / 2))) << i;
}

TEST(ColorHoneycomb, CellSizeAndCornersForSmallControls)
{
    EXPECT_EQ(2, HoneycombCellSize(300, 20));
    EXPECT_EQ(2, HoneycombCellSize(300, 1));
    EXPECT_EQ(2, HoneycombCellSize(1, 300));
    EXPECT_EQ(20, HoneycombCellSize(300, 400));
    std::vector<CUiColorCtrl::cell_t> cells;
    BuildHoneycombCells(100, 20, cells, false);
    ASSERT_EQ(144u, cells.size());
    // Size 2: the centre cell's left and right corners stand 2 apart.
    EXPECT_EQ(2, cells[0].pts[2].x - cells[0].pts[0].x);

    POINT pts[6];
    HexagonCorners(10, 20, 20, pts);
    // tan 30 * 20 / 2 = 5.77: rounded to 6 above, and with the extra bottom row 7 below.
    EXPECT_EQ(CPoint(0, 14), CPoint(pts[0]));
    EXPECT_EQ(CPoint(10, 10), CPoint(pts[1]));
    EXPECT_EQ(CPoint(20, 14), CPoint(pts[2]));
    EXPECT_EQ(CPoint(20, 27), CPoint(pts[3]));
    EXPECT_EQ(CPoint(10, 31), CPoint(pts[4]));
    EXPECT_EQ(CPoint(0, 27), CPoint(pts[5]));
}

TEST(ColorHoneycomb, HighlightsTheFirstTwoCellsOfThePickerColour)
{
    LaidOut<CUiColorCtrl::cell_based_data_t> comb(new CUiColorCtrl::cell_based_data_t, 300, 260, RGB(0, 0, 0));
    comb->Paint(comb.surface.cdc(), nullptr);
    const CUiColorCtrl::cell_t& black = comb->m_cells[143];
    // Black is drawn framed: the white inner frame on its top corner, the black outer frame
    // a pixel above it.
    EXPECT_EQ(RGB(255, 255, 255), comb.surface.Pixel(black.pts[1].x, black.pts[1].y));
    EXPECT_EQ(RGB(0, 0, 0), comb.surface.Pixel(black.pts[1].x, black.pts[1].y - 1));
    // White is not the picker colour: the centre cell has no frame.
    const CUiColorCtrl::cell_t& centre = comb->m_cells[0];
    EXPECT_NE(RGB(0, 0, 0), comb.surface.Pixel(centre.pts[1].x, centre.pts[1].y - 1));
    // White frames the centre cell and the large white hexagon, the first two white cells.
    comb->SetColor(RGB(255, 255, 255));
    comb->Paint(comb.surface.cdc(), nullptr);
    EXPECT_EQ(RGB(0, 0, 0), comb.surface.Pixel(centre.pts[1].x, centre.pts[1].y - 1));
    const CUiColorCtrl::cell_t& bigWhite = comb->m_cells[127];
    EXPECT_EQ(RGB(0, 0, 0), comb.surface.Pixel(bigWhite.pts[1].x, bigWhite.pts[1].y - 1));
    // Black is plain again: no white frame on its top corner.
    EXPECT_EQ(RGB(0, 0, 0), comb.surface.Pixel(black.pts[1].x, black.pts[1].y));
}

TEST(ColorMixers, CellsAndPicksSetOneChannel)
{
    // 532 high: cells of 2 pixels without overlap.
    LaidOut<CUiColorCtrl::rgb_mixer_data_t> rgb(new CUiColorCtrl::rgb_mixer_data_t, 300, 532, RGB(10, 20, 30));
    ASSERT_EQ(768u, rgb->m_cells.size());
    const CRect rcGreen200 = rgb->m_cells[256 + 200].rc;
    EXPECT_EQ(CRect(110, 410, 190, 412), rcGreen200);
    EXPECT_EQ(10, rgb->m_cells[0].rc.left);
    EXPECT_EQ(210, rgb->m_cells[512].rc.left);
    EXPECT_EQ(RGB(0, 200, 0), rgb->m_cells[256 + 200].clr);
    rgb.Press(rcGreen200.left, rcGreen200.top);
    EXPECT_EQ(RGB(10, 200, 30), rgb->m_clr);
    // The drag goes on to cell 255 of the column and then over empty space.
    rgb->OnMouseMove(MK_LBUTTON, rcGreen200.left, rgb->m_cells[256 + 255].rc.top);
    EXPECT_EQ(RGB(10, 255, 30), rgb->m_clr);
    rgb->OnMouseMove(MK_LBUTTON, 5, 5);
    EXPECT_EQ(RGB(10, 255, 30), rgb->m_clr);

    LaidOut<CUiColorCtrl::cmy_mixer_data_t> cmy(new CUiColorCtrl::cmy_mixer_data_t, 300, 532, RGB(10, 20, 30));
    for (int k : {0, 1, 128, 255}) {
        EXPECT_EQ(RGB(255 - k, 255, 255), cmy->m_cells[k].clr) << k;
        EXPECT_EQ(RGB(255, 255 - k, 255), cmy->m_cells[256 + k].clr) << k;
        EXPECT_EQ(RGB(255, 255, 255 - k), cmy->m_cells[512 + k].clr) << k;
    }
    cmy.Press(cmy->m_cells[100].rc.left, cmy->m_cells[100].rc.top);
    EXPECT_EQ(RGB(155, 20, 30), cmy->m_clr);   // cyan 100, magenta and yellow kept

    LaidOut<CUiColorCtrl::grayscale_mixer_data_t> grey(new CUiColorCtrl::grayscale_mixer_data_t, 300, 532);
    ASSERT_EQ(256u, grey->m_cells.size());
    for (int k : {0, 37, 255})
        EXPECT_EQ(RGB(k, k, k), grey->m_cells[k].clr) << k;
    EXPECT_EQ(CRect(110, 10, 190, 12), grey->m_cells[0].rc);
    grey.Press(grey->m_cells[37].rc.left + 1, grey->m_cells[37].rc.top);
    EXPECT_EQ(RGB(37, 37, 37), grey->m_clr);
}

TEST(ColorMixers, PaintHighlightsTheCellOfEachChannel)
{
    LaidOut<CUiColorCtrl::rgb_mixer_data_t> rgb(new CUiColorCtrl::rgb_mixer_data_t, 300, 532, RGB(10, 200, 30));
    rgb->Paint(rgb.surface.cdc(), nullptr);
    const CRect rc = rgb->m_cells[256 + 200].rc;
    EXPECT_EQ(RGB(0, 200, 0), rgb.surface.Pixel(rc.left + 5, rc.top));
    EXPECT_EQ(RGB(0, 0, 0), rgb.surface.Pixel(rc.left - 1, rc.top));
    EXPECT_EQ(RGB(255, 255, 255), rgb.surface.Pixel(rc.left - 2, rc.top));
    EXPECT_EQ(RGB(0, 0, 0), rgb.surface.Pixel(rc.left - 3, rc.top));
    // An unpicked cell of the column is plain.
    const CRect rcOther = rgb->m_cells[256 + 100].rc;
    EXPECT_EQ(RGB(0, 100, 0), rgb.surface.Pixel(rcOther.left, rcOther.top));
}

// ---- Planes and the hue/saturation/lightness pickers.

TEST(ColorPlanes, APointGivesTheAxisValueAndTheTwoPlaneValues)
{
    EXPECT_EQ(RGB(77, 132, 108), PlaneColor(0, RGB(77, 1, 2), 100 * 255 / 192, 50 * 255 / 118));
    EXPECT_EQ(RGB(11, 22, 3), PlaneColor(2, RGB(1, 2, 3), 11, 22));
    EXPECT_EQ(RGB(255 - 11, 2, 255 - 22), PlaneColor(4, RGB(1, 2, 3), 11, 22));   // magenta axis: C = a, Y = b
    int a = 0, b = 0;
    EXPECT_TRUE(PlaneValues(192, 500, 192, 118, a, b));
    EXPECT_EQ(255, a);
    EXPECT_EQ(255, b);
    EXPECT_FALSE(PlaneValues(1, 1, 0, 118, a, b));

    // Through the picker: 200 x 150 gives a main area of 192 x 118 at (4, 4).
    LaidOut<CUiColorCtrl::xyz_plain_data_t> red(new CUiColorCtrl::xyz_plain_data_t(0), 200, 150, RGB(77, 1, 2));
    ASSERT_EQ(CRect(4, 4, 196, 122), red->GetAreaLayout().rcMain);
    red.Press(4 + 100, 4 + 50);
    EXPECT_EQ(RGB(77, 132, 108), red->m_clr);
    // Clamped beyond the area; Ctrl holds x, Shift holds y.
    red->OnMouseMove(MK_LBUTTON, 1000, 1000);
    EXPECT_EQ(RGB(77, 255, 255), red->m_clr);
    red->OnMouseMove(MK_LBUTTON | MK_CONTROL, 4, 4);
    EXPECT_EQ(RGB(77, 255, 0), red->m_clr);
    red->OnMouseMove(MK_LBUTTON | MK_SHIFT, 4, 100);
    EXPECT_EQ(RGB(77, 0, 0), red->m_clr);
    // The strip sets the axis value from its offset.
    red.Press(4 + 96, 140);
    EXPECT_EQ(Picker::kTrackStrip, red->m_nTracking);
    EXPECT_EQ(RGB(127, 0, 0), red->m_clr);
    red->OnMouseMove(MK_LBUTTON, 500, 140);
    EXPECT_EQ(RGB(255, 0, 0), red->m_clr);
}

TEST(ColorPlanes, TheImageFollowsTheAxisValue)
{
    LaidOut<CUiColorCtrl::xyz_plain_data_t> blue(new CUiColorCtrl::xyz_plain_data_t(2), 100, 100, RGB(0, 0, 40));
    blue->Paint(blue.surface.cdc(), nullptr);
    const CRect rcMain = blue->GetAreaLayout().rcMain;
    EXPECT_EQ(RGB(27, 37, 40), blue.surface.Pixel(rcMain.left + 10, rcMain.top + 10));
    EXPECT_EQ(40, GetBValue(blue.surface.Pixel(rcMain.right - 1, rcMain.top + 20)));
    blue->SetColor(RGB(0, 0, 200));
    blue->Paint(blue.surface.cdc(), nullptr);
    EXPECT_EQ(200, GetBValue(blue.surface.Pixel(rcMain.right - 1, rcMain.top + 20)));
    // The strip runs the axis alone, from black to full blue.
    const CRect rcStrip = blue->GetAreaLayout().rcStrip;
    EXPECT_EQ(RGB(0, 0, 0), blue.surface.Pixel(rcStrip.left, rcStrip.top + 10));
    EXPECT_EQ(RGB(0, 0, 252), blue.surface.Pixel(rcStrip.right - 1, rcStrip.bottom - 1));
}

TEST(ColorHsl, PanelPicksHueAndSaturationAboveAndLightnessBelow)
{
    LaidOut<CUiColorCtrl::hsl_panel_data_t> panel(new CUiColorCtrl::hsl_panel_data_t, 108, 132, RGB(0, 0, 0));
    const AreaLayout layout = panel->GetAreaLayout();
    ASSERT_EQ(CRect(4, 4, 104, 104), layout.rcMain);
    ASSERT_EQ(CRect(4, 108, 104, 128), layout.rcStrip);
    // The strip first: lightness 0.5 at hue 0 and saturation 0 is grey.
    panel.Press(4 + 50, 120);
    EXPECT_DOUBLE_EQ(0.5, panel->m_lightness);
    panel->OnMouseUp(0, 0, 0);
    // The top-left corner: hue 0, full saturation, the lightness kept.
    panel.Press(4, 4);
    EXPECT_EQ(Picker::kTrackMain, panel->m_nTracking);
    EXPECT_DOUBLE_EQ(0.0, panel->m_hue);
    EXPECT_DOUBLE_EQ(1.0, panel->m_saturation);
    EXPECT_EQ(RGB(255, 0, 0), panel->m_clr);
    panel->OnMouseMove(MK_LBUTTON, 4 + 50, 4 + 75);
    EXPECT_DOUBLE_EQ(0.5, panel->m_hue);
    EXPECT_DOUBLE_EQ(0.25, panel->m_saturation);
    EXPECT_DOUBLE_EQ(0.5, panel->m_lightness);
    // A grey keeps the picked hue: a saturation pick to the bottom does not lose it.
    panel->OnMouseMove(MK_LBUTTON | MK_CONTROL, 0, 104);
    EXPECT_DOUBLE_EQ(0.5, panel->m_hue);
    EXPECT_DOUBLE_EQ(0.0, panel->m_saturation);
}

TEST(ColorHsl, BasicHueShowsHuesInTheStripAndMarksLightnessAndSaturation)
{
    LaidOut<CUiColorCtrl::hsl_basic_hue_data_t> basic(new CUiColorCtrl::hsl_basic_hue_data_t, 108, 132, RGB(255, 0, 0));
    basic->Paint(basic.surface.cdc(), nullptr);
    const DibSurface& s = basic.surface;
    // Main area: lightness across, saturation up, at the current hue.
    EXPECT_EQ(HLSToRGB(0.0, 0.2, 0.5), s.Pixel(4 + 20, 4 + 50));
    // Strip: every hue at full saturation.
    EXPECT_EQ(HLSToRGB(0.96, 0.5, 1.0), s.Pixel(4 + 96, 118));
    // Main mark around (4 + 100 * 0.5, 4 + 100 - 100 - 1): white inside, black a pixel out.
    EXPECT_EQ(RGB(255, 255, 255), s.Pixel(54, 5));
    EXPECT_EQ(RGB(0, 0, 0), s.Pixel(54, 6));
    // Strip mark at hue 0: 6 wide from x = 1, as high as the strip.
    EXPECT_EQ(RGB(255, 255, 255), s.Pixel(6, 118));
    EXPECT_EQ(RGB(0, 0, 0), s.Pixel(7, 118));

    // Picking in the strip sets the hue and keeps lightness and saturation.
    basic.Press(4 + 50, 118);
    EXPECT_DOUBLE_EQ(0.5, basic->m_hue);
    EXPECT_DOUBLE_EQ(1.0, basic->m_saturation);
    EXPECT_EQ(RGB(0, 255, 255), basic->m_clr);
    basic->Paint(basic.surface.cdc(), nullptr);
    EXPECT_EQ(HLSToRGB(0.5, 0.2, 0.5), s.Pixel(4 + 20, 4 + 50));
}

TEST(ColorHsl, RollerPicksOnTheWheelAndBeyondItsRim)
{
    double hue = 0.0, saturation = 0.0;
    WheelPick(0, 0, 10, hue, saturation);
    EXPECT_DOUBLE_EQ(0.0, saturation);
    WheelPick(-5, 0, 10, hue, saturation);   // right of the centre
    EXPECT_DOUBLE_EQ(0.5, hue);
    EXPECT_DOUBLE_EQ(0.25, saturation);
    WheelPick(0, 10, 10, hue, saturation);   // straight above
    EXPECT_DOUBLE_EQ(0.25, hue);
    EXPECT_DOUBLE_EQ(1.0, saturation);
    WheelPick(7, 7, 10, hue, saturation);    // the distance 9.9 truncates to 9: inside, at 0.98
    EXPECT_DOUBLE_EQ(0.98, saturation);
    WheelPick(10, 1, 10, hue, saturation);   // 10.05 truncates to the radius: held at full
    EXPECT_DOUBLE_EQ(1.0, saturation);
    WheelPick(0, -40, 10, hue, saturation);
    EXPECT_DOUBLE_EQ(1.0, saturation);
    EXPECT_DOUBLE_EQ(0.75, hue);
    WheelPick(0, 0, 0, hue, saturation);
    EXPECT_TRUE(std::isfinite(hue) && std::isfinite(saturation));

    LaidOut<CUiColorCtrl::hsl_roller_data_t> roller(new CUiColorCtrl::hsl_roller_data_t, 108, 132, RGB(128, 128, 128));
    CPoint ptCentre;
    int nRadius = 0;
    ASSERT_TRUE(WheelDisc(roller->GetAreaLayout(), ptCentre, nRadius));
    EXPECT_EQ(CPoint(54, 54), ptCentre);
    EXPECT_EQ(48, nRadius);
    // A press in the corner of the area is more than 18 pixels outside the rim: nothing.
    roller.Press(5, 5);
    EXPECT_EQ(Picker::kTrackIdle, roller->m_nTracking);
    roller.Press(ptCentre.x + nRadius + 10, ptCentre.y);
    EXPECT_EQ(Picker::kTrackMain, roller->m_nTracking);
    EXPECT_DOUBLE_EQ(0.5, roller->m_hue);
    EXPECT_DOUBLE_EQ(1.0, roller->m_saturation);
    EXPECT_NEAR(0.5, roller->m_lightness, 0.01);
    // The wheel image: white outside the disc, the saturated colour at its rim.
    roller->Paint(roller.surface.cdc(), nullptr);
    EXPECT_EQ(RGB(255, 255, 255), roller.surface.Pixel(5, 5));
    EXPECT_EQ(WheelColor(-(nRadius - 1), 0, nRadius), roller.surface.Pixel(ptCentre.x + nRadius - 1, ptCentre.y));
    EXPECT_EQ(WheelColor(0, nRadius - 1, nRadius), roller.surface.Pixel(ptCentre.x, ptCentre.y - nRadius + 1));
}

// ---- Every picker at small sizes.

namespace {

std::unique_ptr<Picker> MakePicker(int nMode)
{
    switch (nMode) {
    case 0: return std::unique_ptr<Picker>(new CUiColorCtrl::cell_based_data_t);
    case 1: return std::unique_ptr<Picker>(new CUiColorCtrl::hsl_panel_data_t);
    case 2: return std::unique_ptr<Picker>(new CUiColorCtrl::hsl_basic_hue_data_t);
    case 3: return std::unique_ptr<Picker>(new CUiColorCtrl::hsl_roller_data_t);
    case 4: return std::unique_ptr<Picker>(new CUiColorCtrl::rgb_cube_data_t);
    case 5: return std::unique_ptr<Picker>(new CUiColorCtrl::rgb_mixer_data_t);
    case 6: return std::unique_ptr<Picker>(new CUiColorCtrl::grayscale_mixer_data_t);
    case 7: return std::unique_ptr<Picker>(new CUiColorCtrl::cmy_cube_data_t);
    case 8: return std::unique_ptr<Picker>(new CUiColorCtrl::cmy_mixer_data_t);
    case 15: return std::unique_ptr<Picker>(new CUiColorCtrl::diff_data_t);
    default: return std::unique_ptr<Picker>(new CUiColorCtrl::xyz_plain_data_t(nMode - 9));
    }
}

::testing::AssertionResult FiniteHls(const Picker& picker)
{
    if (std::isfinite(picker.m_hue) && std::isfinite(picker.m_saturation) && std::isfinite(picker.m_lightness))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "hue " << picker.m_hue << " saturation " << picker.m_saturation
                                         << " lightness " << picker.m_lightness;
}

}  // namespace

TEST(ColorPickers, EveryModeAtEverySizeUpToTwelveByFortyStaysFinite)
{
    DibSurface surface(12, 40);
    for (int nBits : {32, 8}) {
        BitsPerPixelScope bits(nBits == 32 ? 0 : nBits);
        for (int nMode = 0; nMode < CUiColorCtrl::kModeCount; ++nMode) {
            // The cells are drawn alike on every screen; the images are not.
            const bool bCells = nMode == 0 || nMode == 5 || nMode == 6 || nMode == 8 || nMode == 15;
            if (nBits == 8 && bCells)
                continue;
            std::unique_ptr<Picker> picker = MakePicker(nMode);
            picker->SetColor(RGB(30, 160, 90));
            for (int cx = 1; cx <= 12; ++cx) {
                for (int cy = 1; cy <= 40; ++cy) {
                    SCOPED_TRACE(::testing::Message() << "mode " << nMode << " " << cx << " x " << cy << " bits " << nBits);
                    picker->Layout(surface.cdc(), nullptr, cx, cy, cy % 2 == 0);
                    picker->Paint(surface.cdc(), nullptr);
                    const POINT presses[] = {{0, 0}, {cx / 2, cy / 2}, {cx - 1, cy - 1}, {cx / 2, cy - 2}};
                    for (const POINT& pt : presses) {
                        picker->OnMouseDown(0, pt.x, pt.y);
                        picker->OnMouseMove(MK_LBUTTON, pt.x, pt.y);
                        picker->OnMouseMove(MK_LBUTTON, cx - pt.x, cy - pt.y);
                        picker->OnMouseMove(MK_LBUTTON, -50, 100);
                        picker->OnMouseUp(0, pt.x, pt.y);
                    }
                    picker->Paint(surface.cdc(), nullptr);
                    ASSERT_TRUE(FiniteHls(*picker));
                    ASSERT_GE(picker->m_cx, 1);
                    ASSERT_GE(picker->m_cy, 1);
                }
            }
            picker->Layout(surface.cdc(), nullptr, 0, -3, false);
            EXPECT_EQ(1, picker->m_cx);
            EXPECT_EQ(1, picker->m_cy);
            picker->Release();
        }
    }
}

TEST(ColorPickers, EmptyPartsHaveNoImageAndIgnorePresses)
{
    // 12 x 40: the main area is 4 x 8 and the wheel's radius 0.
    LaidOut<CUiColorCtrl::hsl_roller_data_t> roller(new CUiColorCtrl::hsl_roller_data_t, 12, 40, RGB(30, 160, 90));
    roller->Paint(roller.surface.cdc(), nullptr);
    EXPECT_TRUE(roller->m_imgMain.IsEmpty());
    EXPECT_FALSE(roller->m_imgStrip.IsEmpty());
    roller.Press(6, 8);
    EXPECT_EQ(Picker::kTrackIdle, roller->m_nTracking);
    EXPECT_EQ(RGB(30, 160, 90), roller->m_clr);

    // 8 wide: main area and strip of no width.
    LaidOut<CUiColorCtrl::hsl_panel_data_t> panel(new CUiColorCtrl::hsl_panel_data_t, 8, 100, RGB(30, 160, 90));
    EXPECT_TRUE(panel->m_imgMain.IsEmpty());
    EXPECT_TRUE(panel->m_imgStrip.IsEmpty());
    panel.Press(4, 10);
    panel.Press(4, 95);
    EXPECT_EQ(RGB(30, 160, 90), panel->m_clr);

    // A cube of 12 x 12 has a square of 2 - 3 < 0: no image, handles do not drag.
    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 12, 12, RGB(30, 160, 90));
    EXPECT_FALSE(cube->GetGeometry().HasImage());
    EXPECT_TRUE(cube->m_image.IsEmpty());
    int v = 0;
    CubeGeometry flat = ComputeCubeGeometry(100, 100);
    flat.E0.y = flat.O.y;
    EXPECT_FALSE(CubeDragValue(flat, 1, 50, 0, v));
}

// ---- The control window.

namespace {

class CColorParent : public CWnd {
public:
    std::vector<LPARAM> params;
    std::vector<HWND> senders;
    std::vector<CUiColorCtrl::color_triple_t> triples;

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == CUiColorCtrl::g_nMsgColorChanged) {
            senders.push_back((HWND)wParam);
            params.push_back(lParam);
            triples.push_back(*(const CUiColorCtrl::color_triple_t*)lParam);
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

struct ColorCtrlWindow {
    CColorParent parent;
    CUiColorCtrl ctrl;
    ColorCtrlWindow(int nMode, int cx, int cy, COLORREF clrRef = RGB(255, 255, 255)) : ctrl(nMode)
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), "ColorParent", WS_POPUP, 0, 0, 600, 600, NULL, NULL);
        ctrl.m_colors.clrRef = clrRef;
        ctrl.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, cx, cy), &parent, 30013);
    }
    ~ColorCtrlWindow()
    {
        ctrl.DestroyWindow();
        parent.DestroyWindow();
    }
    void Down(CPoint pt) { winharness::SendMouse(ctrl.m_hWnd, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON); }
    void Move(CPoint pt) { winharness::SendMouse(ctrl.m_hWnd, WM_MOUSEMOVE, pt.x, pt.y, MK_LBUTTON); }
    void Up(CPoint pt) { winharness::SendMouse(ctrl.m_hWnd, WM_LBUTTONUP, pt.x, pt.y, 0); }
    void Click(CPoint pt)
    {
        Down(pt);
        Up(pt);
    }
    template <class T>
    T* Picker() const
    {
        return static_cast<T*>(ctrl.GetCurrentPicker());
    }
};

CPoint CellCentre(const CUiColorCtrl::cell_t& cell)
{
    return CPoint(cell.pts[1].x, (cell.pts[1].y + cell.pts[4].y) / 2);
}

}  // namespace

TEST(ColorCtrlWindow, HoneycombCentreClickNotifiesOnceWithTheColourTriple)
{
    ColorCtrlWindow w(CUiColorCtrl::kModeBasicColors, 300, 260);
    ASSERT_TRUE(::IsWindow(w.ctrl.m_hWnd));
    auto* pComb = w.Picker<CUiColorCtrl::cell_based_data_t>();
    ASSERT_EQ(144u, pComb->m_cells.size());
    EXPECT_EQ(300, pComb->m_cx);

    w.ctrl.SetColor(RGB(0, 0, 0), false);
    EXPECT_TRUE(w.parent.params.empty());
    EXPECT_EQ(RGB(0, 0, 0), pComb->m_clr);

    const CPoint ptCentre = CellCentre(pComb->m_cells[0]);
    w.Down(ptCentre);
    EXPECT_EQ(w.ctrl.m_hWnd, ::GetCapture());
    w.Up(ptCentre);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(RGB(255, 255, 255), w.ctrl.GetColor());
    ASSERT_EQ(1u, w.parent.params.size());
    EXPECT_EQ((LPARAM)&w.ctrl.m_colors, w.parent.params[0]);
    EXPECT_EQ(w.ctrl.m_hWnd, w.parent.senders[0]);
    EXPECT_EQ(RGB(255, 255, 255), w.parent.triples[0].clrCurrent);
    EXPECT_EQ(RGB(0, 0, 0), w.parent.triples[0].clrPrevious);

    w.Click(ptCentre);
    EXPECT_EQ(1u, w.parent.params.size());
}

TEST(ColorCtrlWindow, ADragOverEmptySpaceKeepsTheLastColourSilently)
{
    ColorCtrlWindow w(CUiColorCtrl::kModeBasicColors, 300, 260);
    auto* pComb = w.Picker<CUiColorCtrl::cell_based_data_t>();
    const CUiColorCtrl::cell_t& grey = pComb->m_cells[130];   // 210
    w.Down(grey.rc.CenterPoint());
    EXPECT_EQ(RGB(210, 210, 210), w.ctrl.GetColor());
    ASSERT_EQ(1u, w.parent.params.size());
    w.Move(CPoint(1, 1));
    w.Move(CPoint(299, 2));
    EXPECT_EQ(RGB(210, 210, 210), w.ctrl.GetColor());
    EXPECT_EQ(1u, w.parent.params.size());
    w.Move(pComb->m_cells[131].rc.CenterPoint());
    EXPECT_EQ(RGB(195, 195, 195), w.ctrl.GetColor());
    EXPECT_EQ(2u, w.parent.params.size());
    EXPECT_EQ(RGB(210, 210, 210), w.ctrl.m_colors.clrPrevious);

    // Cancel mode, a key and focus loss end the drag: later moves pick nothing.
    for (UINT nMsg : {(UINT)WM_CANCELMODE, (UINT)WM_KEYDOWN, (UINT)WM_KILLFOCUS}) {
        w.Down(pComb->m_cells[131].rc.CenterPoint());
        ASSERT_TRUE(w.ctrl.IsTracking());
        w.ctrl.SendMessage(nMsg, nMsg == WM_KEYDOWN ? VK_ESCAPE : 0);
        EXPECT_FALSE(w.ctrl.IsTracking()) << nMsg;
        EXPECT_EQ(NULL, ::GetCapture()) << nMsg;
        w.Move(pComb->m_cells[0].rc.CenterPoint());
        EXPECT_EQ(RGB(195, 195, 195), w.ctrl.GetColor()) << nMsg;
        EXPECT_EQ(2u, w.parent.params.size()) << nMsg;
    }
}

TEST(ColorCtrlWindow, DifferenceViewShowsBothColoursAndTheLowerHalfRestoresTheReference)
{
    ColorCtrlWindow w(CUiColorCtrl::kModeDiff, 80, 60, RGB(10, 20, 30));
    w.ctrl.SetColor(RGB(200, 100, 50), false);
    DibSurface surface(80, 60);
    w.ctrl.DoPaint(surface.cdc());
    EXPECT_EQ(RGB(200, 100, 50), surface.Pixel(40, 10));
    EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(40, 50));

    w.Click(CPoint(40, 10));
    EXPECT_TRUE(w.parent.params.empty());
    w.Click(CPoint(40, 50));
    EXPECT_EQ(RGB(10, 20, 30), w.ctrl.GetColor());
    ASSERT_EQ(1u, w.parent.params.size());
    EXPECT_EQ(RGB(200, 100, 50), w.parent.triples[0].clrPrevious);
    w.ctrl.DoPaint(surface.cdc());
    EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(40, 10));
}

TEST(ColorCtrlWindow, SetColorNotifiesOnlyOnAChangeWhenAsked)
{
    ColorCtrlWindow w(CUiColorCtrl::kModeRgbCube, 60, 40);
    w.ctrl.SetColor(RGB(255, 255, 255), true);
    EXPECT_TRUE(w.parent.params.empty());
    w.ctrl.SetColor(RGB(0, 0, 0), false);
    EXPECT_TRUE(w.parent.params.empty());
    w.ctrl.SetColor(RGB(0, 2, 3), true);
    EXPECT_EQ(1u, w.parent.params.size());
    // The picker follows, and a handle drag through the window notifies the parent.
    auto* pCube = w.Picker<CUiColorCtrl::rgb_cube_data_t>();
    EXPECT_EQ(RGB(0, 2, 3), pCube->m_clr);
    w.Down(CPoint(28, 18));
    EXPECT_EQ(1u, w.parent.params.size());
    w.Move(CPoint(28, 0));
    EXPECT_EQ(RGB(255, 2, 3), w.ctrl.GetColor());
    EXPECT_EQ(2u, w.parent.params.size());
    w.Up(CPoint(28, 0));

    // Painting fills the background with the look's dialog colour.
    DibSurface surface(60, 40);
    w.ctrl.DoPaint(surface.cdc());
    EXPECT_EQ(PaintManagerHolder::Get()->GetColor(1000), surface.Pixel(1, 1));
}

TEST(ColorCtrlWindow, ModesAndTheirNames)
{
    EXPECT_STREQ(" basic colors", CUiColorCtrl::GetModeName(0));
    EXPECT_STREQ(" hue, saturation and luminance - roller", CUiColorCtrl::GetModeName(3));
    EXPECT_STREQ(" yellow axis", CUiColorCtrl::GetModeName(14));
    EXPECT_STREQ("", CUiColorCtrl::GetModeName(15));

    ColorCtrlWindow w(CUiColorCtrl::kModeBasicColors, 300, 532);
    w.ctrl.SetColor(RGB(10, 20, 30), false);
    EXPECT_FALSE(w.ctrl.SetMode(16));
    EXPECT_EQ(0, w.ctrl.GetMode());
    ASSERT_TRUE(w.ctrl.SetMode(CUiColorCtrl::kModeRgbMixer));
    auto* pMixer = w.Picker<CUiColorCtrl::rgb_mixer_data_t>();
    ASSERT_EQ(768u, pMixer->m_cells.size());
    EXPECT_EQ(RGB(10, 20, 30), pMixer->m_clr);
    // Column 2, cell 200 sets green alone.
    const CRect rc = pMixer->m_cells[256 + 200].rc;
    w.Down(rc.TopLeft());
    EXPECT_EQ(RGB(10, 200, 30), w.ctrl.GetColor());
    w.Up(rc.TopLeft());
    // A new size lays the picker out again and keeps its colour.
    w.ctrl.SetWindowPos(NULL, 0, 0, 150, 300, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(150, pMixer->m_cx);
    EXPECT_EQ(RGB(10, 200, 30), pMixer->m_clr);
}

TEST(ColorCtrlWindow, EveryModeAtSmallSizesPaintsAndTracksThroughTheWindow)
{
    ColorCtrlWindow w(CUiColorCtrl::kModeBasicColors, 1, 1);
    w.ctrl.SetColor(RGB(30, 160, 90), false);
    DibSurface surface(12, 40);
    for (int nMode = 0; nMode < CUiColorCtrl::kModeCount; ++nMode) {
        ASSERT_TRUE(w.ctrl.SetMode(nMode));
        for (const CSize& size : {CSize(1, 1), CSize(12, 1), CSize(1, 40), CSize(7, 33), CSize(12, 40)}) {
            SCOPED_TRACE(::testing::Message() << "mode " << nMode << " " << size.cx << " x " << size.cy);
            w.ctrl.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
            w.ctrl.DoPaint(surface.cdc());
            w.Down(CPoint(0, 0));
            w.Move(CPoint(size.cx / 2, size.cy / 2));
            w.Move(CPoint(-20, 60));
            w.Up(CPoint(size.cx - 1, size.cy - 1));
            w.ctrl.RedrawWindow();
            ASSERT_TRUE(FiniteHls(*w.ctrl.GetCurrentPicker()));
            ASSERT_EQ(w.ctrl.GetColor(), w.ctrl.GetCurrentPicker()->m_clr);
        }
    }
}

TEST(ColorCube, ImageIsKeptForTheSameSizeAndDroppedForANewOne)
{
    LaidOut<CUiColorCtrl::rgb_cube_data_t> cube(new CUiColorCtrl::rgb_cube_data_t, 60, 40);
    ASSERT_FALSE(cube->m_image.IsEmpty());
    // A mark in the image shows whether it was rendered again.
    cube->m_image.SetPixel(0, 0, RGB(1, 2, 3));
    cube->Layout(cube.surface.cdc(), nullptr, 60, 40, true);
    EXPECT_EQ(RGB(1, 2, 3), cube->m_image.GetPixel(0, 0));
    cube->Layout(cube.surface.cdc(), nullptr, 64, 40, true);
    EXPECT_EQ(RGB(255, 255, 255), cube->m_image.GetPixel(0, 0));
    cube->Release();
    EXPECT_TRUE(cube->m_image.IsEmpty());
}
