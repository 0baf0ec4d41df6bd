#include "receiveactionpage.h"

#include "randomsettingdlg.h"
#include "resource.h"

namespace {

// Every control that the extended or the script mode greys.
const int kModeControlled[] = {
    IDC_RECV_TIMEOUT,          IDC_RECV_TIMEOUT_LABEL,      IDC_RECV_TIMEOUT_UNIT,     IDC_RECV_TIMEOUT_MS,
    IDC_RECV_AUTO_SEND,        IDC_RECV_AUTO_SEND_LABEL,    IDC_RECV_AUTO_SEND_UNIT,   IDC_RECV_AUTO_SEND_MS,
    IDC_RECV_RANDOM,           IDC_RECV_RANDOM_SETTINGS,    IDC_RECV_RANDOM_EVERY_SEND, IDC_RECV_RANDOM_SECONDS,
    IDC_RECV_RANDOM_UNIT,      IDC_RECV_END_AFTER_SEND,     IDC_RECV_END_AFTER_RECEIVE, IDC_RECV_ACTION,
    IDC_RECV_TARGET_LABEL,     IDC_RECV_TARGET,             IDC_RECV_REPLY_BYTE_VALUE, IDC_RECV_REPLY_EDITOR,
    IDC_RECV_REPLY_RECEIVED,   IDC_RECV_REPLY_BYTE};

} // namespace

BEGIN_MESSAGE_MAP(CReceiveActionPage, CSettingsPageBase)
    ON_BN_CLICKED(IDC_RECV_TIMEOUT, OnTimeoutClicked)
    ON_BN_CLICKED(IDC_RECV_AUTO_SEND, OnAutoSendClicked)
    ON_BN_CLICKED(IDC_RECV_RANDOM, OnRandomClicked)
    ON_BN_CLICKED(IDC_RECV_RANDOM_EVERY_SEND, OnRefreshClicked)
    ON_BN_CLICKED(IDC_RECV_ACTION, OnReplyClicked)
    ON_BN_CLICKED(IDC_RECV_EXTENDED, OnModeClicked)
    ON_BN_CLICKED(IDC_RECV_SCRIPT, OnModeClicked)
    ON_BN_CLICKED(IDC_RECV_RANDOM_SETTINGS, OnRandomSettings)
    ON_BN_CLICKED(IDC_RECV_END_AFTER_SEND, OnNothing)
    ON_CBN_SELCHANGE(IDC_RECV_TARGET, OnNothing)
END_MESSAGE_MAP()

CReceiveActionPage::CReceiveActionPage(CWnd* pParent)
    : CSettingsPage<CCommSetRecord>(IDD_RECEIVE_ACTION_PAGE, pParent), m_nPort(0)
{
    Create(IDD_RECEIVE_ACTION_PAGE, pParent);
}

void CReceiveActionPage::DoDataExchange(CDataExchange* pDX)
{
    CSettingsPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RECV_REPLY_BYTE_VALUE, m_replyByte);
}

BOOL CReceiveActionPage::OnInitDialog()
{
    CSettingsPageBase::OnInitDialog();
    LimitText(IDC_RECV_TIMEOUT_MS, 5);
    LimitText(IDC_RECV_AUTO_SEND_MS, 5);
    LimitText(IDC_RECV_RANDOM_SECONDS, 5);
    LimitText(IDC_RECV_REPLY_BYTE_VALUE, 2);
    return TRUE;
}

void CReceiveActionPage::PutSettings(const CCommSetRecord& set)
{
    const int p = m_nPort;
    m_regions = set.m_randomRegions[p];
    SetCheck(IDC_RECV_TIMEOUT, set.m_nRecvTimeoutOn[p]);
    SetCheck(IDC_RECV_AUTO_SEND, set.m_nAutoSendOn[p]);
    SetCheck(IDC_RECV_RANDOM, set.m_nRandomOn[p]);
    SetCheck(IDC_RECV_RANDOM_EVERY_SEND, set.m_nRandomEverySend[p]);
    SetCheck(IDC_RECV_ACTION, set.m_nRecvActionOn[p]);
    SetCheck(IDC_RECV_EXTENDED, set.m_nExtendedMode[p]);
    SetCheck(IDC_RECV_SCRIPT, set.m_nScriptMode[p]);
    SetCheck(IDC_RECV_END_AFTER_SEND, set.m_nEndAfterSend[p]);
    SetCheck(IDC_RECV_END_AFTER_RECEIVE, set.m_nEndAfterRecv[p]);
    SetDlgItemNumber(IDC_RECV_TIMEOUT_MS, set.m_nRecvTimeout[p]);
    SetDlgItemNumber(IDC_RECV_AUTO_SEND_MS, set.m_nAutoSendPeriod[p]);
    SetDlgItemNumber(IDC_RECV_RANDOM_SECONDS, set.m_nRandomInterval[p]);
    CString text;
    text.Format("%02X", set.m_byFixedReply[p]);
    SetDlgItemText(IDC_RECV_REPLY_BYTE_VALUE, text);
    SetListIndex(IDC_RECV_TARGET, set.m_nReplyTarget[p]);
    const int nKind = set.m_nReplyKind[p];
    CheckRadioButton(IDC_RECV_REPLY_EDITOR, IDC_RECV_REPLY_BYTE,
                     nKind == 1 ? IDC_RECV_REPLY_RECEIVED : nKind == 2 ? IDC_RECV_REPLY_BYTE : IDC_RECV_REPLY_EDITOR);
    UpdateMode();
}

