#include "connstatuspane.h"

#include "connstatusmodel.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CConnStatusPane, CUiResizableDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CConnStatusPane::CConnStatusPane() : CUiResizableDialog(IDD_CONN_STATUS_PANE) {}

CConnStatusPane::~CConnStatusPane() {}

void CConnStatusPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONN_STATUS_LIST, m_wndList);
}

BOOL CConnStatusPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_wndList.ModifyStyle(LVS_TYPEMASK | LVS_SORTASCENDING | LVS_SORTDESCENDING,
                          LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    m_wndList.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                          LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < kConnStatusColumnCount; ++i)
        m_wndList.InsertColumn(i, kConnStatusColumns[i].pszHeader, LVCFMT_LEFT, kConnStatusColumns[i].nWidth);
    return TRUE;
}

void CConnStatusPane::ShowConnections(std::vector<CChannelBuffer*> buffers)
{
    if (m_wndList.GetSafeHwnd() == NULL)
        return;
    m_wndList.DeleteAllItems();
    const std::vector<const CChannelBuffer*> known(buffers.begin(), buffers.end());
    const std::vector<ConnStatusRow> rows = MakeConnStatusRows(known);
    for (int i = 0; i < (int)rows.size(); ++i) {
        m_wndList.InsertItem(i, rows[i].texts[0]);
        for (int col = 1; col < kConnStatusColumnCount; ++col)
            m_wndList.SetItemText(i, col, rows[i].texts[col]);
    }
}

void CConnStatusPane::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType;
    // The dialog is sized while it is being made, before the list is bound.
    if (m_wndList.GetSafeHwnd() == NULL)
        return;
    m_wndList.MoveWindow(0, 0, cx, cy);
    m_wndList.Invalidate();
}
