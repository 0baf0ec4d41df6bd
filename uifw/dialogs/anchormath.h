// The arithmetic of anchored child layout and saved placement, free of windows.
//
// An anchor record ties a child's top-left and bottom-right corners to points of the parent's
// client area given in percent of its width and height, plus pixel offsets. Recording
// truncates the percent products toward zero; laying out rounds them (MulDiv), as the two
// steps always did; the 0 % and 100 % anchors agree either way.
#pragma once
#include "afxwin.h"

struct UiAnchorRecord {
    int nTopLeftPctX;
    int nTopLeftPctY;
    int nTopLeftOffX;
    int nTopLeftOffY;
    int nBottomRightPctX;
    int nBottomRightPctY;
    int nBottomRightOffX;
    int nBottomRightOffY;
};

// The pair (-1, -1) stands for no anchor.
inline bool UiIsNoAnchor(SIZE size)
{
    return size.cx == -1 && size.cy == -1;
}

// The record of a child at rcChild (client coordinates of a cx x cy client area); a
// bottom-right of (-1, -1) takes the top-left pair. False when the top-left pair is (-1, -1).
bool UiMakeAnchorRecord(const RECT& rcChild, int cx, int cy, SIZE sizeTopLeft, SIZE sizeBottomRight,
                        UiAnchorRecord& record);
// Where the child goes in a client area of cx x cy.
CRect UiPlaceAnchored(const UiAnchorRecord& record, int cx, int cy);

// The size gripper: the bottom-right square of the client area, a vertical scroll bar wide
// and a horizontal one high.
CRect UiGripperRect(const RECT& rcClient, int cxVScroll, int cyHScroll);

// The placement text "left,top,right,bottom,showCmd,flags" of a normal-position rectangle.
CString UiFormatPlacementText(const WINDOWPLACEMENT& wp);
// Reads the six numbers into wp's normal rectangle, show command and flags; false (wp as it
// was) unless all six are there.
bool UiParsePlacementText(LPCSTR lpszText, WINDOWPLACEMENT& wp);
