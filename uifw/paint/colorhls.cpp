#include "colorhls.h"

#include <algorithm>
#include <cmath>

namespace {

// Products like 0.827451 * 255 land a hair below the whole number they stand for; the
// small allowance keeps truncation from losing a unit to rounding noise.
BYTE ToChannel(double value)
{
    double scaled = value * 255.0 + 1e-7;
    if (scaled <= 0.0)
        return 0;
    if (scaled >= 255.0)
        return 255;
    return (BYTE)(int)scaled;
}

double Shift(double x, double f)
{
    if (f < 0.0)
        x = x * (1.0 + f);
    else if (f > 0.0)
        x = x + (1.0 - x) * f;
    return std::min(1.0, std::max(0.0, x));
}

} // namespace

COLORREF InvertColor(COLORREF clr)
{
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

void RGBToHLS(COLORREF clr, double& hue, double& saturation, double& lightness)
{
    const double r = GetRValue(clr) / 255.0;
    const double g = GetGValue(clr) / 255.0;
    const double b = GetBValue(clr) / 255.0;
    const double mx = std::max(r, std::max(g, b));
    const double mn = std::min(r, std::min(g, b));
    lightness = (mx + mn) / 2.0;
    if (mx == mn) {
        hue = 0.0;
        saturation = 0.0;
        return;
    }
    const double d = mx - mn;
    saturation = lightness < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
    if (r == mx)
        hue = (g - b) / d;
    else if (g == mx)
        hue = 2.0 + (b - r) / d;
    else
        hue = 4.0 + (r - g) / d;
    hue /= 6.0;
    if (hue < 0.0)
        hue += 1.0;
}

double HueToRGB(double m1, double m2, double h)
{
    if (h < 0.0)
        h += 1.0;
    if (h > 1.0)
        h -= 1.0;
    if (6.0 * h < 1.0)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1.0)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
    return m1;
}

namespace {

// One body for both hue scales: third is a third of the full circle in that scale.
COLORREF HLSToRGBWith(double (*pfnHue)(double, double, double), double third, double hue, double lightness,
                      double saturation)
{
    if (saturation == 0.0) {
        BYTE grey = ToChannel(lightness);
        return RGB(grey, grey, grey);
    }
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    return RGB(ToChannel(pfnHue(m1, m2, hue + third)), ToChannel(pfnHue(m1, m2, hue)),
               ToChannel(pfnHue(m1, m2, hue - third)));
}

} // namespace

COLORREF HLSToRGB(double hue, double lightness, double saturation)
{
    return HLSToRGBWith(HueToRGB, 1.0 / 3.0, hue, lightness, saturation);
}

double HueToRGBDegrees(double m1, double m2, double h)
{
    h = std::fmod(h, 360.0);
    if (h < 0.0)
        h += 360.0;
    if (h < 60.0)
        return m1 + (m2 - m1) * h / 60.0;
    if (h < 180.0)
        return m2;
    if (h < 240.0)
        return m1 + (m2 - m1) * (240.0 - h) / 60.0;
    return m1;
}

COLORREF HLSToRGBDegrees(double hue, double lightness, double saturation)
{
    return HLSToRGBWith(HueToRGBDegrees, 120.0, hue, lightness, saturation);
}

COLORREF AdjustColorHLS(COLORREF clr, double dHue, double dLightness, double dSaturation)
{
    double h = 0.0, s = 0.0, l = 0.0;
    RGBToHLS(clr, h, s, l);
    return HLSToRGB(Shift(h, dHue), Shift(l, dLightness), Shift(s, dSaturation));
}

COLORREF ScaleColorChannels(COLORREF clr, int nRed, int nGreen, int nBlue)
{
    return RGB(GetRValue(clr) * nRed / 1000, GetGValue(clr) * nGreen / 1000, GetBValue(clr) * nBlue / 1000);
}

COLORREF PullTowardsWhite(COLORREF clr, int nRedPercent, int nGreenPercent)
{
    return RGB(GetRValue(clr) + MulDiv(255 - GetRValue(clr), nRedPercent, 100),
               GetGValue(clr) + MulDiv(255 - GetGValue(clr), nGreenPercent, 100), GetBValue(clr));
}
