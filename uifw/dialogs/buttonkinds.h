// The framework push button's tables, free of windows: kinds of the logical button type,
// the text alignment a style asks for, the parts of a (split) button and the menu alignment
// code of the dock bar a button's bar sits in.
#pragma once
#include "afxwin.h"

bool UiIsPushKind(int nType);
bool UiIsCheckKind(int nType);
bool UiIsRadioKind(int nType);
bool UiIsTriStateKind(int nType);
// The DrawText-like code of the style's horizontal alignment: 4 left, 5 centre, 6 right.
int UiButtonTextAlignment(DWORD dwStyle);

enum { kUiPartNone = 0, kUiPartMain = 1, kUiPartDropDown = 2 };
// The split drop-down strip: the popup's 5 x 3 down arrow and 6 pixels around it.
const int kUiDropDownPartWidth = 5 + 6;
// The part at pt (client coordinates).
int UiButtonPartAt(const RECT& rcClient, POINT pt, bool bSplit);
// The popup menu's alignment code for a bar in the dock bar with this id (0: not docked).
UINT UiMenuAlignCodeForDockBar(UINT nDockBarId);

// The look of a check box's or radio button's mark. Pressed: space held, or hovered with
// the mouse button held; hover: hovered without the button, or not hovered with it held.
enum { kUiMarkNormal = 0, kUiMarkPressed = 1, kUiMarkHover = 2, kUiMarkDisabled = 3 };
int UiMarkLook(bool bEnabled, bool bHover, bool bMouseHeld, bool bSpaceHeld);
// The state index a look's hook gets: for a check box 0-2 normal, 3-5 pressed, 6-8 hover,
// 9-11 disabled, each unchecked, checked, indeterminate; for a radio button 0/1 normal,
// 2/3 pressed, 4/5 hover, 6/7 disabled, each unchecked, checked.
int UiCheckBoxStateIndex(int nLook, int nCheck);
int UiRadioStateIndex(int nLook, int nCheck);
