// CHexEditCom: the read-only hex editor of a COM control pane, showing the bytes its port's
// connection has buffered. Commands: select all, copy, data analysis, send to the send data
// editor, save as and properties; its context menu (169) also lists the marker commands,
// which it does not handle, so they stay disabled.
#pragma once

#include "hexedit.h"
#include "logmenupresenter.h"

class CHexEditCom : public CHexEdit {
    DECLARE_DYNCREATE(CHexEditCom)
public:
    CHexEditCom();

    CString m_strPath;   // the last save-as path
    int m_nPortIndex;    // 0 port 1, 1 port 2; set by the pane

    // The presenter of the context menu (not owned); null restores the platform popup.
    void SetMenuPresenter(ILogMenuPresenter* pPresenter) { m_pPresenter = pPresenter; }

    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSendToSendEditor();
    afx_msg void OnSaveAs();
    afx_msg void OnProperties();

protected:
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCopy(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    ILogMenuPresenter* m_pPresenter;
};
