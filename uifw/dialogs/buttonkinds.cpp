// Kinds, alignment, parts and menu alignment of the framework push button.
#include "buttonkinds.h"
#include "afxext.h"

bool UiIsPushKind(int nType)
{
    return nType == 0 || nType == 1 || nType == 8 || nType == 11;
}

bool UiIsCheckKind(int nType)
{
    return (nType >= 2 && nType <= 6) || nType == 9;
}

bool UiIsRadioKind(int nType)
{
    return nType == 4 || nType == 9;
}

bool UiIsTriStateKind(int nType)
{
    return nType == 5 || nType == 6;
}

int UiButtonTextAlignment(DWORD dwStyle)
{
    switch (dwStyle & 0x300) {
    case BS_LEFT:
        return 4;
    case BS_RIGHT:
        return 6;
    case BS_CENTER:
        return 5;
    default:
        return UiIsPushKind((int)(dwStyle & 15)) || (dwStyle & BS_PUSHLIKE) ? 5 : 4;
    }
}

int UiButtonPartAt(const RECT& rcClient, POINT pt, bool bSplit)
{
    if (!::PtInRect(&rcClient, pt))
        return kUiPartNone;
    if (bSplit && pt.x >= rcClient.right - kUiDropDownPartWidth)
        return kUiPartDropDown;
    return kUiPartMain;
}

UINT UiMenuAlignCodeForDockBar(UINT nDockBarId)
{
    switch (nDockBarId) {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_FLOAT:
        return 4;
    case AFX_IDW_DOCKBAR_LEFT:
        return 1;
    case AFX_IDW_DOCKBAR_RIGHT:
        return 3;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return 6;
    default:
        return 0;
    }
}

int UiMarkLook(bool bEnabled, bool bHover, bool bMouseHeld, bool bSpaceHeld)
{
    if (!bEnabled)
        return kUiMarkDisabled;
    if (bSpaceHeld || (bHover && bMouseHeld))
        return kUiMarkPressed;
    if (bHover != bMouseHeld)
        return kUiMarkHover;
    return kUiMarkNormal;
}

int UiCheckBoxStateIndex(int nLook, int nCheck)
{
    return nLook * 3 + (nCheck < 0 || nCheck > 2 ? 1 : nCheck);
}

int UiRadioStateIndex(int nLook, int nCheck)
{
    return nLook * 2 + (nCheck != 0 ? 1 : 0);
}
