// CHexEditDump: the hex editor of the detailed log data pane, showing the bytes of the
// selected log entry (the pane makes it read-only). Besides the COM editor's commands it has
// the marker command and the marker-information dialog, which work although it is read-only.
#pragma once

#include "hexedit.h"
#include "logmenupresenter.h"

class CHexEditDump : public CHexEdit {
    DECLARE_DYNCREATE(CHexEditDump)
public:
    CHexEditDump();

    CString m_strPath;   // the last save-as path

    // The presenter of the context menu (not owned); null restores the platform popup.
    void SetMenuPresenter(ILogMenuPresenter* pPresenter) { m_pPresenter = pPresenter; }

    afx_msg void OnSelectAll();
    afx_msg void OnCopy();
    afx_msg void OnDataAnalysis();
    afx_msg void OnSendToSendEditor();
    afx_msg void OnSaveAs();
    afx_msg void OnProperties();
    afx_msg void OnMarker();
    afx_msg void OnMarkerInfo();

protected:
    afx_msg void OnUpdateSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelection(CCmdUI* pCmdUI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    ILogMenuPresenter* m_pPresenter;
};
