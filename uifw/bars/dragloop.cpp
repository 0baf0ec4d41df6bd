// Dragging a bar by its caption: a message loop of the bar's own that holds the mouse, starts
// after a move past the threshold, follows the cursor (and the Ctrl key, on a 50-ms timer
// while the mouse rests) and ends with the drop on the button's release or with a cancel on
// any other button, key, context menu, activation change or loss of the capture.
#include "controlbar.h"

#include <algorithm>

#include "dockbar.h"
#include "dockmarkerwnd.h"
#include "dragstate.h"
#include "dyntabbar.h"
#include "minidockframewnd.h"
#include "ncareabutton.h"
#include "paintdraw.h"
#include "popupmenuwnd.h"

namespace {

const UINT_PTR kDragTimer = 4100;
const UINT kNoStatusText = 30057;

bool IsTabbedGroupKind(int nKind)
{
    return nKind >= 28 && nKind <= 30;
}

bool IsKeyMessage(UINT m)
{
    return m >= WM_KEYFIRST && m <= 0x108;
}

bool IsMouseMessage(UINT m)
{
    return m >= WM_MOUSEFIRST && m <= 0x209;
}

// Windows under the outline shown change (a group drops the tabs it showed for the bar) or
// paint: the outline goes off the screen first and comes back once they painted, or the
// inverting erase would leave its pieces on them.
void PaintBeneathOutline(CUiControlBar::InternalDraggingState_t& shown, CUiControlBar* pGroupLeft)
{
    const bool bOutlined = shown.IsOutlined();
    if (bOutlined)
        shown.DrawTracker(true);
    CUiControlBar::InternalDraggingState_t::DropProvisionalTabs(pGroupLeft);
    PassPaintMessages(TRUE, TRUE, TRUE);
    if (bOutlined)
        shown.DrawTracker(false);
}

void SendStatusText(CUiControlBar* pBar, UINT nID)
{
    CWnd* pTarget = pBar->GetOwner();
    if (pTarget == nullptr)
        pTarget = pBar->GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

} // namespace

void CUiControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockBar == nullptr || CUiPopupMenuWnd::IsTrackingMenu()) {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (!IsMarkerDockingMode() && IsFixedSizeBar()) {
        if (m_pDockContext != nullptr)
            m_pDockContext->StartDrag(ptScreen);
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (IsBarFloating() && pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CUiMiniDockFrameWnd))) {
        pParentFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
        return;
    }
    // Fixed-size bars are dragged by the same loop and placed live as it runs; only a
    // resizable bar takes the focus.
    if (!IsFixedSizeBar())
        SetFocus();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    DragLoop(ptScreen, CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top), 1, 1);
}

