// Window work shared by every instantiation of the anchoring and window-state layers.
#include "windowstatehelpers.h"
#include "afxdc.h"
#include "paintdraw.h"
#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupmenuwnd.h"
#include <vector>

bool UiIsThemedWindow(CWnd* pWnd)
{
    CUiPaintManager* pManager = PaintManagerHolder::Get().GetStoredHandle();
    return pManager != nullptr && pManager->HasThemedBackground(pWnd, 0);
}

bool UiWantsFullRepaint(CWnd* pWnd)
{
    if (!pWnd->IsWindowVisible() || !UiIsThemedWindow(pWnd))
        return false;
    HDC hDC = ::GetDC(NULL);
    const int nBits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(NULL, hDC);
    return nBits > 8;
}

CRect UiGripperRectOf(const CRect& rcClient)
{
    return UiGripperRect(rcClient, ::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
}

bool UiClassNameHasHash(HWND hWnd)
{
    char szClass[256] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return strchr(szClass, '#') != nullptr;
}

void UiInvalidateVisibleChildren(HWND hWnd)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hChild))
            continue;
        ::InvalidateRect(hChild, NULL, TRUE);
        CRect rcWindow, rcClient;
        ::GetWindowRect(hChild, &rcWindow);
        ::ScreenToClient(hChild, &rcWindow.TopLeft());
        ::ScreenToClient(hChild, &rcWindow.BottomRight());
        ::GetClientRect(hChild, &rcClient);
        if (rcWindow != rcClient)
            ::PostMessageA(hChild, WM_NCPAINT, 0, 0);
    }
}

void UiPassPaintMessages()
{
    PassPaintMessages(TRUE, TRUE, TRUE);
}

void UiExcludeTransparentChildren(HDC hDC, HWND hWnd)
{
    ExcludeChildWindowsFromClip(hDC, hWnd, ChildClassExcludeFilterProc, 0);
}

void UiPaintThemedBackground(CDC& dc, CWnd* pWnd)
{
    UiExcludeTransparentChildren(dc.GetSafeHdc(), pWnd->GetSafeHwnd());
    PaintManagerHolder::Get()->PaintThemedBackground(dc, pWnd, 0);
}

void UiPaintSizeGripper(CDC& dc, CWnd* pWnd, const CRect& rcGripper)
{
    if (rcGripper.IsRectEmpty())
        return;
    // The look paints only the grip: the face below it is the dialog's own background.
    PaintManagerHolder& pm = PaintManagerHolder::Get();
    pm->PaintSizeGrip(dc, rcGripper, reinterpret_cast<DWORD>(pWnd), 0);
    pm->EndPaintSession(pWnd, 0);
}

bool UiIsPopupMenuTracking()
{
    return CUiPopupMenuWnd::IsTrackingMenu() != FALSE;
}

HBRUSH UiFaceBrush(HBRUSH& hBrush, COLORREF& clrBrush)
{
    const COLORREF clr = PaintManagerHolder::Get()->GetColor(kFirstExtendedColorId);
    if (hBrush == NULL || clr != clrBrush) {
        if (hBrush != NULL)
            ::DeleteObject(hBrush);
        hBrush = ::CreateSolidBrush(clr);
        clrBrush = clr;
    }
    return hBrush;
}

bool UiTrackSysMenuPopup(CWnd* pWnd, const POINT* pPoint, bool bFromKeyboard)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == NULL || !(pWnd->GetStyle() & WS_POPUP))
        return false;
    if (CUiPopupMenuWnd::IsTrackingMenu())
        CUiPopupMenuWnd::CloseTrackedMenus();
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hSysMenu == NULL)
        return false;
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    if (!pMenu->InitRootMenu(hWnd) || !pMenu->LoadMenu(hWnd, hSysMenu, FALSE, TRUE)) {
        delete pMenu;
        return false;
    }
    POINT pt;
    if (pPoint != nullptr) {
        pt = *pPoint;
    } else {
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        POINT ptClient = {0, 0};
        ::ClientToScreen(hWnd, &ptClient);
        pt.x = rcWindow.left + ::GetSystemMetrics(SM_CXFRAME);
        pt.y = ptClient.y;
    }
    HWND hFocus = ::GetFocus();
    if (hFocus != hWnd && !::IsChild(hWnd, hFocus))
        ::SetFocus(hWnd);
    if (!pMenu->TrackMenu(bFromKeyboard ? 0x46 : 0x06, pt.x, pt.y)) {
        delete pMenu;
        return false;
    }
    return true;
}

