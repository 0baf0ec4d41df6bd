#include "colorpickergeometry.h"

#include "colorhls.h"

#include <algorithm>
#include <cmath>

namespace colorpicker {

namespace {

const double kTan30 = 0.57735026;
const double kDegreesPerRadian = 57.29577951308239;
const double kTwoPi = 6.283185307179586;

int RoundAway(double v)
{
    return (int)std::lround(v);
}

CRect BoundsOf(const POINT* pts, int nCount)
{
    CRect rc(pts[0].x, pts[0].y, pts[0].x + 1, pts[0].y + 1);
    for (int i = 1; i < nCount; ++i) {
        rc.left = std::min<LONG>(rc.left, pts[i].x);
        rc.top = std::min<LONG>(rc.top, pts[i].y);
        rc.right = std::max<LONG>(rc.right, pts[i].x + 1);
        rc.bottom = std::max<LONG>(rc.bottom, pts[i].y + 1);
    }
    return rc;
}

CUiColorCtrl::cell_t HexagonCell(double x, double y, int s, COLORREF clr)
{
    CUiColorCtrl::cell_t cell;
    cell.clr = clr;
    cell.bHexagon = true;
    HexagonCorners(x, y, s, cell.pts);
    cell.rc = BoundsOf(cell.pts, 6);
    return cell;
}

CUiColorCtrl::cell_t RectCell(const CRect& rc, COLORREF clr)
{
    CUiColorCtrl::cell_t cell;
    cell.clr = clr;
    cell.rc = rc;
    return cell;
}

}  // namespace

int Channel(COLORREF clr, int k, bool bCmy)
{
    int v = k == 0 ? GetRValue(clr) : k == 1 ? GetGValue(clr) : GetBValue(clr);
    return bCmy ? 255 - v : v;
}

COLORREF WithChannel(COLORREF clr, int k, int v, bool bCmy)
{
    BYTE byte = (BYTE)Clamp(bCmy ? 255 - v : v, 0, 255);
    BYTE r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    if (k == 0)
        r = byte;
    else if (k == 1)
        g = byte;
    else
        b = byte;
    return RGB(r, g, b);
}

int Clamp(int v, int lo, int hi)
{
    return std::min(std::max(v, lo), hi);
}

int HoneycombCellSize(int cx, int cy)
{
    return std::min(cx / 16 + 2, (cy - 10) / 16 + 2);
}

void HexagonCorners(double x, double y, int s, POINT pts[6])
{
    const double half = s / 2.0;
    const double side = s * kTan30 / 2.0;
    pts[0] = {RoundAway(x - half), RoundAway(y - side)};
    pts[1] = {RoundAway(x), RoundAway(y - half)};
    pts[2] = {RoundAway(x + half), RoundAway(y - side)};
    pts[3] = {RoundAway(x + half), RoundAway(y + side + 1)};
    pts[4] = {RoundAway(x), RoundAway(y + half + 1)};
    pts[5] = {RoundAway(x - half), RoundAway(y + side + 1)};
}

void BuildHoneycombCells(int cx, int cy, std::vector<CUiColorCtrl::cell_t>& cells, bool bKeepColors)
{
    const size_t kCellCount = 144;
    std::vector<COLORREF> kept;
    if (bKeepColors && cells.size() == kCellCount) {
        for (const CUiColorCtrl::cell_t& cell : cells)
            kept.push_back(cell.clr);
    }
    cells.clear();

    const int s = HoneycombCellSize(cx, cy);
    const double xCentre = cx / 2;
    const double yCentre = (cy - (2 * s + 10)) / 2;
    // Rows of the honeycomb lie a top point and a half side apart, so the cells tile.
    const double dyRow = s * (1.0 + kTan30) / 2.0;

    cells.push_back(HexagonCell(xCentre, yCentre, s, RGB(255, 255, 255)));
    // Axial steps around a ring, starting from its lower-left corner.
    static const int kSteps[6][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, 0}, {-1, 1}, {0, 1}};
    for (int k = 1; k <= 6; ++k) {
        int q = -k, r = k;
        for (int side = 0; side < 6; ++side) {
            for (int step = 0; step < k; ++step) {
                const double dx = s * (q + r / 2.0);
                const double dy = dyRow * r;
                const int nHue = (int)(std::atan2(-dy, dx) * kDegreesPerRadian);
                const double lightness = (7 - k) / 7.0 + 0.1;
                cells.push_back(HexagonCell(xCentre + dx, yCentre + dy, s, HLSToRGBDegrees(nHue, lightness, 1.0)));
                q += kSteps[side][0];
                r += kSteps[side][1];
            }
        }
    }

