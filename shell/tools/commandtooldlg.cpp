#include "commandtooldlg.h"

#include "commandrunner.h"
#include "messagetext.h"
#include "resource.h"
#include "tooldialog.h"
#include "workerthread.h"

namespace {

// Draining the pipe takes turns with the message loop: a pass stops after this long, or as
// soon as a key or a button is pressed, and a timer (the lowest of the loop's messages) brings
// the next once the loop has had its turn, rest included: the pause starts at the timer's
// first tick, which comes only once the loop has worked off what the pass left queued (the
// reports, the output's paint). A pause counted from the pass's end can be over before that
// work is (a slow machine, a long output to paint), and then the loop would never come to rest
// (no idle work, no wait for the program to be idle answered) while a command writes.
const UINT_PTR kDrainTimer = 1;
const DWORD kDrainPassMs = 100;
const UINT kDrainPauseMs = 10;
// The edit control's own work for an addition grows with all it holds: the output goes in
// pieces of this size, few enough to cost little, small enough to keep a pass short.
const int kDrainPieceBytes = 64 * 1024;
// Within a pass, how long to wait for a command that is writing to write again.
const DWORD kDrainWaitMs = 5;

// The commands offered, ended by an empty name; a command's index is its place here.
const char* const kCommands[] = {"mode", ""};

int CommandIndexOf(const CString& name)
{
    for (int i = 0; kCommands[i][0] != '\0'; ++i) {
        if (name == kCommands[i])
            return i;
    }
    return 0;
}

CString ElapsedText(int nMessage, DWORD dwElapsed)
{
    CString text;
    text.Format(GetMessageText(nMessage), static_cast<int>(dwElapsed / 1000), static_cast<int>(dwElapsed % 1000));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CCommandToolDlg, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, IDC_CMDTOOL_TREE, OnCommandSelected)
    ON_EN_CHANGE(IDC_CMDTOOL_PARAM, OnParamChange)
    ON_EN_CHANGE(IDC_CMDTOOL_HOST, OnHostChange)
    ON_MESSAGE(WM_COMMAND_OUTPUT, OnCommandOutput)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CCommandToolDlg::CCommandToolDlg(CWnd* pParent)
    : CDialog(IDD_COMMAND_TOOL, pParent), m_nCommand(0), m_dwStartTick(0),
      m_hStop(::CreateEventA(NULL, FALSE, FALSE, NULL)), m_hRead(NULL), m_hWrite(NULL), m_bHelp(FALSE),
      m_bRunning(FALSE), m_crWindow(::GetSysColor(COLOR_WINDOW)), m_crInfo(RGB(255, 255, 224)), m_hWorker(NULL),
      m_bDrainHelp(false), m_bDrainScheduled(false), m_bDrainCaughtUp(false), m_hFocusBeforeRun(NULL)
{
    m_params[0] = "com1";
    CreateToolFont(m_font);
    m_windowBrush.CreateSolidBrush(m_crWindow);
    m_infoBrush.CreateSolidBrush(m_crInfo);
}

CCommandToolDlg::~CCommandToolDlg()
{
    StopWorker();
    ClosePipe();
    ::CloseHandle(m_hStop);
}

void CCommandToolDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_run);
    DDX_Control(pDX, IDC_CMDTOOL_STATUS, m_status);
    DDX_Control(pDX, IDC_CMDTOOL_TREE, m_tree);
    DDX_Control(pDX, IDC_CMDTOOL_OUTPUT, m_output);
    DDX_Control(pDX, IDC_CMDTOOL_PARAM, m_param);
    DDX_Control(pDX, IDC_CMDTOOL_HOST, m_host);
    DDX_Control(pDX, IDC_CMDTOOL_HELP_OUTPUT, m_helpOutput);
    DDX_Control(pDX, IDC_CMDTOOL_COMMAND_LINE, m_commandLine);
}

