#include "portusepage.h"

#include <string.h>

#include "resource.h"

BEGIN_MESSAGE_MAP(CPortUsePage, CSettingsPageBase)
    ON_BN_CLICKED(IDC_PORTUSE_USE, OnUseClicked)
    ON_CBN_SELCHANGE(IDC_PORTUSE_TYPE, OnTypeChanged)
    ON_BN_CLICKED(IDC_PORTUSE_SOCKET, OnSocketOptions)
END_MESSAGE_MAP()

CPortUsePage::CPortUsePage(CWnd* pParent)
    : CSettingsPage<CCommSetRecord>(IDD_PORT_USE_PAGE, pParent), m_nPort(0), m_pComPort(NULL)
{
    memset(m_portPage, 0, sizeof(m_portPage));
    Create(IDD_PORT_USE_PAGE, pParent);
}

CPortUsePage::~CPortUsePage()
{
    delete m_pComPort;
}

BOOL CPortUsePage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    m_pComPort = new CComPortPage(this);
    m_pComPort->MoveWindow(5, 55, 521, 294, TRUE);
    m_pComPort->ShowWindow(SW_SHOW);
    LimitText(IDC_PORTUSE_BUFFER, 5);
    ShowItem(IDC_PORTUSE_SOCKET, FALSE);
    return TRUE;
}

BOOL CPortUsePage::DestroyWindow()
{
    delete m_pComPort;
    m_pComPort = NULL;
    return CSettingsPageBase::DestroyWindow();
}

void CPortUsePage::PutSettings(const CCommSetRecord& set)
{
    const int p = m_nPort;
    // Only the serial type is offered: the template's other types go.
    while (SendDlgItemMessage(IDC_PORTUSE_TYPE, CB_GETCOUNT, 0, 0) > 1)
        SendDlgItemMessage(IDC_PORTUSE_TYPE, CB_DELETESTRING, 0, 0);
    SetListIndex(IDC_PORTUSE_TYPE, 0);
    SetCheck(IDC_PORTUSE_USE, set.m_nInUse[p]);
    SetDlgItemNumber(IDC_PORTUSE_BUFFER, set.m_nRecvBufferSize[p]);
    m_pComPort->PutPort(set, p);
    memcpy(m_portPage, set.m_portPage[p], sizeof(m_portPage));
    UpdateUseState();
}

int CPortUsePage::TakeSettings(CCommSetRecord& set)
{
    const int p = m_nPort;
    set.m_nInUse[p] = GetCheck(IDC_PORTUSE_USE);
    set.m_nCommType[p] = CCommSetRecord::kCommTypeSerial;
    const int nBuffer = GetDlgItemNumber(IDC_PORTUSE_BUFFER);
    set.m_nRecvBufferSize[p] = nBuffer < 16 ? 16 : nBuffer;
    m_pComPort->TakePort(set, p);
    memcpy(set.m_portPage[p], m_portPage, sizeof(m_portPage));
    return 0;
}

void CPortUsePage::UpdateUseState()
{
    m_pComPort->ShowWindow(SW_HIDE);
    EnableItem(IDC_PORTUSE_TYPE, FALSE);
    EnableItem(IDC_PORTUSE_BUFFER, FALSE);
    EnableItem(IDC_PORTUSE_SOCKET, FALSE);
    if (GetCheck(IDC_PORTUSE_USE))
        OnTypeChanged();
}

void CPortUsePage::OnUseClicked()
{
    UpdateUseState();
}

void CPortUsePage::OnTypeChanged()
{
    EnableItem(IDC_PORTUSE_TYPE, TRUE);
    EnableItem(IDC_PORTUSE_BUFFER, TRUE);
    m_pComPort->ShowWindow(SW_SHOW);
}
