// CPortUsePage: whether a port is used, its communication type (serial only) and internal
// receive buffer, and as a child the COM port page with the serial parameters, shown only
// while the port is in use. It carries the port's 1024-byte block through unchanged.
#pragma once

#include "commsetrecord.h"
#include "comportpage.h"
#include "settingspage.h"

class CPortUsePage : public CSettingsPage<CCommSetRecord> {
public:
    explicit CPortUsePage(CWnd* pParent);
    ~CPortUsePage() override;

    void SetPort(int nPort) { m_nPort = nPort; }
    int GetPort() const { return m_nPort; }
    CComPortPage* GetComPortPage() const { return m_pComPort; }

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

    void PutSettings(const CCommSetRecord& set) override;
    int TakeSettings(CCommSetRecord& set) override;

protected:
    void UpdateUseState();

    afx_msg void OnUseClicked();
    afx_msg void OnTypeChanged();
    afx_msg void OnSocketOptions() {}
    DECLARE_MESSAGE_MAP()

    int m_nPort;
    CComPortPage* m_pComPort;
    BYTE m_portPage[CCommSetRecord::kPortPageSize];
};