BOOL CCommandToolDlg::OnInitDialog()
{
    SetToolIcons(this);
    CDialog::OnInitDialog();
    m_tree.SetFont(&m_font, TRUE);
    CEdit* const edits[] = {&m_status, &m_output, &m_param, &m_host, &m_helpOutput, &m_commandLine};
    for (CEdit* pEdit : edits)
        pEdit->SetFont(&m_font, TRUE);
    // Output of any length is shown whole.
    m_output.SetLimitText(0);
    m_helpOutput.SetLimitText(0);

    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
    m_bitmap.LoadBitmap(IDB_SETTINGS_TREE);
    m_images.Add(&m_bitmap, RGB(0, 0, 0));
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    for (int i = 0; kCommands[i][0] != '\0'; ++i)
        m_tree.InsertItem(kCommands[i], 0, 1);

    UpdateControls();
    m_host.SetWindowText("localhost");
    GetDlgItem(IDC_CMDTOOL_HOST_LABEL)->ShowWindow(SW_HIDE);
    m_host.ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CCommandToolDlg::DestroyWindow()
{
    StopWorker();
    ClosePipe();
    return CDialog::DestroyWindow();
}

void CCommandToolDlg::UpdateControls()
{
    // None of the offered commands takes a host.
    m_host.EnableWindow(FALSE);
    m_param.SetWindowText(m_params[m_nCommand]);
    m_output.SetWindowText("");
    m_helpOutput.SetWindowText("");
}

void CCommandToolDlg::UpdateCommandLine()
{
    CString line;
    line.Format("%s %s", kCommands[m_nCommand], static_cast<LPCSTR>(m_params[m_nCommand]));
    if (!line.IsEmpty())
        m_commandLine.SetWindowText(line);
}

void CCommandToolDlg::OnCommandSelected(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEWA* pTree = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    m_nCommand = CommandIndexOf(m_tree.GetItemText(pTree->itemNew.hItem));
    m_status.SetWindowText("");
    UpdateControls();
    UpdateCommandLine();
    CString help = kCommands[m_nCommand];
    help += " /?";
    m_bHelp = TRUE;
    StartCommand(help);
    *pResult = 0;
}

void CCommandToolDlg::OnParamChange()
{
    m_param.GetWindowText(m_params[m_nCommand]);
    UpdateCommandLine();
}

void CCommandToolDlg::OnHostChange()
{
    UpdateCommandLine();
}

void CCommandToolDlg::OnOK()
{
    // The dialog never closes through the run button.
    if (m_bRunning) {
        ::SetEvent(m_hStop);
        return;
    }
    m_output.SetWindowText("");
    CString command;
    m_commandLine.GetWindowText(command);
    StartCommand(command);
}

void CCommandToolDlg::SetRunningState(bool bRunning)
{
    m_run.SetWindowText(GetMessageText(bRunning ? 13032 : 13033));
    // A control greyed while it has the focus takes the keyboard with it: the dialog would
    // answer no Esc or Tab until clicked. The run button holds the focus for the run and
    // gives it back when the run ends, unless the user has moved it meanwhile.
    const HWND hFocus = ::GetFocus();
    if (bRunning && (hFocus == m_tree.m_hWnd || hFocus == m_param.m_hWnd)) {
        m_hFocusBeforeRun = hFocus;
        GotoDlgCtrl(&m_run);
    }
    m_tree.EnableWindow(!bRunning);
    m_param.EnableWindow(!bRunning);
    if (!bRunning) {
        if (m_hFocusBeforeRun != NULL && hFocus == m_run.m_hWnd)
            GotoDlgCtrl(CWnd::FromHandle(m_hFocusBeforeRun));
        m_hFocusBeforeRun = NULL;
    }
    if (bRunning)
        m_host.EnableWindow(FALSE);
}

void CCommandToolDlg::StartCommand(const CString& strCommand)
{
    StopWorker();
    ClosePipe();
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    if (!::CreatePipe(&m_hRead, &m_hWrite, &sa, 4096)) {
        m_hRead = m_hWrite = NULL;
        AfxMessageBox(GetMessageText(13040), MB_OK);
        return;
    }
    // The interpreter inherits only the end it writes its output to.
    ::SetHandleInformation(m_hRead, HANDLE_FLAG_INHERIT, 0);
    SetRunningState(true);
    m_dwStartTick = ::GetTickCount();
    m_bRunning = TRUE;
    // A stop pressed just as the previous command ended must not stop this one.
    ::ResetEvent(m_hStop);

    CommandRunParams* pParams = new CommandRunParams{m_hWnd, strCommand, m_hStop, m_hWrite};
    m_hWorker = BeginWorkerThread(CommandRunnerThread, pParams, THREAD_PRIORITY_NORMAL);
    if (m_hWorker == NULL) {
        delete pParams;
        PostMessage(WM_COMMAND_OUTPUT, 0, 2);
    }
}

void CCommandToolDlg::StopWorker()
{
    if (m_hWorker == NULL)
        return;
    ::SetEvent(m_hStop);
    ::WaitForSingleObject(m_hWorker, INFINITE);
    ::CloseHandle(m_hWorker);
    m_hWorker = NULL;
    m_bRunning = FALSE;
    m_bHelp = FALSE;
    MSG msg;
    while (m_hWnd != NULL && ::PeekMessageA(&msg, m_hWnd, WM_COMMAND_OUTPUT, WM_COMMAND_OUTPUT, PM_REMOVE)) {
    }
}

void CCommandToolDlg::ClosePipe()
{
    if (m_hWnd != NULL)
        KillTimer(kDrainTimer);
    m_bDrainScheduled = false;
    m_outputText.Reset();
    if (m_hRead != NULL)
        ::CloseHandle(m_hRead);
    if (m_hWrite != NULL)
        ::CloseHandle(m_hWrite);
    m_hRead = m_hWrite = NULL;
}

LRESULT CCommandToolDlg::OnCommandOutput(WPARAM wParam, LPARAM lParam)
{
    const DWORD dwElapsed = ::GetTickCount() - m_dwStartTick;
    const bool bHelp = m_bHelp != FALSE;
    if (wParam == 1) {
        m_status.SetWindowText(ElapsedText(13035, dwElapsed));
        // While the command keeps writing the timed passes drain it; the report only counts.
        if (m_bDrainScheduled)
            return 0;
    } else if (wParam == 0) {
        // The worker's last word: its thread handle is of no more use.
        if (m_hWorker != NULL) {
            ::CloseHandle(m_hWorker);
            m_hWorker = NULL;
        }
        CString status = GetMessageText(bHelp ? 13036 : 13037);
        if (lParam == 1)
            status += GetMessageText(13038);
        else if (lParam == 2)
            status += GetMessageText(13039);
        status += ElapsedText(13034, dwElapsed);
        m_status.SetWindowText(status);
        SetForegroundWindow();
        m_bHelp = FALSE;
        m_bRunning = FALSE;
        SetRunningState(false);
    }
    DrainPipe(bHelp);
    return 0;
}

void CCommandToolDlg::DrainPipe(bool bHelp)
{
    KillTimer(kDrainTimer);
    m_bDrainScheduled = false;
    CEdit& target = bHelp ? m_helpOutput : m_output;
    const DWORD dwStart = ::GetTickCount();
    DWORD dwLastRead = 0;
    bool bRead = false;
    // What is read goes into the edit in pieces of some size: each addition costs the edit
    // about the length of all it holds.
    CString strPiece;
    char buffer[4096];
    // The pass ends when its time is up, or sooner when the user has pressed a key or a button.
    // Once the worker has ended no report brings another pass, so then what is left is taken
    // whatever input waits (the release of the key that ran the command is enough).
    const bool bEnded = m_hWorker == NULL;
    while (m_hRead != NULL && ::GetTickCount() - dwStart < kDrainPassMs && (bEnded || !::GetInputState())) {
        DWORD dwWaiting = 0;
        if (!::PeekNamedPipe(m_hRead, NULL, 0, NULL, &dwWaiting, NULL))
            break;
        if (dwWaiting == 0) {
            // A command that has just written usually writes again at once; one that has
            // not written in this pass is left to the next report.
            if (!bRead || ::GetTickCount() - dwLastRead >= kDrainWaitMs)
                break;
            ::Sleep(1);
            continue;
        }
        DWORD dwRead = 0;
        if (!::ReadFile(m_hRead, buffer, sizeof(buffer) - 1, &dwRead, NULL) || dwRead == 0)
            break;
        strPiece += m_outputText.Take(buffer, static_cast<int>(dwRead));
        bRead = true;
        dwLastRead = ::GetTickCount();
        if (strPiece.GetLength() >= kDrainPieceBytes) {
            AppendOutput(target, strPiece);
            strPiece.Empty();
        }
    }
    AppendOutput(target, strPiece);
    if (bRead) {
        m_bDrainHelp = bHelp;
        m_bDrainCaughtUp = false;
        m_bDrainScheduled = SetTimer(kDrainTimer, kDrainPauseMs, NULL) != 0;
    }
}

void CCommandToolDlg::AppendOutput(CEdit& target, const CString& strText)
{
    if (strText.IsEmpty())
        return;
    // Appended at the end: taking the whole text and setting it again costs the length of
    // everything shown so far at every piece.
    const int nLength = target.GetWindowTextLength();
    target.SetSel(nLength, nLength, TRUE);
    target.ReplaceSel(strText, FALSE);
}

void CCommandToolDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDrainTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (!m_bDrainCaughtUp) {
        m_bDrainCaughtUp = true;
        m_bDrainScheduled = SetTimer(kDrainTimer, kDrainPauseMs, NULL) != 0;
        return;
    }
    DrainPipe(m_bDrainHelp);
}

void CCommandToolDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // The first sizes arrive while the dialog is being created, before the field is bound.
    if (m_output.m_hWnd == NULL)
        return;
    CRect rc;
    m_output.GetWindowRect(&rc);
    ScreenToClient(&rc);
    m_output.MoveWindow(rc.left, rc.top, cx - 16, cy - 306);
}

void CCommandToolDlg::OnClose()
{
    if (m_bRunning)
        return;
    CDialog::OnClose();
}

HBRUSH CCommandToolDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (pWnd != NULL ? pWnd->GetDlgCtrlID() : 0) {
    case IDC_CMDTOOL_COMMAND_LINE:
    case IDC_CMDTOOL_STATUS:
    case IDC_CMDTOOL_HELP_OUTPUT:
        pDC->SetBkColor(m_crInfo);
        return static_cast<HBRUSH>(m_infoBrush.GetSafeHandle());
    case IDC_CMDTOOL_TREE:
    case IDC_CMDTOOL_OUTPUT:
        pDC->SetBkColor(m_crWindow);
        return static_cast<HBRUSH>(m_windowBrush.GetSafeHandle());
    default:
        return hbr;
    }
}
