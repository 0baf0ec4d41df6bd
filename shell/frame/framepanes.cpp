#include "framepanes.h"

#include "commlogrecord.h"
#include "connstatusmodel.h"
#include "logview.h"
#include "resource.h"

BOOL CFrameSendPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_editor.SubclassDlgItem(IDC_SEND_EDITOR, this);
    return TRUE;
}

BOOL CFrameDetailPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_editor.SubclassDlgItem(IDC_DETAIL_EDITOR, this);
    if (CWnd* pText = GetDlgItem(IDC_DETAIL_TEXT))
        pText->ShowWindow(SW_HIDE);
    return TRUE;
}

LRESULT CFrameDetailPane::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_LOG_DETAIL) {
        const CCommLogRecord* pRecord = reinterpret_cast<const CCommLogRecord*>(lParam);
        if (wParam == LogDetailShow && pRecord != NULL && pRecord->m_nKind != 0)
            m_editor.SetData(pRecord->m_data);
        else
            m_editor.SetData(COleSafeArray());
        return 0;
    }
    return CUiResizableDialog::WindowProc(nMsg, wParam, lParam);
}

BOOL CFrameConnPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_CONN_STATUS_LIST, this);
    for (int i = 0; i < kConnStatusColumnCount; i++)
        m_list.InsertColumn(i, kConnStatusColumns[i].pszHeader, LVCFMT_LEFT, kConnStatusColumns[i].nWidth);
    return TRUE;
}

void CFrameConnPane::ShowConnections(const std::vector<CChannelBuffer*>& buffers)
{
    m_list.DeleteAllItems();
    std::vector<const CChannelBuffer*> list(buffers.begin(), buffers.end());
    const std::vector<ConnStatusRow> rows = MakeConnStatusRows(list);
    for (size_t i = 0; i < rows.size(); i++) {
        const int nItem = m_list.InsertItem(static_cast<int>(i), rows[i].texts[0]);
        for (int c = 1; c < kConnStatusColumnCount; c++)
            m_list.SetItemText(nItem, c, rows[i].texts[c]);
    }
}

int CFrameConnPane::GetRowCount()
{
    return m_list.GetItemCount();
}

CString CFrameConnPane::GetRowText(int nRow, int nColumn)
{
    return m_list.GetItemText(nRow, nColumn);
}

BOOL CFrameComPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_editor.SubclassDlgItem(IDC_COM_EDITOR, this);
    return TRUE;
}

LRESULT CFrameComPane::OnComAction(int nAction, LPARAM lParam)
{
    switch (nAction) {
    case 0:
    case 1:
        m_bIdle = nAction == 1;
        m_dwLineState = 0;
        m_editor.SetData(COleSafeArray());
        return 0;
    case 2:
        m_dwLineState = static_cast<DWORD>(lParam);
        return 0;
    case 4:
        if (lParam != 0)
            m_editor.SetData(*reinterpret_cast<const COleSafeArray*>(lParam));
        return 0;
    default:
        return 0;
    }
}
