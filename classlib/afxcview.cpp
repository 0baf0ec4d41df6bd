// CListView and CTreeView.
#include "afxcview.h"

IMPLEMENT_DYNCREATE(CListView, CCtrlView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CListView::CListView() : CCtrlView(WC_LISTVIEWA, AFX_WS_DEFAULT_VIEW)
{
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs)
{
    AfxInitCommonControls(ICC_LISTVIEW_CLASSES);
    return CCtrlView::PreCreateWindow(cs);
}

void CListView::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CListView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // An owner-drawn report (LVS_OWNERDRAWFIXED) draws its rows through DrawItem.
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CCtrlView::OnChildNotify(message, wParam, lParam, pResult);
}

void CListView::OnNcDestroy()
{
    // The image lists belong to their owners, not to the control that is going away.
    if (!(GetStyle() & LVS_SHAREIMAGELISTS)) {
        ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
        ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
        ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_STATE, 0);
    }
    CCtrlView::OnNcDestroy();
}

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEWA, AFX_WS_DEFAULT_VIEW)
{
}

BOOL CTreeView::PreCreateWindow(CREATESTRUCT& cs)
{
    AfxInitCommonControls(ICC_TREEVIEW_CLASSES);
    return CCtrlView::PreCreateWindow(cs);
}