void CUiControlBar::DragLoop(CPoint ptScreen, CPoint ptGrab, int nThresholdX, int nThresholdY)
{
    // Bars moved while the frame's saved layout is read or written would break its records.
    if (CFrameWnd* pSite = GetDockSiteFrame(); pSite != nullptr && FrameLockMapFind(pSite))
        return;
    const HWND hWnd = m_hWnd;
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    CUiMouseCaptureSink::SetCapture(hWnd);

    if (nThresholdX >= 1 && nThresholdY >= 1) {
        // No wait before the first look at the queue: a release (and a double click's second
        // press) taken late together with the press are already queued, and a wait would sleep
        // on them until the next input came.
        CPoint ptStart;
        ::GetCursorPos(&ptStart);
        bool bStart = false, bEnd = false;
        while (!bStart && !bEnd) {
            if (!::IsWindow(hWnd)) {
                bEnd = true;
                break;
            }
            if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
                IdleAndWait();
                continue;
            }
            const UINT m = msg.message;
            if (msg.hwnd == hWnd && m == WM_MOUSEMOVE) {
                CPoint pt;
                ::GetCursorPos(&pt);
                if (abs(pt.x - ptStart.x) >= nThresholdX || abs(pt.y - ptStart.y) >= nThresholdY) {
                    bStart = true;
                    ptScreen = pt;
                } else {
                    ::PeekMessage(&msg, msg.hwnd, m, m, PM_REMOVE);
                }
                continue;
            }
            if (msg.hwnd == hWnd && m == WM_CAPTURECHANGED && (HWND)msg.lParam != hWnd) {
                bEnd = true;
                break;
            }
            if (m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU) {
                bEnd = true;
                break;
            }
            if (IsKeyMessage(m) || IsMouseMessage(m)) {
                if (m == WM_KEYDOWN && msg.wParam == VK_CONTROL) {
                    ::PeekMessage(&msg, msg.hwnd, m, m, PM_REMOVE);
                    continue;
                }
                bEnd = true;
                break;
            }
            if (!AfxPumpPeekedMessage(msg)) {
                ::PostQuitMessage(0);
                bEnd = true;
            }
        }
        if (bEnd) {
            if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
                ::ReleaseCapture();
            return;
        }
    }

    g_DragStatePrevious.m_pBar = this;
    g_DragStateCurrent.m_pBar = this;
    g_DragStateCurrent.Empty(false);
    OnDragStarted();
    m_bTrackFlags |= kDragging;

    const int t = std::min(m_rcCaption.Width(), m_rcCaption.Height());
    const int nSmallCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const CPoint ptDefault(t >= 3 ? t : nSmallCaption / 2, (t >= 3 ? t : nSmallCaption) / 2);
    m_ptGrabFloat = m_ptGrabHorz = m_ptGrabVert = ptDefault;
    if (ptGrab != CPoint(0, 0)) {
        if (IsBarFloating())
            m_ptGrabFloat = ptGrab;
        else if (IsDockedHorizontally())
            m_ptGrabHorz = ptGrab;
        else
            m_ptGrabVert = ptGrab;
    }

    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    if (!IsFixedSizeBar() && !IsFixedSizeForDrag() && GetDragDockMode() == 1) {
        DragTrack(ptScreen, bCtrl);
        if (g_DragStateCurrent.m_nKind == 0)
            DragApplyTarget(g_DragStateCurrent, false);
        if (CFrameWnd* pSite = m_pDockSite) {
            CUiDynDockMarkerWnd::CreateOuterMarkers(pSite, !bCtrl);
            CUiDynDockMarkerWnd::UpdateInnerMarkers(pSite, !bCtrl);
        }
    } else {
        DragTrack(ptScreen, bCtrl);
    }

    if (!::IsWindow(hWnd))
        return;
    SetTimer(kDragTimer, 50, NULL);
    if (!(m_bTrackFlags & kDragging)) {
        KillTimer(kDragTimer);
        return;
    }

    while (::IsWindow(hWnd) && (m_bTrackFlags & kDragging)) {
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            IdleAndWait();
            continue;
        }
        const UINT m = msg.message;
        if (m == WM_ACTIVATEAPP || m == WM_CANCELMODE || m == WM_CONTEXTMENU || m == WM_NCLBUTTONUP ||
            m == WM_NCRBUTTONDOWN || m == WM_NCRBUTTONUP || m == 0xA7 || m == 0xA8 || m == WM_RBUTTONDOWN ||
            m == WM_MBUTTONDOWN || m == WM_MBUTTONUP) {
            const bool bRightPress = TakeRightPressThatEnded(msg);
            DragStop(true);
            if (bRightPress)
                TakeRightRelease();
            break;
        }
        if (m == WM_PAINT && g_DragStatePrevious.IsOutlined()) {
            PaintBeneathOutline(g_DragStatePrevious, nullptr);
            continue;
        }
        if (m == WM_TIMER && msg.wParam == kDragTimer && msg.hwnd == hWnd) {
            ::PeekMessage(&msg, hWnd, WM_TIMER, WM_TIMER, PM_REMOVE);
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            continue;
        }
        if (m == WM_MOUSEMOVE) {
            MSG last = msg;
            while (::PeekMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
                last = msg;
            CPoint pt((short)LOWORD(last.lParam), (short)HIWORD(last.lParam));
            if (last.hwnd != hWnd) {
                ::ClientToScreen(last.hwnd, &pt);
                ScreenToClient(&pt);
            }
            HandleMouseMove((UINT)last.wParam, pt.x, pt.y);
            continue;
        }
        if (IsKeyMessage(m) && !g_bDragTrackBusy) {
            if ((m == WM_KEYDOWN || m == WM_KEYUP) && msg.wParam == VK_CONTROL) {
                CPoint pt;
                ::GetCursorPos(&pt);
                if (pt == m_ptLastDrag)
                    --m_ptLastDrag.x;
                ScreenToClient(&pt);
                PostMessage(WM_MOUSEMOVE, m == WM_KEYDOWN ? 17 : 0, MAKELPARAM(pt.x, pt.y));
                ::PeekMessage(&msg, msg.hwnd, m, m, PM_REMOVE);
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
                continue;
            }
            DragStop(true);
            break;
        }
        if (::GetCapture() == hWnd && ::GetKeyState(VK_LBUTTON) < 0 && ::GetKeyState(VK_RBUTTON) >= 0 &&
            ::GetKeyState(VK_MBUTTON) >= 0) {
            if (!AfxPumpPeekedMessage(msg)) {
                ::PostQuitMessage(0);
            }
            continue;
        }
        DragStop(true);
        break;
    }
    if (::IsWindow(hWnd))
        KillTimer(kDragTimer);
}

