#include "comcontrolpane.h"

#include "appsettings.h"
#include "editorsettingsmodel.h"
#include "portsession.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CComControlPane, CUiResizableDialog)
    ON_COMMAND(ID_COM_RTS, OnRts)
    ON_COMMAND(ID_COM_DTR, OnDtr)
    ON_COMMAND(ID_COM_BRK, OnBreak)
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnDataClear)
    ON_COMMAND(ID_COM_FLUSH, OnDataFlush)
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
    ON_COMMAND_RANGE(ID_COM_IND_CTS, ID_COM_IND_BRK, OnIndicator)
    ON_UPDATE_COMMAND_UI(ID_COM_RTS, OnUpdateRts)
    ON_UPDATE_COMMAND_UI(ID_COM_DTR, OnUpdateDtr)
    ON_UPDATE_COMMAND_UI(ID_COM_BRK, OnUpdateBreak)
    ON_UPDATE_COMMAND_UI(ID_HEX_DATA_CLEAR, OnUpdateHasBytes)
    ON_UPDATE_COMMAND_UI(ID_COM_FLUSH, OnUpdateHasBytes)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateHasBytes)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE_AS, OnUpdateNotIdle)
    ON_UPDATE_COMMAND_UI(ID_HEX_DATA_ANALYSIS, OnUpdateNotIdle)
    ON_UPDATE_COMMAND_UI(ID_HEX_PROPERTIES, OnUpdateAlways)
END_MESSAGE_MAP()

namespace {

const UINT kCommandButtons[] = {
    ID_COM_RTS, ID_COM_DTR, ID_COM_BRK, 0, ID_HEX_DATA_CLEAR, ID_COM_FLUSH, 0,
    ID_HEX_SAVE_AS, ID_HEX_DATA_ANALYSIS, ID_HEX_SELECT_ALL, ID_HEX_COPY, ID_HEX_PROPERTIES,
};

} // namespace

CComControlPane::CComControlPane()
    : CUiResizableDialog(IDD_COM_CONTROL_PANE), m_nPort(0), m_pLineEvent(nullptr), m_bIdle(1), m_bRtsOn(0),
      m_bDtrOn(0), m_bBreakOn(0), m_pSettings(nullptr)
{
    m_fontIndicator.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
}

CComControlPane::~CComControlPane()
{
    delete m_pLineEvent;
}

void CComControlPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COM_EDITOR, m_wndEditor);
    DDX_Control(pDX, IDC_COM_TOOLBAR, m_wndCommandBar);
    DDX_Control(pDX, IDC_COM_INDICATORS, m_wndIndicatorBar);
}

BOOL CComControlPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    m_wndEditor.m_nPortIndex = m_nPort;
    m_wndCommandBar.SetButtonList(kCommandButtons, sizeof(kCommandButtons) / sizeof(kCommandButtons[0]));
    for (int i = 0; i < kLineIndicatorCount; ++i) {
        const LineIndicator& indicator = kLineIndicators[i];
        m_wndIndicatorBar.InsertButton(-1, 0, false);
        m_labels[i].Create(indicator.pszText, WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_CENTER, CRect(0, 0, 34, 16),
                           &m_wndIndicatorBar, indicator.nId);
        m_labels[i].SetLabelFont(&m_fontIndicator);
        m_wndIndicatorBar.InsertButton(-1, indicator.nId, false);
        // One layout for the whole row: laying it out after each label moves every label
        // placed before it again.
        m_wndIndicatorBar.AttachButtonControl(m_wndIndicatorBar.GetButtonsCount() - 1, &m_labels[i], true, false);
    }
    m_wndIndicatorBar.RequestFrameRecalcLayout();
    ShowLineWord(0);
    if (m_pSettings != nullptr)
        ApplyEditorSettings(*m_pSettings);
    ShowSizeGrip(false);
    LayoutPaneBars(this, IDC_COM_EDITOR);
    const CString strEvent = MakeThreadEventName("ThreadCom", GetStartTickCount(), ::GetCurrentProcessId(), m_nPort);
    m_pLineEvent = new CEvent(FALSE, FALSE, strEvent);
    return TRUE;
}

BOOL CComControlPane::DestroyWindow()
{
    delete m_pLineEvent;
    m_pLineEvent = nullptr;
    return CUiResizableDialog::DestroyWindow();
}

