// Colour arithmetic shared by the looks and the colour dialog: hue, lightness and
// saturation (each 0..1, or the hue in degrees for the colour dialog's honeycomb).
#pragma once
#include "afxwin.h"

COLORREF InvertColor(COLORREF clr);
void RGBToHLS(COLORREF clr, double& hue, double& saturation, double& lightness);
// Channels are truncated to integers.
COLORREF HLSToRGB(double hue, double lightness, double saturation);
double HueToRGB(double m1, double m2, double h);
COLORREF HLSToRGBDegrees(double hue, double lightness, double saturation);
double HueToRGBDegrees(double m1, double m2, double h);
// Moves each component x by its fraction f: f < 0 gives x(1 + f), f > 0 gives x + (1 - x)f.
COLORREF AdjustColorHLS(COLORREF clr, double dHue, double dLightness, double dSaturation);
// Each channel times its factor in thousandths, truncated.
COLORREF ScaleColorChannels(COLORREF clr, int nRed, int nGreen, int nBlue);
// Red and green moved the given percentages of the way to 255; blue kept.
COLORREF PullTowardsWhite(COLORREF clr, int nRedPercent, int nGreenPercent);
