// CReceiveActionPage: what one port's connection does besides sending and receiving: the
// receive time-out, automatic sending, random regions, the end rules, the automatic reply,
// and the two modes that exclude each other and switch every other action off (extended,
// driven by an extension DLL, and script). The random regions are edited on the page's own
// copy of the port's blob; the set changes only when the dialog applies.
#pragma once

#include "afxdisp.h"
#include "commsetrecord.h"
#include "numericedit.h"
#include "settingspage.h"

class CReceiveActionPage : public CSettingsPage<CCommSetRecord> {
public:
    explicit CReceiveActionPage(CWnd* pParent);

    void SetPort(int nPort) { m_nPort = nPort; }

    BOOL OnInitDialog() override;

    void PutSettings(const CCommSetRecord& set) override;
    int TakeSettings(CCommSetRecord& set) override;

    const COleSafeArray& GetRegions() const { return m_regions; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void UpdateTimeout();
    void UpdateAutoSend();
    void UpdateRandom();
    void UpdateRefresh();
    void UpdateReply();
    void UpdateMode();

    afx_msg void OnTimeoutClicked() { UpdateTimeout(); }
    afx_msg void OnAutoSendClicked() { UpdateAutoSend(); }
    afx_msg void OnRandomClicked() { UpdateRandom(); }
    afx_msg void OnRefreshClicked() { UpdateRefresh(); }
    afx_msg void OnReplyClicked() { UpdateReply(); }
    afx_msg void OnModeClicked() { UpdateMode(); }
    afx_msg void OnRandomSettings();
    afx_msg void OnNothing() {}
    DECLARE_MESSAGE_MAP()

    int m_nPort;
    COleSafeArray m_regions;
    CNumericEdit m_replyByte;
};
