// The frame's docking: its dock bars, docking and floating bars, floating frames.
#include "afxext.h"
#include "afxwinstate.h"

#include <vector>

namespace {
struct DockSide {
    UINT nID;
    DWORD dwAlign;
};
// The order the sides are made and searched in; the framework relies on it.
const DockSide kDockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const DockSide& side : kDockSides) {
        if (!(dwDockStyle & side.dwAlign))
            continue;
        CControlBar* pOld = GetControlBar(side.nID);
        if (pOld != nullptr && pOld->IsDockBar())
            continue;
        CDockBar* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        // A failed creation has deleted the dock bar (PostNcDestroy).
        pDockBar->Create(this, side.dwAlign | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, side.nID);
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID != 0) {
        CControlBar* p = GetControlBar(nDockBarID);
        if (p != nullptr && p->IsDockBar())
            pDockBar = (CDockBar*)p;
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr)
        return;
    if (pDockBar == nullptr) {
        for (const DockSide& side : kDockSides) {
            if (!(pBar->m_dwDockStyle & side.dwAlign))
                continue;
            CControlBar* p = GetControlBar(side.nID);
            if (p != nullptr && p->IsDockBar()) {
                pDockBar = (CDockBar*)p;
                break;
            }
        }
    }
    if (pDockBar == nullptr)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CMiniDockFrameWnd* pFrame = (CMiniDockFrameWnd*)AfxCreateObjectOfKind(pClass, RUNTIME_CLASS(CMiniDockFrameWnd));
    if (pFrame == nullptr)
        return nullptr;
    // A frame that fails to be made has deleted itself.
    if (!pFrame->Create(this, dwStyle))
        return nullptr;
    return pFrame;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    // Owned windows are top-level windows: found among the desktop's children by their owner,
    // all of them before any is told, as a window told may change the order.
    std::vector<HWND> owned;
    for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetWindow(h, GW_OWNER) == m_hWnd)
            owned.push_back(h);
    }
    for (HWND h : owned) {
        if (::IsWindow(h))
            ::SendMessage(h, WM_FLOATSTATUS, (WPARAM)dwFlags, 0);
    }
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    CMiniDockFrameWnd* pFrame = nullptr;
    if (pBar->IsFloating() && pBar->m_pDockBar != nullptr) {
        CFrameWnd* pParentFrame = pBar->m_pDockBar->GetParentFrame();
        if (pParentFrame != nullptr && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
            (pBar->m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == (dwStyle & CBRS_ALIGN_ANY))
            pFrame = (CMiniDockFrameWnd*)pParentFrame;
    }
    if (pFrame == nullptr) {
        pFrame = CreateFloatingFrame(dwStyle);
        if (pFrame == nullptr)
            return;
    }
    pFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar->m_pDockBar != &pFrame->m_wndDockBar)
        pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout();
    if (pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
        pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle & CBRS_ALIGN_ANY;
    }
}
