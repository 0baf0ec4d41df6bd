#include "mainframe.h"

#include "appsettings.h"
#include "barstate.h"
#include "channelbuffer.h"
#include "cmdmanager.h"
#include "commsetrecord.h"
#include "currentcommset.h"
#include "logview.h"
#include "messagetext.h"
#include "paintmanagerholder.h"
#include "paintmanagerstudio2005.h"
#include "popupbasewnd.h"
#include "popupmenuwnd.h"
#include "portsession.h"
#include "resource.h"
#include "sessionthreads.h"
#include "shellopen.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

namespace {

const DWORD kBarStyle = 0x5640283C;
const UINT kRefreshTimer = 1;
// What the tip of the notification-area icon holds on every system.
const int kTrayTipBytes = 63;

// The commands the profile keeps as basic ones (never hidden as rarely used).
const UINT kBasicCommands[] = {
    32800, 32801, 32802, 32803, 32813, 32814, 32894, 32811, 32816, 32825, 32817, 32812, 32810, 32804,
    32808, 32806, 32805, 32809, 32807, 32771, 32832, 57664, 32801, 32801, 32815, 57665, 32826, 32831,
    32856, 32835, 32834, 32848, 32853, 32849, 32850, 32851, 32889, 32890, 32845, 32842, 32846, 32857,
    32847, 32852, 32858, 59392, 59393, 32772, 32774, 32776, 32777, 32892, 32895, 32896, 32897, 32893,
    32860, 32861, 32898, 32899, 0};

const UINT kIndicators[] = {0, ID_STATUS_PORT1, ID_STATUS_PORT2, ID_STATUS_KANA,
                            ID_STATUS_CAPS, ID_STATUS_NUM, ID_STATUS_SCRL};
const UINT kIndicatorTips[] = {0, IDS_STATUS_PORT_TIP, IDS_STATUS_PORT_TIP, 0, 0, 0, 0};

CString LoadText(UINT nId)
{
    CString str;
    str.LoadString(nId);
    return str;
}

// At most nMax bytes of a code page 932 text, never ending on the first byte of a pair.
CString CutTip(const CString& strText, int nMax)
{
    const char* p = strText;
    int n = 0;
    while (p[n] != '\0') {
        const int step = (::IsDBCSLeadByteEx(932, static_cast<BYTE>(p[n])) && p[n + 1] != '\0') ? 2 : 1;
        if (n + step > nMax)
            break;
        n += step;
    }
    return CString(p, n);
}

} // namespace