int CReceiveActionPage::TakeSettings(CCommSetRecord& set)
{
    const int p = m_nPort;
    set.m_randomRegions[p] = m_regions;
    set.m_nRecvTimeoutOn[p] = GetCheck(IDC_RECV_TIMEOUT);
    set.m_nAutoSendOn[p] = GetCheck(IDC_RECV_AUTO_SEND);
    set.m_nRandomOn[p] = GetCheck(IDC_RECV_RANDOM);
    set.m_nRandomEverySend[p] = GetCheck(IDC_RECV_RANDOM_EVERY_SEND);
    set.m_nRecvActionOn[p] = GetCheck(IDC_RECV_ACTION);
    set.m_nExtendedMode[p] = GetCheck(IDC_RECV_EXTENDED);
    set.m_nScriptMode[p] = GetCheck(IDC_RECV_SCRIPT);
    set.m_nEndAfterSend[p] = GetCheck(IDC_RECV_END_AFTER_SEND);
    set.m_nEndAfterRecv[p] = GetCheck(IDC_RECV_END_AFTER_RECEIVE);
    set.m_nRecvTimeout[p] = GetDlgItemNumber(IDC_RECV_TIMEOUT_MS);
    set.m_nAutoSendPeriod[p] = GetDlgItemNumber(IDC_RECV_AUTO_SEND_MS);
    set.m_nRandomInterval[p] = GetDlgItemNumber(IDC_RECV_RANDOM_SECONDS);
    set.m_byFixedReply[p] = static_cast<BYTE>(GetDlgItemHex(IDC_RECV_REPLY_BYTE_VALUE));
    set.m_nReplyTarget[p] = GetListIndex(IDC_RECV_TARGET);
    if (GetCheck(IDC_RECV_REPLY_EDITOR))
        set.m_nReplyKind[p] = 0;
    else if (GetCheck(IDC_RECV_REPLY_RECEIVED))
        set.m_nReplyKind[p] = 1;
    else if (GetCheck(IDC_RECV_REPLY_BYTE))
        set.m_nReplyKind[p] = 2;
    return 0;
}

void CReceiveActionPage::UpdateTimeout()
{
    const BOOL bOn = GetCheck(IDC_RECV_TIMEOUT);
    EnableItem(IDC_RECV_TIMEOUT_LABEL, bOn);
    EnableItem(IDC_RECV_TIMEOUT_UNIT, bOn);
    EnableItem(IDC_RECV_TIMEOUT_MS, bOn);
}

void CReceiveActionPage::UpdateAutoSend()
{
    const BOOL bOn = GetCheck(IDC_RECV_AUTO_SEND);
    EnableItem(IDC_RECV_AUTO_SEND_LABEL, bOn);
    EnableItem(IDC_RECV_AUTO_SEND_UNIT, bOn);
    EnableItem(IDC_RECV_AUTO_SEND_MS, bOn);
}

void CReceiveActionPage::UpdateRandom()
{
    if (!GetCheck(IDC_RECV_RANDOM)) {
        EnableItem(IDC_RECV_RANDOM_SETTINGS, FALSE);
        EnableItem(IDC_RECV_RANDOM_EVERY_SEND, FALSE);
        EnableItem(IDC_RECV_RANDOM_SECONDS, FALSE);
        EnableItem(IDC_RECV_RANDOM_UNIT, FALSE);
        return;
    }
    EnableItem(IDC_RECV_RANDOM_SETTINGS, TRUE);
    EnableItem(IDC_RECV_RANDOM_EVERY_SEND, TRUE);
    UpdateRefresh();
}

void CReceiveActionPage::UpdateRefresh()
{
    // Refreshed at every send, the regions need no interval.
    const BOOL bByTime = !GetCheck(IDC_RECV_RANDOM_EVERY_SEND);
    EnableItem(IDC_RECV_RANDOM_SECONDS, bByTime);
    EnableItem(IDC_RECV_RANDOM_UNIT, bByTime);
}

void CReceiveActionPage::UpdateReply()
{
    const BOOL bOn = GetCheck(IDC_RECV_ACTION);
    EnableItem(IDC_RECV_TARGET, bOn);
    EnableItem(IDC_RECV_TARGET_LABEL, bOn);
    EnableItem(IDC_RECV_REPLY_BYTE_VALUE, bOn);
    EnableItem(IDC_RECV_REPLY_EDITOR, bOn);
    EnableItem(IDC_RECV_REPLY_RECEIVED, bOn);
    EnableItem(IDC_RECV_REPLY_BYTE, bOn);
}

void CReceiveActionPage::UpdateMode()
{
    const bool bExtended = GetCheck(IDC_RECV_EXTENDED) != 0;
    const bool bScript = GetCheck(IDC_RECV_SCRIPT) != 0;
    EnableItem(IDC_RECV_SCRIPT, !bExtended);
    if (!bScript) {
        EnableItem(IDC_RECV_EXTENDED, TRUE);
        if (!bExtended) {
            static const int kActions[] = {IDC_RECV_TIMEOUT,        IDC_RECV_AUTO_SEND,         IDC_RECV_END_AFTER_SEND,
                                           IDC_RECV_END_AFTER_RECEIVE, IDC_RECV_ACTION,         IDC_RECV_RANDOM};
            for (int id : kActions)
                EnableItem(id, TRUE);
            UpdateTimeout();
            UpdateAutoSend();
            UpdateRandom();
            UpdateReply();
            return;
        }
    } else {
        EnableItem(IDC_RECV_EXTENDED, FALSE);
    }
    for (int id : kModeControlled)
        EnableItem(id, FALSE);
}

void CReceiveActionPage::OnRandomSettings()
{
    CRandomSettingDlg dlg(this);
    dlg.SetRegionData(m_regions);
    if (dlg.DoModal() == IDOK)
        m_regions = dlg.GetRegionData();
}
