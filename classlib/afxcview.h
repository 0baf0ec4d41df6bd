// Views that are common controls: the list view and the tree view. The view window is the
// control itself, so GetListCtrl and GetTreeCtrl return the view seen as its control.
#pragma once
#include "afxframe.h"
#include "afxcmn.h"

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    CListCtrl& GetListCtrl() const { return *(CListCtrl*)this; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    afx_msg void OnNcDestroy();

    DECLARE_MESSAGE_MAP()
};

class CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();
    CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
};