    // The bottom row is as wide as the honeycomb: a large white and a large black hexagon
    // at its ends and the greys between them.
    const double yRow = cy - s - 5;
    const double xLeft = xCentre - 13.0 * s / 2.0;
    const double xRight = xCentre + 13.0 * s / 2.0;
    cells.push_back(HexagonCell(xLeft + s, yRow, 2 * s, RGB(255, 255, 255)));
    const double greyLeft = xLeft + 2 * s;
    const double greyWidth = (xRight - xLeft - 4 * s) / 15.0;
    for (int k = 1; k <= 15; ++k) {
        const int v = 255 - 15 * k;
        CRect rc(RoundAway(greyLeft + (k - 1) * greyWidth), RoundAway(yRow - s / 2.0),
                 RoundAway(greyLeft + k * greyWidth), RoundAway(yRow + s / 2.0) + 1);
        cells.push_back(RectCell(rc, RGB(v, v, v)));
    }
    cells.push_back(HexagonCell(xRight - s, yRow, 2 * s, RGB(0, 0, 0)));

    if (kept.size() == cells.size()) {
        for (size_t i = 0; i < cells.size(); ++i)
            cells[i].clr = kept[i];
    }
}

void MixerColumn(int cx, int nColumns, int nColumn, int& x, int& width)
{
    width = cx / 3 - 20;
    const int xMiddle = cx / 2 - width / 2;
    if (nColumns == 1)
        x = xMiddle;
    else
        x = xMiddle + (nColumn - 1) * (width + 20);
}

void BuildMixerCells(int cx, int cy, int nColumns, COLORREF (*pfnColor)(int nColumn, int k),
                     std::vector<CUiColorCtrl::cell_t>& cells)
{
    cells.clear();
    const int nSpan = cy - 20;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        int x = 0, width = 0;
        MixerColumn(cx, nColumns, nColumn, x, width);
        for (int k = 0; k < 256; ++k) {
            CRect rc;
            if (width > 0 && nSpan > 0) {
                const int y = 10 + k * nSpan / 256;
                rc.SetRect(x, y, x + width, y + std::max(2, nSpan / 256));
            }
            cells.push_back(RectCell(rc, pfnColor(nColumn, k)));
        }
    }
}

COLORREF RgbMixerColor(int nColumn, int k)
{
    return WithChannel(RGB(0, 0, 0), nColumn, k, false);
}

COLORREF CmyMixerColor(int nColumn, int k)
{
    return WithChannel(RGB(255, 255, 255), nColumn, k, true);
}

COLORREF GreyMixerColor(int, int k)
{
    return RGB(k, k, k);
}

void BuildDiffCells(int cx, int cy, COLORREF clrPicker, COLORREF clrRef, std::vector<CUiColorCtrl::cell_t>& cells)
{
    cells.clear();
    cells.push_back(RectCell(CRect(0, 0, cx, cy / 2), clrPicker));
    cells.push_back(RectCell(CRect(0, cy / 2, cx, cy), clrRef));
}

int HitCell(const std::vector<CUiColorCtrl::cell_t>& cells, POINT pt)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        const CUiColorCtrl::cell_t& cell = cells[i];
        if (!cell.rc.PtInRect(pt))
            continue;
        if (!cell.bHexagon)
            return (int)i;
        HRGN hRgn = ::CreatePolygonRgn(cell.pts, 6, ALTERNATE);
        const BOOL bHit = hRgn != NULL && ::PtInRegion(hRgn, pt.x, pt.y);
        if (hRgn != NULL)
            ::DeleteObject(hRgn);
        if (bHit)
            return (int)i;
    }
    return -1;
}

void GrowHexagon(const POINT pts[6], POINT grown[6])
{
    static const int kDx[6] = {-2, 0, 2, 2, 0, -2};
    static const int kDy[6] = {-1, -1, -1, 1, 1, 1};
    for (int i = 0; i < 6; ++i)
        grown[i] = {pts[i].x + kDx[i], pts[i].y + kDy[i]};
}