void CComControlPane::ApplyEditorSettings(const CAppSettings& settings)
{
    const int nEditor = m_nPort == 0 ? CAppSettings::EditorCom1 : CAppSettings::EditorCom2;
    ApplyEditorDisplaySettings(m_wndEditor.GetModel(), settings.m_editor[nEditor]);
    if (m_wndEditor.GetSafeHwnd() == NULL)
        return;
    m_wndEditor.RecalcLayout();
    m_wndEditor.RedrawWindow();
}

LRESULT CComControlPane::OnLineAction(UINT nAction, LPARAM lParam)
{
    switch (nAction) {
    case kReset:
        Reset(false);
        return 0;
    case kEnded:
        Reset(true);
        return 0;
    case kShowLineWord:
        ShowLineWord((DWORD)lParam);
        return 0;
    case kNextCommand: {
        if (m_queue.empty())
            return 0;
        const int nCommand = m_queue.front();
        m_queue.pop_front();
        return nCommand;
    }
    case kShowBuffer:
        if (lParam != 0 && m_wndEditor.GetSafeHwnd() != NULL)
            m_wndEditor.SetData(*reinterpret_cast<const COleSafeArray*>(lParam));
        return 0;
    default:
        return 0;
    }
}

void CComControlPane::ShowLineWord(DWORD dwWord)
{
    for (int i = 0; i < kLineIndicatorCount; ++i)
        m_labels[i].SetBkColor(LineIndicatorColor(kLineIndicators[i], dwWord));
}

void CComControlPane::Reset(bool bIdle)
{
    m_queue.clear();
    ShowLineWord(0);
    m_bRtsOn = m_bDtrOn = m_bBreakOn = 0;
    if (m_wndEditor.GetSafeHwnd() != NULL)
        m_wndEditor.SetData(COleSafeArray());
    m_bIdle = bIdle ? 1 : 0;
}

void CComControlPane::Queue(int nCommand)
{
    m_queue.push_back(nCommand);
    if (m_pLineEvent != nullptr)
        m_pLineEvent->SetEvent();
}

void CComControlPane::Toggle(int& bOn, int nOn, int nOff)
{
    Queue(bOn ? nOff : nOn);
    bOn = !bOn;
}

bool CComControlPane::HasBytes() const
{
    return m_wndEditor.GetModel().GetDataSize() > 0;
}

void CComControlPane::OnRts()
{
    Toggle(m_bRtsOn, kSetRts, kClearRts);
}

void CComControlPane::OnDtr()
{
    Toggle(m_bDtrOn, kSetDtr, kClearDtr);
}

void CComControlPane::OnBreak()
{
    Toggle(m_bBreakOn, kSetBreak, kClearBreak);
}

void CComControlPane::OnDataClear()
{
    m_wndEditor.SetData(COleSafeArray());
    Queue(kDropBuffered);
}

void CComControlPane::OnDataFlush()
{
    m_wndEditor.SetData(COleSafeArray());
    Queue(kFlushBuffered);
}

void CComControlPane::OnSelectAll()
{
    m_wndEditor.SetFocus();
    m_wndEditor.OnSelectAll();
}

void CComControlPane::OnCopy()
{
    m_wndEditor.SetFocus();
    m_wndEditor.OnCopy();
}

void CComControlPane::OnSaveAs()
{
    m_wndEditor.OnSaveAs();
}

void CComControlPane::OnDataAnalysis()
{
    m_wndEditor.OnDataAnalysis();
}

void CComControlPane::OnProperties()
{
    m_wndEditor.OnProperties();
}

void CComControlPane::OnIndicator(UINT) {}

namespace {

// A toggle: disabled and unchecked while idle (its mark is cleared then), else enabled and
// checked when on.
void UpdateToggle(CCmdUI* pCmdUI, int bIdle, int& bOn)
{
    if (bIdle)
        bOn = 0;
    pCmdUI->Enable(!bIdle);
    pCmdUI->SetCheck(bOn ? 1 : 0);
}

} // namespace

void CComControlPane::OnUpdateRts(CCmdUI* pCmdUI)
{
    UpdateToggle(pCmdUI, m_bIdle, m_bRtsOn);
}

void CComControlPane::OnUpdateDtr(CCmdUI* pCmdUI)
{
    UpdateToggle(pCmdUI, m_bIdle, m_bDtrOn);
}

void CComControlPane::OnUpdateBreak(CCmdUI* pCmdUI)
{
    UpdateToggle(pCmdUI, m_bIdle, m_bBreakOn);
}

void CComControlPane::OnUpdateHasBytes(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bIdle && HasBytes());
}

void CComControlPane::OnUpdateCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bIdle && !m_wndEditor.HasNoSelection());
}

void CComControlPane::OnUpdateNotIdle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bIdle);
}

void CComControlPane::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