// A right click ending one of the bar's loops would reach the window under the pointer once
// the loop lets the mouse go, and open its context menu: the press (or release) is taken while
// the bar still holds the mouse, and after the loop's end the bar holds it again until the
// release has come and is taken too.
bool CUiControlBar::TakeRightPressThatEnded(const MSG& msg)
{
    const UINT m = msg.message;
    if (m != WM_RBUTTONDOWN && m != WM_NCRBUTTONDOWN && m != WM_RBUTTONUP && m != WM_NCRBUTTONUP)
        return false;
    MSG taken;
    ::PeekMessage(&taken, NULL, m, m, PM_REMOVE);
    return m == WM_RBUTTONDOWN || m == WM_NCRBUTTONDOWN;
}

void CUiControlBar::TakeRightRelease()
{
    const HWND hWnd = m_hWnd;
    if (!::IsWindow(hWnd))
        return;
    CUiMouseCaptureSink::SetCapture(hWnd);
    MSG taken;
    while (::IsWindow(hWnd) && ::GetCapture() == hWnd) {
        // A button seen up has its release queued already.
        const bool bReleased = ::GetAsyncKeyState(VK_RBUTTON) >= 0;
        if (::PeekMessage(&taken, NULL, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE) ||
            ::PeekMessage(&taken, NULL, WM_NCRBUTTONUP, WM_NCRBUTTONUP, PM_REMOVE) || bReleased)
            break;
        if (!::PeekMessage(&taken, NULL, 0, 0, PM_NOREMOVE)) {
            IdleAndWait();
            continue;
        }
        // The release may have come since the looks above.
        const UINT n = taken.message;
        if (n == WM_RBUTTONUP || n == WM_NCRBUTTONUP) {
            ::PeekMessage(&taken, taken.hwnd, n, n, PM_REMOVE);
            break;
        }
        if (n == WM_MOUSEMOVE || n == WM_NCMOUSEMOVE) {
            ::PeekMessage(&taken, taken.hwnd, n, n, PM_REMOVE);
            continue;
        }
        if (!AfxPumpPeekedMessage(taken)) {
            ::PostQuitMessage(0);
            break;
        }
    }
    if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}