AreaLayout ComputeAreaLayout(int cx, int cy)
{
    const int m = kAreaMargin;
    const int width = std::max(0, cx - 2 * m);
    const int height = std::max(0, cy - 3 * m - kStripHeight);
    AreaLayout layout;
    layout.rcMain.SetRect(m, m, m + width, m + height);
    layout.rcStrip.SetRect(m, height + 2 * m, m + width, height + 2 * m + kStripHeight);
    return layout;
}

bool IsStripPress(const AreaLayout& layout, int y)
{
    return y - 2 * kAreaMargin > layout.rcMain.Height();
}

int StripOffset(const AreaLayout& layout, int x)
{
    return Clamp(x - layout.rcStrip.left, 0, layout.rcStrip.Width());
}

CPoint AreaOffset(const AreaLayout& layout, int x, int y)
{
    return CPoint(Clamp(x - layout.rcMain.left, 0, layout.rcMain.Width()),
                  Clamp(y - layout.rcMain.top, 0, layout.rcMain.Height()));
}

bool WheelDisc(const AreaLayout& layout, CPoint& ptCentre, int& nRadius)
{
    if (!layout.HasMain())
        return false;
    const int width = layout.rcMain.Width();
    const int height = layout.rcMain.Height();
    nRadius = (std::min(width, height) - kAreaMargin) / 2;
    ptCentre = CPoint(layout.rcMain.left + width / 2, layout.rcMain.top + height / 2);
    return nRadius > 0;
}

void WheelPick(int dx, int dy, int nRadius, double& hue, double& saturation)
{
    hue = std::atan2((double)dy, (double)dx) / kTwoPi;
    if (hue < 0.0)
        hue += 1.0;
    if (hue >= 1.0)
        hue = 0.0;
    const double d2 = (double)dx * dx + (double)dy * dy;
    const int nDistance = (int)std::sqrt(d2);
    if (nRadius <= 0 || nDistance > nRadius)
        saturation = 1.0;
    else
        saturation = std::min(1.0, d2 / ((double)nRadius * nRadius));
}

COLORREF WheelColor(int dx, int dy, int nRadius)
{
    double hue = 0.0, saturation = 0.0;
    WheelPick(dx, dy, nRadius, hue, saturation);
    return HLSToRGB(hue, 0.5, saturation);
}

bool IsCmyAxis(int nAxis)
{
    return nAxis >= 3;
}

int AxisChannel(int nAxis)
{
    return nAxis % 3;
}

void PlaneChannels(int nAxis, int& nFirst, int& nSecond)
{
    const int c = AxisChannel(nAxis);
    nFirst = c == 0 ? 1 : 0;
    nSecond = c == 2 ? 1 : 2;
}

bool PlaneValues(int x, int y, int cx, int cy, int& a, int& b)
{
    if (cx <= 0 || cy <= 0)
        return false;
    a = std::min(255, x * 255 / cx);
    b = std::min(255, y * 255 / cy);
    return true;
}

COLORREF PlaneColor(int nAxis, COLORREF clrCurrent, int a, int b)
{
    int nFirst = 0, nSecond = 0;
    PlaneChannels(nAxis, nFirst, nSecond);
    const bool bCmy = IsCmyAxis(nAxis);
    return WithChannel(WithChannel(clrCurrent, nFirst, a, bCmy), nSecond, b, bCmy);
}

COLORREF PlaneStripColor(int nAxis, int v)
{
    const bool bCmy = IsCmyAxis(nAxis);
    return WithChannel(bCmy ? RGB(255, 255, 255) : RGB(0, 0, 0), AxisChannel(nAxis), v, bCmy);
}

