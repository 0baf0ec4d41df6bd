// Anchor records, gripper rectangle and placement text.
#include "anchormath.h"
#include <stdio.h>

bool UiMakeAnchorRecord(const RECT& rcChild, int cx, int cy, SIZE sizeTopLeft, SIZE sizeBottomRight,
                        UiAnchorRecord& record)
{
    if (UiIsNoAnchor(sizeTopLeft))
        return false;
    if (UiIsNoAnchor(sizeBottomRight))
        sizeBottomRight = sizeTopLeft;
    record.nTopLeftPctX = sizeTopLeft.cx;
    record.nTopLeftPctY = sizeTopLeft.cy;
    record.nTopLeftOffX = rcChild.left - cx * sizeTopLeft.cx / 100;
    record.nTopLeftOffY = rcChild.top - cy * sizeTopLeft.cy / 100;
    record.nBottomRightPctX = sizeBottomRight.cx;
    record.nBottomRightPctY = sizeBottomRight.cy;
    record.nBottomRightOffX = rcChild.right - cx * sizeBottomRight.cx / 100;
    record.nBottomRightOffY = rcChild.bottom - cy * sizeBottomRight.cy / 100;
    return true;
}

CRect UiPlaceAnchored(const UiAnchorRecord& record, int cx, int cy)
{
    const int left = ::MulDiv(cx, record.nTopLeftPctX, 100) + record.nTopLeftOffX;
    const int top = ::MulDiv(cy, record.nTopLeftPctY, 100) + record.nTopLeftOffY;
    const int right = ::MulDiv(cx, record.nBottomRightPctX, 100) + record.nBottomRightOffX;
    const int bottom = ::MulDiv(cy, record.nBottomRightPctY, 100) + record.nBottomRightOffY;
    return CRect(left, top, right, bottom);
}

CRect UiGripperRect(const RECT& rcClient, int cxVScroll, int cyHScroll)
{
    return CRect(rcClient.right - cxVScroll, rcClient.bottom - cyHScroll, rcClient.right, rcClient.bottom);
}

CString UiFormatPlacementText(const WINDOWPLACEMENT& wp)
{
    CString strText;
    strText.Format("%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
                   (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom, (int)wp.showCmd,
                   (int)wp.flags);
    return strText;
}

bool UiParsePlacementText(LPCSTR lpszText, WINDOWPLACEMENT& wp)
{
    int n[6];
    if (lpszText == nullptr ||
        sscanf(lpszText, "%d,%d,%d,%d,%d,%d", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]) != 6)
        return false;
    wp.rcNormalPosition.left = n[0];
    wp.rcNormalPosition.top = n[1];
    wp.rcNormalPosition.right = n[2];
    wp.rcNormalPosition.bottom = n[3];
    wp.showCmd = (UINT)n[4];
    wp.flags = (UINT)n[5];
    return true;
}
