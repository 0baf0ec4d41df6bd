#include "controlbar.h"

IMPLEMENT_DYNAMIC(CUiControlBar, CControlBar)

bool IsSideDockBarId(UINT nID)
{
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM || nID == AFX_IDW_DOCKBAR_LEFT ||
           nID == AFX_IDW_DOCKBAR_RIGHT;
}

CUiControlBar::CUiControlBar()
{
}

CUiControlBar::~CUiControlBar()
{
}

void CUiControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

BOOL CUiControlBar::IsBarFloating() const
{
    if (m_pDockBar == nullptr || m_pDockBar->GetSafeHwnd() == NULL)
        return FALSE;
    if (IsSideDockBarId((UINT)m_pDockBar->GetDlgCtrlID()))
        return FALSE;
    return GetParentFrame() != nullptr;
}

BOOL CUiControlBar::IsBarDocked() const
{
    return m_pDockBar != nullptr && m_pDockBar->GetSafeHwnd() != NULL &&
           IsSideDockBarId((UINT)m_pDockBar->GetDlgCtrlID());
}

BOOL CUiControlBar::IsDockedVertically() const
{
    if (m_pDockBar == nullptr || m_pDockBar->GetSafeHwnd() == NULL)
        return (m_dwStyle & CBRS_ORIENT_VERT) != 0;
    const UINT nID = (UINT)m_pDockBar->GetDlgCtrlID();
    return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}
