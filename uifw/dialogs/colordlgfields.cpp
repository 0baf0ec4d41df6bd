#include "colordlgfields.h"
#include "colorhls.h"

#include <algorithm>
#include <cmath>

namespace {

int ScaleUnit(double d)
{
    return std::min(255, (int)std::floor(d * 255.0 + 0.5));
}

double UnitOf(int v)
{
    return std::min(1.0, (v + 0.5) / 255.0);
}

} // namespace

void UiColorToGroupValues(COLORREF clr, int nGroup, int values[3])
{
    if (nGroup == kUiColorGroupHsl) {
        double dHue = 0, dSaturation = 0, dLightness = 0;
        RGBToHLS(clr, dHue, dSaturation, dLightness);
        values[0] = ScaleUnit(dHue);
        values[1] = ScaleUnit(dSaturation);
        values[2] = ScaleUnit(dLightness);
        return;
    }
    if (nGroup == kUiColorGroupCmy)
        clr = InvertColor(clr);
    values[0] = GetRValue(clr);
    values[1] = GetGValue(clr);
    values[2] = GetBValue(clr);
}

int UiColorFromGroupValues(int nGroup, const int values[3], COLORREF& clr)
{
    for (int i = 0; i < 3; ++i) {
        if (values[i] < 0 || values[i] > 255)
            return i;
    }
    if (nGroup == kUiColorGroupHsl) {
        clr = HLSToRGB(UnitOf(values[0]), UnitOf(values[2]), UnitOf(values[1]));
        return -1;
    }
    clr = RGB(values[0], values[1], values[2]);
    if (nGroup == kUiColorGroupCmy)
        clr = InvertColor(clr);
    return -1;
}