CAppSettings& GetAppSettings()
{
    static CAppSettings s_settings;
    return s_settings;
}

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP + 4, OnConnectionEvent)
    ON_MESSAGE(WM_APP + 8, UpdateComControlPane)
    ON_MESSAGE(WM_FRAME_REFRESH, OnFrameRefresh)
    ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
    ON_MESSAGE(WM_APP + 1, OnIgnoredApp)
    ON_MESSAGE(WM_APP + 9, OnIgnoredApp)
    ON_MESSAGE(WM_ACCESS_GET_SEND_DATA, OnAccessGetSendData)
    ON_MESSAGE(WM_ACCESS_SET_SEND_DATA, OnAccessSetSendData)
    ON_MESSAGE(WM_ACCESS_GET_SCRIPT, OnAccessGetScript)
    ON_REGISTERED_MESSAGE(CUiControlBar::g_nMsgConstructPopupMenu, OnConstructBarsMenu)
    ON_COMMAND(ID_FRAME_LOAD_LOG, OnLoadLog)
    ON_COMMAND(ID_FRAME_SAVE_LOG, OnSaveLog)
    ON_COMMAND(ID_FRAME_EXPORT_LOG, OnExportLog)
    ON_UPDATE_COMMAND_UI(ID_FRAME_LOAD_LOG, OnUpdateLogFile)
    ON_UPDATE_COMMAND_UI(ID_FRAME_SAVE_LOG, OnUpdateSaveLog)
    ON_UPDATE_COMMAND_UI(ID_FRAME_EXPORT_LOG, OnUpdateSaveLog)
    ON_COMMAND(ID_FRAME_TOPMOST, OnTopmost)
    ON_UPDATE_COMMAND_UI(ID_FRAME_TOPMOST, OnUpdateTopmost)
    ON_COMMAND(ID_FRAME_AUTO_SCROLL, OnAutoScroll)
    ON_UPDATE_COMMAND_UI(ID_FRAME_AUTO_SCROLL, OnUpdateAutoScroll)
    ON_COMMAND(ID_FRAME_CLEAR_LOG, OnClearLog)
    ON_UPDATE_COMMAND_UI(ID_FRAME_CLEAR_LOG, OnUpdateClearLog)
    ON_COMMAND_RANGE(ID_PORT1_START, ID_PORT2_SEND, OnPortCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PORT1_START, ID_PORT2_SEND, OnUpdatePortCommand)
    ON_COMMAND(ID_FRAME_SHOW_WINDOW, OnShowWindowCmd)
    ON_COMMAND(ID_FRAME_COM_TOOL, OnComTool)
    ON_COMMAND(ID_FRAME_COMMAND_TOOL, OnCommandTool)
    ON_COMMAND(ID_FRAME_COMM_SETTINGS, OnCommSettings)
    ON_COMMAND(ID_FRAME_OTHER_SETTINGS, OnOtherSettings)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PORT1, OnUpdatePortPane)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PORT2, OnUpdatePortPane)
    ON_COMMAND_EX(ID_FRAME_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_FRAME_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_FRAME_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_FRAME_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_SEND_EDITOR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_SEND_EDITOR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_DETAIL_LOG, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_DETAIL_LOG, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_CONN_STATUS, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_CONN_STATUS, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_EXPLORER, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_EXPLORER, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_COM_CONTROL1, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_COM_CONTROL1, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_COM_CONTROL2, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_COM_CONTROL2, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_SCRIPT1, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_SCRIPT1, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_BAR_SCRIPT2, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_BAR_SCRIPT2, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_pLogView(NULL)
{
    PaintManagerHolder::Get().SetPaintManagerClass(PaintManagerClassOfLook(GetAppSettings().m_nLook));
    memset(&m_wpSaved, 0, sizeof(m_wpSaved));
    m_wpSaved.length = sizeof(m_wpSaved);
    SetCommSetDefaults(GetCurrentCommSet(), TRUE);
    m_bSetModified = m_bSetLoaded = 0;
    m_bClosing = m_bTopmost = m_bTrayAdded = 0;
    for (int i = 0; i < 2; i++) {
        m_bStartEnabled[i] = m_bSendEnabled[i] = m_bRunning[i] = 0;
        m_hPortIcon[i] = NULL;
        m_nPortImage[i] = 0;
    }
}

CMainFrame::~CMainFrame()
{
    for (HICON& hIcon : m_hPortIcon) {
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
        hIcon = NULL;
    }
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.lpszClass = AfxRegisterWndClass(0, NULL, NULL, NULL);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWinApp* pApp = AfxGetApp();
    SetIcon(pApp->LoadIcon(IDR_MAINFRAME), TRUE);
    SetIcon(static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                            16, 16, 0)),
            FALSE);

    CAppSettings& settings = GetAppSettings();
    CUiPopupMenuWnd::g_bHideRarelyUsed = false;
    CUiPopupBaseWnd::g_nDefaultAnimation = settings.m_nMenuEffect;

    const LPCSTR pszProfile = pApp->m_pszProfileName;
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfileInstall(pszProfile, m_hWnd);
    pManager->ProfileLoadMenu(pszProfile, IDR_MAINFRAME);
    pManager->ProfileLoadToolBar(pszProfile, IDR_PANE_COMMANDS, NULL, NULL, false, true, RGB(192, 192, 192));
    pManager->ProfileLoadToolBar(pszProfile, IDR_COM_PANE_COMMANDS, NULL, NULL, false, true, RGB(192, 192, 192));
    pManager->ProfileLoadToolBar(pszProfile, IDR_TEXTINPUT_COMMANDS, NULL, NULL, false, true, RGB(192, 192, 192));

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CLogview);
    m_pLogView = static_cast<CLogview*>(CreateView(&context, AFX_IDW_PANE_FIRST));
    if (m_pLogView == NULL)
        return -1;
    m_pLogView->SetSources(&settings, &GetCurrentCommSet());

    // The menu bar takes the frame's menu; showing the window is the tray menu's business.
    if (!m_wndMenuBar.Create(NULL, this, AFX_IDW_DIALOGBAR, kBarStyle))
        return -1;
    if (CMenu* pMenu = m_wndMenuBar.GetBarMenu()) {
        pMenu->DeleteMenu(ID_FRAME_SHOW_WINDOW, MF_BYCOMMAND);
        m_wndMenuBar.UpdateMenuBarImpl(false);
    }

    if (!m_bmpPortStates.LoadBitmap(MAKEINTRESOURCE(IDB_PORT_STATES)) ||
        !m_imgPortStates.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 16))
        return -1;
    m_imgPortStates.Add(&m_bmpPortStates, RGB(0, 0, 0));

    if (!m_wndToolBar.Create(LoadText(IDS_TOOLBAR_TITLE), this, ID_FRAME_VIEW_TOOLBAR, kBarStyle) ||
        !m_wndToolBar.LoadToolBarCommands(settings.m_nToolSize != 0 ? IDR_MAINFRAME_SMALL : IDR_MAINFRAME))
        return -1;
    CUiToolControlBar::g_bOptionA = false;

    ShowPortState(0, IDS_STATE_NONE);
    ShowPortState(1, IDS_STATE_NONE);

    if (!m_wndStatusBar.Create(this, 0x50008200, ID_FRAME_VIEW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicatorsEx(kIndicators, 7, kIndicatorTips, NULL))
        return -1;
    // The idle prompt that the frame posted as it was made has already gone: the menu bar
    // passes pending messages on at its creation, while there was no status bar yet.
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);

    if (!CreatePanes())
        return -1;

    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    for (CUiControlBar& bar : m_wndPaneBar)
        bar.EnableDocking(CBRS_ALIGN_ANY);
    for (int i = 0; i < 2; i++) {
        m_wndScriptBar[i].EnableDocking(CBRS_ALIGN_ANY);
        m_wndComBar[i].EnableDocking(CBRS_ALIGN_ANY);
    }
    if (!EnableFrameDocking(this, CBRS_ALIGN_ANY, TRUE))
        return -1;

    pManager->ProfileMarkCommands(pszProfile, kBasicCommands);
    pManager->ProfilePersist(pszProfile, pApp->m_pszRegistryKey, pszProfile, false);
    // A damaged saved layout never shows less than the default one.
    if (!BarStateLoad(this, pApp->m_pszRegistryKey, pszProfile, pszProfile, &m_wpSaved))
        BuildDefaultLayout();
    else
        PlaceLeftOutPanes();

    m_bSetLoaded = 0;
    SetFrameTitle();
    m_pLogView->SetDetailPane(m_wndDetailPane.GetSafeHwnd());
    m_pLogView->ClearLogView();
    SetTimer(kRefreshTimer, 200, NULL);
    return 0;
}

