// CMainApp: the program's application object. It runs the start-up (settings, script DLLs,
// the main frame, the start-up set "auto.kvr" of the working folder) and answers the
// connection threads' and the editors' calls on the send data editor and the script panes.
//
// The editors are windows of the main thread. A call from any other thread is sent to the
// frame as a private message and done there, while the caller waits; no lock is held across
// it. Once the frame is gone the reads answer empty and the writes go nowhere.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include "appaccess.h"
#include "hexedithost.h"
#include "othersettingsapply.h"

#include <atomic>

class CMainFrame;

class CMainApp : public CWinApp, public IAppAccessors, public IHexEditHost, public IOtherSettingsHost {
public:
    CMainApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Steps of the start-up after the services: makes, shows and fills the main frame. The
    // tests call it again to rebuild a closed frame.
    BOOL OpenMainFrame();
    CMainFrame* GetMainFrame() const;

    COleSafeArray GetSendEditorData() override;
    void SetSendEditorData(const COleSafeArray& data) override;
    COleSafeArray GetScriptText(int nPort) override;
    void ShowOtherSettings(CWnd* pParent, int nStartPage, int nEditorIndex) override;
    void ApplyLogFont(const CAppSettings& settings) override;
    void ApplyEditorSettings(int nEditorIndex, const CAppSettings& settings) override;

protected:
    afx_msg void OnAbout();
    afx_msg void OnSupportPage();
    DECLARE_MESSAGE_MAP()

private:
    bool OnMainThread() const { return ::GetCurrentThreadId() == m_dwMainThreadId; }

    DWORD m_dwMainThreadId;
    // The frame's window for the other threads: a window handle stays safe to send to after
    // the window is gone (the call fails), which a pointer to the frame would not.
    std::atomic<HWND> m_hFrameWnd;
};
