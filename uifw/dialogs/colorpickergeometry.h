// The geometry and colour arithmetic of the colour control's pickers, free of any window:
// the honeycomb and mixer cells, the main area and strip of the hue/saturation/lightness
// pickers and planes, the colour wheel, the single-axis planes and the cubes.
//
// A length of 0 or less (a main area, a strip, a wheel radius, a cube's half-height or
// edge) makes that part empty: the functions that would divide by it answer false or
// nothing, so a small control never divides by zero or makes colours of NaN.
#pragma once
#include "colorctrl.h"

#include <functional>
#include <vector>

namespace colorpicker {

// Channel k (0..2) of a colour: red, green, blue, or with bCmy cyan, magenta, yellow
// (each 255 minus the red, green or blue byte).
int Channel(COLORREF clr, int k, bool bCmy);
// The colour with channel k alone set to v.
COLORREF WithChannel(COLORREF clr, int k, int v, bool bCmy);
// Clamps to [lo, hi]; hi wins when lo > hi.
int Clamp(int v, int lo, int hi);

// ---- Cell-based pickers.

// Cell size of the honeycomb: min(width / 16 + 2, (height - 10) / 16 + 2).
int HoneycombCellSize(int cx, int cy);
// The six corners of a cell of size s centred at (x, y), each rounded half away from zero.
void HexagonCorners(double x, double y, int s, POINT pts[6]);
// The 144 cells of the basic colours: the white centre, six rings of 6k cells, and the
// bottom row (large white hexagon, 15 greys from 240 down to 30, large black hexagon).
// With bKeepColors and a full array only the geometry is rebuilt.
void BuildHoneycombCells(int cx, int cy, std::vector<CUiColorCtrl::cell_t>& cells, bool bKeepColors);
// The columns of a mixer: 256 cells each; pfnColor gives cell k of a column its colour.
// A column of no width or a control too low for cells leaves every cell empty.
void BuildMixerCells(int cx, int cy, int nColumns, COLORREF (*pfnColor)(int nColumn, int k),
                     std::vector<CUiColorCtrl::cell_t>& cells);
// The frame rectangle of column nColumn of a mixer (left, width) for three or one columns.
void MixerColumn(int cx, int nColumns, int nColumn, int& x, int& width);
COLORREF RgbMixerColor(int nColumn, int k);
COLORREF CmyMixerColor(int nColumn, int k);
COLORREF GreyMixerColor(int nColumn, int k);
// The difference view: the upper half the picker colour, the lower half the reference.
void BuildDiffCells(int cx, int cy, COLORREF clrPicker, COLORREF clrRef, std::vector<CUiColorCtrl::cell_t>& cells);
// The first cell under the point, -1 for none.
int HitCell(const std::vector<CUiColorCtrl::cell_t>& cells, POINT pt);
// The polygon a highlighted hexagon's outer frame follows: 2 pixels wider on each side,
// 1 pixel higher at top and bottom.
void GrowHexagon(const POINT pts[6], POINT grown[6]);

// ---- Main area and strip of the hue/saturation/lightness pickers and the planes.

const int kAreaMargin = 4;
const int kStripHeight = 20;

struct AreaLayout {
    CRect rcMain;    // (m, m) and (width - 2m) x (height - 3m - t); empty when either is 0 or less
    CRect rcStrip;   // as wide, t high, m below the main area
    bool HasMain() const { return rcMain.Width() > 0 && rcMain.Height() > 0; }
    bool HasStrip() const { return rcStrip.Width() > 0; }
};
AreaLayout ComputeAreaLayout(int cx, int cy);
// Whether a press starts in the strip (below the main area) rather than the main area.
bool IsStripPress(const AreaLayout& layout, int y);
// The offset into the strip, clamped to [0, strip length].
int StripOffset(const AreaLayout& layout, int x);
// The point of the main area, clamped to [0, width] x [0, height].
CPoint AreaOffset(const AreaLayout& layout, int x, int y);

// Colour wheel of the roller: the disc of radius (min(area width, height) - m) / 2 centred in
// the main area. False when the radius is 0 or less.
bool WheelDisc(const AreaLayout& layout, CPoint& ptCentre, int& nRadius);
// Hue and saturation of a point (dx, dy) = (centre - point): hue = atan2(dy, dx) / 2pi in
// [0, 1), saturation = distance squared / r squared, 1 beyond the rim.
void WheelPick(int dx, int dy, int nRadius, double& hue, double& saturation);
// The colour of a wheel pixel at (dx, dy) inside the disc.
COLORREF WheelColor(int dx, int dy, int nRadius);

// Planes: axis 0..5 = red, green, blue, cyan, magenta, yellow.
bool IsCmyAxis(int nAxis);
int AxisChannel(int nAxis);
// The two channels the plane spans, in order.
void PlaneChannels(int nAxis, int& nFirst, int& nSecond);
// a = x * 255 / width, b = y * 255 / height (at most 255); false for an empty area.
bool PlaneValues(int x, int y, int cx, int cy, int& a, int& b);
// The colour of plane point (a, b) with the axis channel taken from clrCurrent.
COLORREF PlaneColor(int nAxis, COLORREF clrCurrent, int a, int b);
// The colour of the strip at value v: the axis component alone.
COLORREF PlaneStripColor(int nAxis, int v);

// ---- Cubes.

const int kCubeMargin = 5;
const int kCubeHandleHalf = 4;

struct CubeGeometry {
    CRect rcSquare;
    int nWidth = 0;   // W
    int nSize = 0;    // S
    int h = 0;
    int q = 0;
    CPoint O, E0, E1, E2;
    // Half-height above zero: there is an image and the points can be placed.
    bool HasImage() const { return h > 0 && nWidth > 0; }
};
CubeGeometry ComputeCubeGeometry(int cx, int cy);

struct CubePoints {
    CPoint handle[3];
    CPoint colour;
    CPoint p01, p02, p12;
};
CubePoints ComputeCubePoints(const CubeGeometry& geo, int v0, int v1, int v2);

// The value a handle drag in tracking state 1, 2 or 3 gives at (x, y); false when the dragged
// edge has no length.
bool CubeDragValue(const CubeGeometry& geo, int nState, int x, int y, int& v);

// The faces 0-1, 0-2, 1-2 as polygons of four corners.
void CubeFace(const CubeGeometry& geo, int nFace, POINT pts[4]);

// Walks every point the cube image holds: face (0-1, 0-2, 1-2), image position and the three
// channel values. Face 1-2 gives each point twice, the second one pixel to the left.
void ForEachCubeImagePoint(const CubeGeometry& geo,
                           const std::function<void(int nFace, int x, int y, int c0, int c1, int c2)>& fn);

}  // namespace colorpicker