bool CMainFrame::HostPane(CUiResizableDialog& pane, CUiControlBar& bar, UINT nBarId, UINT nCaptionId, UINT nTemplate,
                          UINT nAnchor1, UINT nAnchor2)
{
    if (!bar.Create(LoadText(nCaptionId), this, nBarId, kBarStyle))
        return false;
    if (!pane.Create(MAKEINTRESOURCE(nTemplate), &bar))
        return false;
    pane.ShowSizeGrip(false);
    pane.ShowWindow(SW_SHOW);
    if (nAnchor1 != 0)
        pane.AnchorDlgItem(nAnchor1, CSize(0, 0), CSize(100, 100));
    if (nAnchor2 != 0)
        pane.AnchorDlgItem(nAnchor2, CSize(0, 0), CSize(100, 100));
    return true;
}

bool CMainFrame::CreatePanes()
{
    const CAppSettings& settings = GetAppSettings();
    m_wndDetailPane.SetSources(&settings);
    m_wndSendPane.SetSources(&settings);
    if (!HostPane(m_wndDetailPane, m_wndPaneBar[1], ID_BAR_DETAIL_LOG, IDS_DETAIL_LOG_TITLE, IDD_DETAIL_LOG_PANE,
                  IDC_DETAIL_EDITOR, IDC_DETAIL_TEXT) ||
        !HostPane(m_wndSendPane, m_wndPaneBar[0], ID_BAR_SEND_EDITOR, IDS_SEND_EDITOR_TITLE, IDD_SEND_EDITOR_PANE,
                  IDC_SEND_EDITOR, 0))
        return false;
    m_wndSendPane.SetTitleTarget(&m_wndPaneBar[0]);
    if (!HostPane(m_wndConnPane, m_wndPaneBar[2], ID_BAR_CONN_STATUS, IDS_CONN_STATUS_TITLE, IDD_CONN_STATUS_PANE, 0,
                  0) ||
        !HostPane(m_wndExplorerPane, m_wndPaneBar[3], ID_BAR_EXPLORER, IDS_EXPLORER_TITLE, IDD_EXPLORER_PANE,
                  IDC_EXPLORER_TREE, 0))
        return false;
    m_wndExplorerPane.SetTitleTarget(&m_wndPaneBar[3]);
    m_wndExplorerPane.SetSendEditorPane(&m_wndSendPane);
    const UINT nComBars[2] = {ID_BAR_COM_CONTROL1, ID_BAR_COM_CONTROL2};
    const UINT nComTitles[2] = {IDS_COM_CONTROL1_TITLE, IDS_COM_CONTROL2_TITLE};
    for (int i = 0; i < 2; i++) {
        m_wndComPane[i].m_nPort = i;
        m_wndComPane[i].SetSources(&settings);
        if (!HostPane(m_wndComPane[i], m_wndComBar[i], nComBars[i], nComTitles[i], IDD_COM_CONTROL_PANE,
                      IDC_COM_EDITOR, 0))
            return false;
        m_wndComPane[i].OnLineAction(CComControlPane::kEnded, 0);
    }
    const UINT nScriptBars[2] = {ID_BAR_SCRIPT1, ID_BAR_SCRIPT2};
    const UINT nScriptTitles[2] = {IDS_SCRIPT1_TITLE, IDS_SCRIPT2_TITLE};
    for (int i = 0; i < 2; i++) {
        if (!HostPane(m_wndScriptPane[i], m_wndScriptBar[i], nScriptBars[i], nScriptTitles[i], IDD_SCRIPT_PANE, 0, 0))
            return false;
        m_wndScriptPane[i].SetTitleTarget(LoadText(nScriptTitles[i]), &m_wndScriptBar[i]);
    }
    return true;
}