CubeGeometry ComputeCubeGeometry(int cx, int cy)
{
    CubeGeometry geo;
    CRect& rc = geo.rcSquare;
    rc.SetRect(kCubeMargin, kCubeMargin, cx - kCubeMargin, cy - kCubeMargin);
    if (rc.Width() > rc.Height()) {
        const int d = (rc.Width() - rc.Height()) / 2;
        rc.left += d;
        rc.right -= d;
    } else if (rc.Height() > rc.Width()) {
        const int d = (rc.Height() - rc.Width()) / 2;
        rc.top += d;
        rc.bottom -= d;
    }
    if (rc.Width() % 4 != 0)
        rc.right -= 3;
    if (rc.Height() % 4 != 0)
        rc.bottom -= 3;
    geo.nWidth = rc.Width();
    geo.nSize = rc.Height();
    geo.h = geo.nSize / 2;
    geo.q = geo.nSize / 4;
    geo.O = CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    geo.E0 = CPoint(geo.O.x, rc.top);
    geo.E1 = CPoint(rc.left, rc.bottom - geo.q);
    geo.E2 = CPoint(rc.right, rc.bottom - geo.q);
    return geo;
}

CubePoints ComputeCubePoints(const CubeGeometry& geo, int v0, int v1, int v2)
{
    const int d0 = v0 * geo.h / 255;
    const int d1 = v1 * geo.h / 255;
    const int d2 = v2 * geo.h / 255;
    const CPoint O = geo.O;
    CubePoints pts;
    pts.handle[0] = CPoint(O.x, O.y - d0);
    pts.handle[1] = CPoint(O.x - d1, O.y + d1 / 2);
    pts.handle[2] = CPoint(O.x + d2, O.y + d2 / 2);
    pts.p01 = CPoint(pts.handle[1].x, pts.handle[1].y - d0);
    pts.p02 = CPoint(pts.handle[2].x, pts.handle[2].y - d0);
    pts.p12 = CPoint(O.x - d1 + d2, O.y + d1 / 2 + d2 / 2);
    pts.colour = CPoint(pts.p12.x, pts.p12.y - d0);
    return pts;
}

bool CubeDragValue(const CubeGeometry& geo, int nState, int x, int y, int& v)
{
    if (!geo.HasImage())
        return false;
    const CPoint O = geo.O;
    int nLength = 0;
    if (nState == 1) {
        nLength = geo.E0.y - O.y;
        if (nLength == 0)
            return false;
        v = (Clamp(y, geo.E0.y, O.y) - O.y) * 255 / nLength;
    } else if (nState == 2) {
        nLength = geo.E1.x - O.x;
        if (nLength == 0)
            return false;
        v = (Clamp(x, geo.E1.x, O.x) - O.x) * 255 / nLength;
    } else if (nState == 3) {
        nLength = O.x - geo.E2.x;
        if (nLength == 0)
            return false;
        v = (O.x - Clamp(x, O.x, geo.E2.x)) * 255 / nLength;
    } else {
        return false;
    }
    v = Clamp(v, 0, 255);
    return true;
}

void CubeFace(const CubeGeometry& geo, int nFace, POINT pts[4])
{
    const int yUpper = geo.rcSquare.top + geo.q;
    if (nFace == 0) {
        pts[0] = geo.E1;
        pts[1] = {geo.E1.x, yUpper};
        pts[2] = geo.E0;
        pts[3] = geo.O;
    } else if (nFace == 1) {
        pts[0] = geo.E2;
        pts[1] = {geo.E2.x, yUpper};
        pts[2] = geo.E0;
        pts[3] = geo.O;
    } else {
        pts[0] = geo.E1;
        pts[1] = {geo.O.x, geo.E1.y + geo.q};
        pts[2] = geo.E2;
        pts[3] = geo.O;
    }
}

void ForEachCubeImagePoint(const CubeGeometry& geo,
                           const std::function<void(int nFace, int x, int y, int c0, int c1, int c2)>& fn)
{
    if (!geo.HasImage())
        return;
    const int h = geo.h;
    const int xMiddle = geo.nWidth / 2;
    for (int i = 0; i <= h; ++i) {
        for (int j = 0; j <= h; ++j) {
            const int a = i * 255 / h;
            const int b = j * 255 / h;
            fn(0, xMiddle - 1 - j, h + j / 2 - i, a, b, 0);
            fn(1, xMiddle + j, h + j / 2 - i, a, 0, b);
            fn(2, xMiddle + i - j, h + j / 2 + i / 2, 0, b, a);
            fn(2, xMiddle + i - j - 1, h + j / 2 + i / 2, 0, b, a);
        }
    }
}

}  // namespace colorpicker
