// CMainFrame: the program's one top-level window. It holds the log view, the toolbar, the
// status bar and the eight docked panes, keeps the title and the notification-area icon,
// drives the two ports (start, send, stop) and does the user-interface work that the
// connection threads report by synchronous messages (states, log records, channel-buffer
// registrations, routed data, COM pane actions).
//
// Closing while connections run first stops them and waits for their threads, pumping the
// messages they send, so that no thread reports to a frame or pane that is being destroyed;
// only then is the layout saved and the window destroyed.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxdisp.h"
#include "afxext.h"

#include "controlbar.h"
#include "comcontrolpane.h"
#include "connstatuspane.h"
#include "dataexplorerpane.h"
#include "detaillogpane.h"
#include "framerefresh.h"
#include "mainstatusbar.h"
#include "menucontrolbar.h"
#include "ncpanewrapper.h"
#include "scriptpane.h"
#include "sendeditorpane.h"
#include "toolcontrolbar.h"

#include <vector>

class CAppSettings;
class CChannelBuffer;
class CCommLogRecord;
class CLogview;

const UINT WM_TRAY_NOTIFY = WM_APP + 7;
// The application's accessors, sent by threads other than the main thread: wParam the port
// (script text only), lParam the COleSafeArray to fill or to take.
const UINT WM_ACCESS_GET_SEND_DATA = WM_APP + 10;
const UINT WM_ACCESS_SET_SEND_DATA = WM_APP + 11;
const UINT WM_ACCESS_GET_SCRIPT = WM_APP + 12;

const UINT kTrayIconId = 1;

// The application settings of the running program (section "CMN").
CAppSettings& GetAppSettings();

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    void SetFrameTitle();
    void NotifyTrayIcon(int nAction, LPCSTR lpszTip);
    void ShowPortState(int nPort, UINT nTextId);
    void LoadStartupCommSet(BOOL bStartPorts);

    void StartPortSession(int nPort);
    void RequestPortSend(int nPort);
    static void StopPortSession(int nPort);

    // What the application's accessors do on the main thread.
    COleSafeArray GetSendEditorBytes();
    void SetSendEditorBytes(const COleSafeArray& data);
    COleSafeArray GetScriptBytes(int nPort);
    // One editor's display settings (a CAppSettings::EditorIndex) into its pane's editor.
    void ApplyEditorSettings(int nEditorIndex, const CAppSettings& settings);

    CLogview* GetLogView() const { return m_pLogView; }
    CSendEditorPane& SendPane() { return m_wndSendPane; }
    CDetailLogPane& DetailPane() { return m_wndDetailPane; }
    CConnStatusPane& ConnPane() { return m_wndConnPane; }
    CDataExplorerPane& ExplorerPane() { return m_wndExplorerPane; }
    CComControlPane& ComPane(int nPort) { return m_wndComPane[nPort != 0 ? 1 : 0]; }
    CScriptPane& ScriptPane(int nPort) { return m_wndScriptPane[nPort != 0 ? 1 : 0]; }
    CUiMenuControlBar& MenuBar() { return m_wndMenuBar; }
    CUiToolControlBar& ToolBar() { return m_wndToolBar; }
    CMainStatusBar& StatusBar() { return m_wndStatusBar; }
    CUiControlBar* PaneBar(UINT nBarId);
    const std::vector<CChannelBuffer*>& RegisteredBuffers() const { return m_buffers; }
    const CString& PortStateText(int nPort) const { return m_strPortState[nPort][0]; }
    int PortStateImage(int nPort) const { return m_nPortImage[nPort]; }

    WINDOWPLACEMENT m_wpSaved;
    int m_bSetModified;
    int m_bSetLoaded;
    int m_bStartEnabled[2];
    int m_bSendEnabled[2];
    int m_bRunning[2];
    int m_bClosing;
    int m_bTopmost;
    int m_bTrayAdded;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnConnectionEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT UpdateComControlPane(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFrameRefresh(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIgnoredApp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnConstructBarsMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccessGetSendData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccessSetSendData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAccessGetScript(WPARAM wParam, LPARAM lParam);

    afx_msg void OnLoadLog();
    afx_msg void OnSaveLog();
    afx_msg void OnExportLog();
    afx_msg void OnUpdateLogFile(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSaveLog(CCmdUI* pCmdUI);
    afx_msg void OnTopmost();
    afx_msg void OnUpdateTopmost(CCmdUI* pCmdUI);
    afx_msg void OnAutoScroll();
    afx_msg void OnUpdateAutoScroll(CCmdUI* pCmdUI);
    afx_msg void OnClearLog();
    afx_msg void OnUpdateClearLog(CCmdUI* pCmdUI);
    afx_msg void OnPortCommand(UINT nID);
    afx_msg void OnUpdatePortCommand(CCmdUI* pCmdUI);
    afx_msg void OnShowWindowCmd();
    afx_msg void OnComTool();
    afx_msg void OnCommandTool();
    afx_msg void OnUpdatePortPane(CCmdUI* pCmdUI);
    afx_msg void OnCommSettings();
    afx_msg void OnOtherSettings();
    DECLARE_MESSAGE_MAP()

private:
    bool CreatePanes();
    bool HostPane(CUiResizableDialog& pane, CUiControlBar& bar, UINT nBarId, UINT nCaptionId, UINT nTemplate,
                  UINT nAnchor1, UINT nAnchor2);
    // The two tabbed groups of the default layout: the host docked at a side with its size,
    // then each bar joined to it at a tab index.
    enum { kDefaultGroups = 2 };
    struct DefaultGroup {
        struct Join {
            CUiControlBar* pBar;
            int nIndex;
        };
        CUiControlBar* pHost;
        UINT nSide;
        int nSize;
        Join joins[4];
    };
    DefaultGroup DefaultGroupOf(int nGroup);
    void BuildDefaultLayout();
    // Puts each pane that a loaded layout left out where the default layout puts it.
    void PlaceLeftOutPanes();
    bool AnyPortRunning() const;
    void ShowConnections();
    // Pushes bytes to the buffers chosen by a reply or route target (0 the buffer of nPort and
    // nSub, 1 every buffer of port 1, 2 every buffer of port 2).
    void PushToTarget(int nTarget, int nPort, int nSub, const COleSafeArray& data);
    void AutoReply(const CCommLogRecord& record);
    void StopConnectionsForClose();
    BOOL AskFilePath(BOOL bOpen, LPCSTR lpszExt, LPCSTR lpszFilter, CString& strPath);

    CLogview* m_pLogView;
    CMainStatusBar m_wndStatusBar;
    CUiMenuControlBar m_wndMenuBar;
    CUiToolControlBar m_wndToolBar;
    CNcPaneWrapper<CSendEditorPane> m_wndSendPane;
    CNcPaneWrapper<CDetailLogPane> m_wndDetailPane;
    CNcPaneWrapper<CConnStatusPane> m_wndConnPane;
    CNcPaneWrapper<CDataExplorerPane> m_wndExplorerPane;
    CUiControlBar m_wndPaneBar[4];
    CNcPaneWrapper<CScriptPane> m_wndScriptPane[2];
    CUiControlBar m_wndScriptBar[2];
    CNcPaneWrapper<CComControlPane> m_wndComPane[2];
    CUiControlBar m_wndComBar[2];
    CImageList m_imgPortStates;
    CBitmap m_bmpPortStates;
    HICON m_hPortIcon[2];
    int m_nPortImage[2];
    CString m_strPortState[2][2];
    std::vector<CChannelBuffer*> m_buffers;
    // The communication settings' page for the next opening.
    int m_nCommSettingPage = 0;
};