bool UiIsAltSpace(CWnd* pWnd, const MSG* pMsg, bool* pbOpen)
{
    *pbOpen = false;
    if (pWnd->GetSafeHwnd() == NULL || pMsg->wParam != VK_SPACE || !(pMsg->lParam & (1 << 29)))
        return false;
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN && pMsg->message != WM_SYSKEYUP)
        return false;
    const DWORD dwStyle = pWnd->GetStyle();
    if (pMsg->message != WM_SYSKEYUP) {
        HWND hActive = ::GetActiveWindow();
        *pbOpen = hActive != NULL && ::IsWindow(hActive) &&
                  (hActive == pWnd->m_hWnd || !(::GetWindowLongA(hActive, GWL_STYLE) & WS_POPUP)) &&
                  (dwStyle & WS_POPUP) && (dwStyle & WS_SYSMENU);
    }
    return true;
}

bool UiAnchorChild(CWnd* pWnd, HWND hChild, SIZE sizeTopLeft, SIZE sizeBottomRight, UiAnchorMap& anchors)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (UiIsNoAnchor(sizeTopLeft) || hWnd == NULL || !::IsWindow(hWnd) || !::IsWindow(hChild) ||
        !::IsChild(hWnd, hChild))
        return false;
    CRect rcClient, rcChild;
    ::GetClientRect(hWnd, &rcClient);
    ::GetWindowRect(hChild, &rcChild);
    ::MapWindowPoints(NULL, hWnd, (POINT*)&rcChild, 2);
    UiAnchorRecord record;
    if (!UiMakeAnchorRecord(rcChild, rcClient.Width(), rcClient.Height(), sizeTopLeft, sizeBottomRight, record))
        return false;
    anchors.SetAt(hChild, record);
    return true;
}

void UiArrangeAnchored(CWnd* pWnd, UiAnchorMap& anchors, int cx, int cy)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == NULL)
        return;
    if (cx < 0 || cy < 0) {
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        cx = rcClient.Width();
        cy = rcClient.Height();
    }
    std::vector<HWND> gone;
    HDWP hDwp = ::BeginDeferWindowPos((int)anchors.GetCount());
    POSITION pos = anchors.GetStartPosition();
    while (pos != NULL) {
        HWND hChild = NULL;
        UiAnchorRecord record;
        anchors.GetNextAssoc(pos, hChild, record);
        if (!::IsWindow(hChild)) {
            gone.push_back(hChild);
            continue;
        }
        const CRect rc = UiPlaceAnchored(record, cx, cy);
        if (ChildClassExcludeFilter(hChild)) {
            // Statics, tab controls and most buttons show the parent through: moved and
            // repainted at once, so no old picture stays behind.
            ::MoveWindow(hChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
            CRect rcRedraw(0, 0, rc.Width(), rc.Height());
            ::RedrawWindow(hChild, &rcRedraw, NULL,
                           RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                               RDW_ERASENOW | RDW_NOFRAME);
        } else if (hDwp != NULL) {
            hDwp = ::DeferWindowPos(hDwp, hChild, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (hDwp != NULL)
        ::EndDeferWindowPos(hDwp);
    for (HWND hChild : gone)
        anchors.RemoveKey(hChild);
}

void UiSavePlacement(CWnd* pWnd, LPCSTR lpszSection, LPCSTR lpszEntry)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !::GetWindowPlacement(pWnd->GetSafeHwnd(), &wp))
        return;
    pApp->WriteProfileString(lpszSection, lpszEntry, UiFormatPlacementText(wp));
}

void UiLoadPlacement(CWnd* pWnd, LPCSTR lpszSection, LPCSTR lpszEntry, bool bHide)
{
    CWinApp* pApp = AfxGetApp();
    HWND hWnd = pWnd->GetSafeHwnd();
    if (pApp == nullptr || hWnd == NULL)
        return;
    CString strText = pApp->GetProfileString(lpszSection, lpszEntry, NULL);
    if (strText.IsEmpty())
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    ::GetWindowPlacement(hWnd, &wp);
    if (UiParsePlacementText(strText, wp)) {
        if (bHide)
            wp.showCmd = SW_HIDE;
        ::SetWindowPlacement(hWnd, &wp);
    }
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}