void CUiControlBar::DragTrack(CPoint ptScreen, bool bCtrl)
{
    if (g_bDragTrackBusy || ptScreen == m_ptLastDrag)
        return;
    m_ptLastDrag = ptScreen;
    g_bDragTrackBusy = true;
    const bool bMarkers = GetDragDockMode() == 1;
    const bool bResizable = !IsFixedSizeBar() && !IsFixedSizeForDrag();
    CFrameWnd* pSite = m_pDockSite;
    InternalDraggingState_t& current = g_DragStateCurrent;
    InternalDraggingState_t& previous = g_DragStatePrevious;
    CUiControlBar* pGroupLeft = current.FindDragTarget(ptScreen.x, ptScreen.y, bCtrl);
    if (current.IsEqual(previous)) {
        if (InternalDraggingState_t::HasProvisionalTabs(pGroupLeft))
            PaintBeneathOutline(previous, pGroupLeft);
        if (!bCtrl) {
            if (bMarkers && IsTabbedGroupKind(current.m_nKind)) {
                CUiDynDockMarkerWnd::HideAllHighlights(true);
                if (current.m_nKind != 30)
                    CUiDynDockMarkerWnd::ShowAllMarkers(false);
            } else if (bMarkers && bResizable && pSite != nullptr) {
                CUiDynDockMarkerWnd::UpdateInnerMarkers(pSite, true);
                CUiDynDockMarkerWnd::ShowAllMarkers(true);
            }
        } else {
            CUiDynDockMarkerWnd::ShowAllMarkers(false);
        }
    } else {
        // The old outline goes before anything under it changes, and what changed paints
        // before the new one goes over it.
        if (!previous.IsEmptyState())
            previous.DrawTracker(true);
        InternalDraggingState_t::DropProvisionalTabs(pGroupLeft);
        PassPaintMessages(TRUE, TRUE, TRUE);
        current.DrawTracker(false);
        if (IsMarkerDockingMode()) {
            if (bMarkers && IsTabbedGroupKind(current.m_nKind)) {
                CUiDynDockMarkerWnd::HideAllHighlights(true);
                if (current.m_nKind != 30)
                    CUiDynDockMarkerWnd::ShowAllMarkers(false);
            } else {
                if (bMarkers && bResizable && current.m_nKind != 26 && pSite != nullptr) {
                    CUiDynDockMarkerWnd::UpdateInnerMarkers(pSite, !bCtrl);
                    if (!bCtrl)
                        CUiDynDockMarkerWnd::ShowAllMarkers(true);
                }
                if (!previous.IsEmptyState() && !previous.IsEqual(current))
                    DragApplyTarget(current, false);
            }
        }
    }
    previous = current;
    if (::IsWindow(m_hWnd) && ::GetCapture() != m_hWnd && (m_bTrackFlags & kDragging))
        CUiMouseCaptureSink::SetCapture(m_hWnd);
    g_bDragTrackBusy = false;
}

