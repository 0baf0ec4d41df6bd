// The window work of the anchoring and window-state layers that does not depend on their
// base class: themed painting, the gripper, control colours, the system menu as a framework
// popup menu, the anchored layout pass and the placement text in the application profile.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "anchormath.h"

typedef CMap<HWND, HWND, UiAnchorRecord, const UiAnchorRecord&> UiAnchorMap;

// The current paint manager paints a themed background for the window.
bool UiIsThemedWindow(CWnd* pWnd);
// Visible, themed and on a screen above 8 bits per pixel.
bool UiWantsFullRepaint(CWnd* pWnd);
CRect UiGripperRectOf(const CRect& rcClient);
bool UiClassNameHasHash(HWND hWnd);
// Invalidates every visible child; one with a border or scroll bars also gets WM_NCPAINT.
void UiInvalidateVisibleChildren(HWND hWnd);
void UiPassPaintMessages();
void UiExcludeTransparentChildren(HDC hDC, HWND hWnd);
void UiPaintThemedBackground(CDC& dc, CWnd* pWnd);
void UiPaintSizeGripper(CDC& dc, CWnd* pWnd, const CRect& rcGripper);
bool UiIsPopupMenuTracking();
// A solid brush of the look's face colour (1000), made again when the colour changed.
HBRUSH UiFaceBrush(HBRUSH& hBrush, COLORREF& clrBrush);

// Shows pWnd's system menu as a framework popup menu (a WS_POPUP window only); true when the
// menu is open.
bool UiTrackSysMenuPopup(CWnd* pWnd, const POINT* pPoint, bool bFromKeyboard);
// Whether Alt+Space (pMsg) is this layer's: *pbOpen tells whether the menu should open.
bool UiIsAltSpace(CWnd* pWnd, const MSG* pMsg, bool* pbOpen);

// The anchor record of a child of pWnd; false when it cannot be made.
bool UiAnchorChild(CWnd* pWnd, HWND hChild, SIZE sizeTopLeft, SIZE sizeBottomRight, UiAnchorMap& anchors);
// Lays out every anchored child for a cx x cy client area (negative: the current one) and
// drops the records of children that are gone.
void UiArrangeAnchored(CWnd* pWnd, UiAnchorMap& anchors, int cx, int cy);

void UiSavePlacement(CWnd* pWnd, LPCSTR lpszSection, LPCSTR lpszEntry);
void UiLoadPlacement(CWnd* pWnd, LPCSTR lpszSection, LPCSTR lpszEntry, bool bHide);
