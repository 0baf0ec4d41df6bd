// The connection-status pane: a list with one row for each channel buffer registered with
// the main frame, rebuilt whenever one comes or goes. The row texts are the model's.
#pragma once
#include "afxcmn.h"
#include "resizabledialog.h"

#include <vector>

class CChannelBuffer;

class CConnStatusPane : public CUiResizableDialog {
public:
    CConnStatusPane();
    ~CConnStatusPane() override;

    // Replaces the rows by one per buffer, in the list's order.
    void ShowConnections(std::vector<CChannelBuffer*> buffers);

    CListCtrl m_wndList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