void CUiControlBar::DragStop(bool bCancelled)
{
    CUiDynDockMarkerWnd::DestroyAllMarkers();
    if (!(m_bTrackFlags & kDragging))
        return;
    m_bTrackFlags &= ~kDragging;
    m_ptLastDrag = CPoint(-1, -1);
    const bool bMarkers = GetDragDockMode() == 1;
    if (bMarkers)
        bCancelled = false;
    InternalDraggingState_t& current = g_DragStateCurrent;
    InternalDraggingState_t& previous = g_DragStatePrevious;
    if (!current.IsEmptyState()) {
        // Off the screen before anything under it paints.
        current.DrawTracker(true);
        if (!IsTabbedGroupKind(current.m_nKind))
            PassPaintMessages(TRUE, TRUE, TRUE);
        OnDragEnded(&previous, &current, bCancelled);
        const bool bAlreadyThere =
            IsMarkerDockingMode() && (previous.IsEmptyState() || previous.IsEqual(current)) && !bMarkers;
        if (!bCancelled && !bAlreadyThere)
            DragApplyTarget(current, true);
    }
    previous.SetTarget(nullptr, true);
    current.SetTarget(nullptr, true);
    previous.Empty(true);
    current.Empty(true);
    const HWND hWnd = m_hWnd;
    if (::IsWindow(hWnd)) {
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        if (IsBarFloating() && !IsMarkerDockingMode())
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (bCancelled && m_pDockSite != nullptr && ::IsWindow(m_pDockSite->m_hWnd))
        m_pDockSite->m_nIdleFlags |= 12;
    // The markers gone, the floating frames come in front of the frame again.
    if (m_pDockSite != nullptr && ::IsWindow(m_pDockSite->m_hWnd))
        CUiMiniDockFrameWnd::KeepFloatingFramesInFront(m_pDockSite);
}

void CUiControlBar::OnDragStarted()
{
    CancelToolTips(FALSE);
    CUiPopupMenuWnd::CloseTrackedMenus();
    if (CUiDynTabControlBar* pGroup = GetTabContainerBar())
        pGroup->m_wndTabs.m_nDraggedTab = pGroup->m_wndTabs.ItemFindByLParam((LPARAM)this);
    // A fixed-size bar changes sides and rows while it is dragged; should it end floating, it
    // left the place it had now.
    if (IsFixedSizeForDrag() && !IsBarFloating())
        RememberDockedPlace();
    SendStatusText(this, kNoStatusText);
}

void CUiControlBar::OnDragEnded(InternalDraggingState_t*, InternalDraggingState_t* pCurrent, bool bCancelled)
{
    SendStatusText(this, AFX_IDS_IDLEMESSAGE);
    if (!IsFixedSizeBar()) {
        if (CUiDynTabControlBar* pGroup = GetTabContainerBar()) {
            CUiDynTabWnd& strip = pGroup->m_wndTabs;
            const int nRemembered = strip.m_nDraggedTab;
            strip.RemoveProvisionalTabs(false);
            if (bCancelled && nRemembered >= 0 && strip.ItemFindByLParam((LPARAM)this) != nRemembered) {
                const int nNow = strip.ItemFindByLParam((LPARAM)this);
                if (nNow >= 0)
                    strip.ItemRemove(nNow, 1, false);
                strip.AddBarTab(this, nRemembered, false, false);
            }
            strip.m_nDraggedTab = -1;
            strip.UpdateLayout();
            const int nTab = strip.ItemFindByLParam((LPARAM)this);
            if (nTab >= 0)
                strip.SelectionSet(nTab);
            SetFocus();
        }
    }
    if (pCurrent != nullptr)
        pCurrent->ForgetDeadTarget();
    if (bCancelled && pCurrent != nullptr && pCurrent->m_pTarget != nullptr &&
        pCurrent->m_pTarget->IsKindOf(RUNTIME_CLASS(CUiDynTabControlBar)) && ::IsWindow(pCurrent->m_pTarget->m_hWnd))
        static_cast<CUiDynTabControlBar*>(pCurrent->m_pTarget)->m_wndTabs.RemoveProvisionalTabs(true);
}

bool CUiControlBar::HandleMouseMove(UINT, int x, int y)
{
    UpdateCursor(CPoint(x, y));
    if (m_bViewFlags & kButtonHot)
        return true;
    if (m_bTrackFlags & kRowResizing) {
        RowResizeTrack();
        return true;
    }
    if (m_bTrackFlags & kRowSplitting) {
        RowSplitTrack();
        return true;
    }
    if (m_bTrackFlags & kDragging) {
        CPoint pt(x, y);
        ClientToScreen(&pt);
        DragTrack(pt, ::GetKeyState(VK_CONTROL) < 0);
        return true;
    }
    return false;
}

void CUiControlBar::UpdateCursor(CPoint ptClient)
{
    if (IsFrameInHelpMode(this))
        return;
    HCURSOR hCursor = g_hCursorArrow;
    if (m_bBarFlags & kContained) {
        hCursor = g_hCursorArrow;
    } else if (!(m_bTrackFlags & (kRowResizing | kRowSplitting | kDragging))) {
        if (!IsBarFloating()) {
            CPoint pt(ptClient);
            ClientToScreen(&pt);
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            const CPoint ptWindow(pt.x - rcWindow.left, pt.y - rcWindow.top);
            if (m_rcCaption.PtInRect(ptWindow)) {
                hCursor = g_hCursorMove;
                for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); ++i) {
                    CUiBarNcAreaButton* pButton = m_arrNcButtons[i];
                    HCURSOR hButton = pButton->IsButtonVisible() ? pButton->CursorAt(ptWindow) : NULL;
                    if (hButton != NULL) {
                        hCursor = hButton;
                        break;
                    }
                }
            }
        }
    } else if (m_bTrackFlags & kDragging) {
        if (IsFixedSizeBar()) {
            const int nKind = g_DragStatePrevious.m_nCursorKind;
            hCursor = nKind == 1 ? g_hCursorSizeWE : nKind == 2 ? g_hCursorSizeNS : g_hCursorMove;
        }
    } else {
        const bool bSplit = (m_bTrackFlags & kRowSplitting) != 0;
        hCursor = IsDockedHorizontally() != bSplit ? g_hCursorSizeNS : g_hCursorSizeWE;
    }
    if (hCursor != NULL && ::GetCursor() != hCursor)
        ::SetCursor(hCursor);
}