CMainFrame::DefaultGroup CMainFrame::DefaultGroupOf(int nGroup)
{
    if (nGroup == 0)
        return {&m_wndScriptBar[0], AFX_IDW_DOCKBAR_RIGHT, 300, {{&m_wndScriptBar[1], 1}, {&m_wndPaneBar[0], 0}}};
    return {&m_wndPaneBar[2],
            AFX_IDW_DOCKBAR_BOTTOM,
            250,
            {{&m_wndComBar[1], 1}, {&m_wndComBar[0], 1}, {&m_wndPaneBar[3], 1}, {&m_wndPaneBar[1], 0}}};
}

void CMainFrame::BuildDefaultLayout()
{
    // Fixed-size bars live in the outer dock bars, each docked bar in a row of its own
    // after those before it: the menu bar first, so that it is the top row.
    DockControlBar(&m_wndMenuBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    for (int n = 0; n < kDefaultGroups; n++) {
        const DefaultGroup group = DefaultGroupOf(n);
        group.pHost->m_sizeHorz = group.pHost->m_sizeVert = CSize(group.nSize, group.nSize);
        group.pHost->DockAtFrameSide(group.nSide, false);
        for (const DefaultGroup::Join& join : group.joins) {
            if (join.pBar != nullptr)
                group.pHost->DockIntoTabbedGroup(join.pBar, join.nIndex);
        }
    }
    RecalcLayout();
}

void CMainFrame::PlaceLeftOutPanes()
{
    bool bChanged = false;
    for (int n = 0; n < kDefaultGroups; n++) {
        const DefaultGroup group = DefaultGroupOf(n);
        std::vector<CUiControlBar*> bars(1, group.pHost);
        for (const DefaultGroup::Join& join : group.joins) {
            if (join.pBar != nullptr)
                bars.push_back(join.pBar);
        }
        for (CUiControlBar* pBar : bars) {
            if (!pBar->IsLeftOutByLayout())
                continue;
            CUiControlBar* pAnchor = NULL;
            for (CUiControlBar* pOther : bars) {
                if (pAnchor == NULL && pOther != pBar && !pOther->IsLeftOutByLayout())
                    pAnchor = pOther;
            }
            if (pAnchor != NULL)
                pAnchor->DockIntoTabbedGroup(pBar, -1);
            else
                pBar->DockAtFrameSide(group.nSide, false);
            ShowControlBar(pBar, TRUE, FALSE);
            bChanged = true;
        }
    }
    // No command hides the menu bar: one saved hidden is damage.
    if (!(m_wndMenuBar.GetStyle() & WS_VISIBLE)) {
        ShowControlBar(&m_wndMenuBar, TRUE, FALSE);
        bChanged = true;
    }
    if (bChanged)
        RecalcLayout();
}

CUiControlBar* CMainFrame::PaneBar(UINT nBarId)
{
    return dynamic_cast<CUiControlBar*>(GetControlBar(nBarId));
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    if (m_wpSaved.showCmd != 0) {
        WINDOWPLACEMENT wp = m_wpSaved;
        m_wpSaved.showCmd = 0;
        wp.length = sizeof(wp);
        const int nShow = wp.showCmd;
        wp.showCmd = SW_HIDE;
        ::SetWindowPlacement(m_hWnd, &wp);
        CFrameWnd::ActivateFrame(nShow);
        return;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
}

void CMainFrame::OnUpdateFrameTitle(BOOL)
{
    // The title is the set's name, kept by SetFrameTitle; the idle pass must not replace it.
}

void CMainFrame::SetFrameTitle()
{
    CString strTitle = GetCurrentCommSet().m_strSetName + " - " + LoadText(IDS_APP_NAME);
    SetWindowText(strTitle);
    const int nTray = GetAppSettings().m_nTaskTray;
    if (nTray != 0 && m_bTrayAdded)
        NotifyTrayIcon(1, strTitle);
    else if (nTray != 0)
        NotifyTrayIcon(0, NULL);
    else if (m_bTrayAdded)
        NotifyTrayIcon(2, NULL);
    if (!AnyPortRunning()) {
        const CCommSetRecord& set = GetCurrentCommSet();
        for (int i = 0; i < 2; i++) {
            m_bSendEnabled[i] = m_bRunning[i] = 0;
            m_bStartEnabled[i] = set.m_nInUse[i] != 0;
        }
    }
}

void CMainFrame::NotifyTrayIcon(int nAction, LPCSTR lpszTip)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = m_hWnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    CString strTip;
    if (nAction == 0) {
        if (m_bTrayAdded)
            return;
        GetWindowText(strTip);
    } else if (nAction == 1) {
        if (!m_bTrayAdded)
            return;
        strTip = lpszTip;
    } else {
        if (!m_bTrayAdded)
            return;
        data.uFlags = 0;
    }
    // Cut to what the tip holds, never between the two bytes of a character.
    strTip = CutTip(strTip, kTrayTipBytes);
    lstrcpynA(data.szTip, strTip, sizeof(data.szTip));
    const DWORD dwMessage = nAction == 0 ? NIM_ADD : nAction == 1 ? NIM_MODIFY : NIM_DELETE;
    ShellNotifyIcon(dwMessage, &data);
    if (nAction == 0)
        m_bTrayAdded = 1;
    else if (nAction == 2)
        m_bTrayAdded = 0;
}

void CMainFrame::ShowPortState(int nPort, UINT nTextId)
{
    const int nImage = nTextId == IDS_STATE_WAITING ? 1 : nTextId == IDS_STATE_CONNECTED ? 3 : 0;
    if (m_hPortIcon[nPort] != NULL)
        ::DestroyIcon(m_hPortIcon[nPort]);
    m_hPortIcon[nPort] = m_imgPortStates.GetSafeHandle() != NULL ? m_imgPortStates.ExtractIcon(nImage) : NULL;
    m_nPortImage[nPort] = nImage;
    m_strPortState[nPort][0] = m_strPortState[nPort][1] = LoadText(nTextId);
    if (m_wndStatusBar.GetSafeHwnd() != NULL) {
        const int nIndex = m_wndStatusBar.CommandToIndex(nPort == 0 ? ID_STATUS_PORT1 : ID_STATUS_PORT2);
        m_wndStatusBar.SetPaneIcon(nIndex, m_hPortIcon[nPort]);
        m_wndStatusBar.SetPaneTextFitted(nIndex, m_strPortState[nPort][0]);
    }
}

void CMainFrame::OnUpdatePortPane(CCmdUI* pCmdUI)
{
    // Icon and text come together through the status bar's own record; the class library's
    // record of the same pane, which knows no icon, is left alone.
    CMainStatusCmdUI* pStatus = CMainStatusCmdUI::FromCmdUI(pCmdUI);
    if (pStatus == nullptr)
        return;
    const int nPort = pCmdUI->m_nID == ID_STATUS_PORT1 ? 0 : 1;
    pStatus->SetIcon(m_hPortIcon[nPort]);
    pStatus->SetText(m_strPortState[nPort][0]);
    pStatus->Enable(TRUE);
}

void CMainFrame::StopConnectionsForClose()
{
    m_bRunning[0] = m_bRunning[1] = 0;
    StopPortSession(0);
    StopPortSession(1);
    // One bound for the threads and their buffers: the close waits at most that long for the
    // connections, however many of them a DLL's call holds up.
    const DWORD kConnectionsEndMs = 5000;
    const DWORD dwStart = ::GetTickCount();
    StopPortSessionsAndWait(kConnectionsEndMs);
    // The threads unregister their buffers before they end; what is left was never
    // unregistered, and nothing will use it through the frame any more.
    while (!m_buffers.empty() && ::GetTickCount() - dwStart < kConnectionsEndMs) {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE);
    }
    m_buffers.clear();
}

