#include "lineindicatormodel.h"

#include "resource.h"

namespace {
const COLORREF kLineOn = 0xCCFFFF;
const COLORREF kLineOff = 0x00BBBB;
const COLORREF kErrorOn = 0x4444FF;
const COLORREF kErrorOff = 0x000099;
} // namespace

const LineIndicator kLineIndicators[kLineIndicatorCount] = {
    {ID_COM_IND_CTS, "CTS", 0x80000000, kLineOn, kLineOff},
    {ID_COM_IND_DSR, "DSR", 0x40000000, kLineOn, kLineOff},
    {ID_COM_IND_RLSD, "RLSD", 0x20000000, kLineOn, kLineOff},
    {ID_COM_IND_FRM, "FRM", 0x08000000, kErrorOn, kErrorOff},
    {ID_COM_IND_OVR, "OVR", 0x04000000, kErrorOn, kErrorOff},
    {ID_COM_IND_PRT, "PRT", 0x02000000, kErrorOn, kErrorOff},
    {ID_COM_IND_BRK, "BRK", 0x01000000, kErrorOn, kErrorOff},
};

COLORREF LineIndicatorColor(const LineIndicator& indicator, DWORD dwLineWord)
{
    return (dwLineWord & indicator.dwBit) != 0 ? indicator.crOn : indicator.crOff;
}