BOOL CMainFrame::DestroyWindow()
{
    m_bClosing = 1;
    StopConnectionsForClose();
    // The records still waiting for their hourly file, the stop rows among them, go now, while
    // a question about them can still be asked.
    if (m_pLogView != NULL)
        m_pLogView->CloseRealtimeLog();
    NotifyTrayIcon(2, NULL);
    for (HICON& hIcon : m_hPortIcon) {
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
        hIcon = NULL;
    }
    CWinApp* pApp = AfxGetApp();
    const LPCSTR pszProfile = pApp->m_pszProfileName;
    BarStateSave(this, pApp->m_pszRegistryKey, pszProfile, pszProfile, NULL);
    CUiCmdManager* pManager = CmdManagerHolder::GetStoredHandle();
    pManager->ProfilePersist(pszProfile, pApp->m_pszRegistryKey, pszProfile, true);
    pManager->ProfileReleaseWindow(m_hWnd);
    SaveAppSettings(GetAppSettings());
    return CFrameWnd::DestroyWindow();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (!m_bClosing && m_wndMenuBar.GetSafeHwnd() != NULL && m_wndMenuBar.TranslateMenuKey(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED && GetAppSettings().m_nTaskTray == 2)
        ShowWindow(SW_HIDE);
}

void CMainFrame::OnSetFocus(CWnd*)
{
    if (m_pLogView != NULL && m_pLogView->GetSafeHwnd() != NULL)
        m_pLogView->SetFocus();
}

void CMainFrame::OnPaint()
{
    // The frame has no WS_CLIPCHILDREN: a plain ValidateRect would validate the log view
    // with it, and the view would never paint.
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_VALIDATE | RDW_NOCHILDREN);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (m_wndToolBar.GetSafeHwnd() != NULL)
        m_wndToolBar.UpdateWindow();
    CFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::OnShowWindowCmd()
{
    ShowWindow(SW_RESTORE);
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kTrayIconId)
        return 0;
    if (lParam == WM_LBUTTONDBLCLK) {
        OnShowWindowCmd();
        return 0;
    }
    if (lParam == WM_RBUTTONDOWN) {
        SetForegroundWindow();
        POINT pt;
        ::GetCursorPos(&pt);
        CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
        if (!pMenu->LoadMenuResource(m_hWnd, IDR_TRAY_MENU, TRUE) || !pMenu->TrackMenu(0x800, pt.x, pt.y))
            delete pMenu;
        PostMessage(WM_TRAY_NOTIFY, 0, 0);
        return 1;
    }
    return 0;
}

LRESULT CMainFrame::OnConstructBarsMenu(WPARAM wParam, LPARAM)
{
    // The framework lists its own bars; the status bar, a bar of the class library, joins
    // them at the end once they are in.
    auto* pData = reinterpret_cast<CUiControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
    if (pData != nullptr && (pData->m_bFlags & 0x01) && pData->m_pMenu != nullptr &&
        pData->IsControlBarMenuListEvent() && m_wndStatusBar.GetSafeHwnd() != NULL)
        pData->m_pMenu->ItemInsert(ID_FRAME_VIEW_STATUS_BAR, -1);
    return 0;
}

LRESULT CMainFrame::OnIgnoredApp(WPARAM, LPARAM)
{
    return 0;
}
