#include "detaillogpane.h"

#include "detaillogmodel.h"
#include "hexpanesettings.h"
#include "resource.h"

namespace {
const UINT_PTR kToolBarTimer = 1;
const UINT kToolBarTimerMs = 200;
} // namespace

BEGIN_MESSAGE_MAP(CDetailLogPane, CUiResizableDialog)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_SHOW_LOG_RECORD, OnShowLogRecord)
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateCopy)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_UPDATE_COMMAND_UI(ID_HEX_DATA_ANALYSIS, OnUpdateDumpOnly)
    ON_COMMAND(ID_HEX_SEND_TO_SEND_EDITOR, OnSendToSendEditor)
    ON_UPDATE_COMMAND_UI(ID_HEX_SEND_TO_SEND_EDITOR, OnUpdateDumpOnly)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE_AS, OnUpdateDumpOnly)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateMarker)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER_INFO, OnUpdateDumpOnly)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

CDetailLogPane::CDetailLogPane()
    : CUiResizableDialog(IDD_DETAIL_LOG_PANE), m_nViewMode(kTextView), m_crText(0), m_crBack(0xFFFFFF),
      m_pSettings(NULL)
{
    CUiControlBar::RegisterBarWindowClass();
    CHexEdit::RegisterWndClass();
}

CDetailLogPane::~CDetailLogPane()
{
}

void CDetailLogPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DETAIL_EDITOR, m_editor);
    DDX_Control(pDX, IDC_DETAIL_TEXT, m_textView);
    DDX_Control(pDX, IDC_DETAIL_TOOLBAR, m_toolBar);
}

int CDetailLogPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CUiResizableDialog::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

BOOL CDetailLogPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    static const UINT kButtons[] = {ID_HEX_SAVE_AS, ID_HEX_SEND_TO_SEND_EDITOR, ID_HEX_DATA_ANALYSIS, ID_HEX_MARKER,
                                    ID_HEX_MARKER_INFO, ID_HEX_SELECT_ALL, ID_HEX_COPY, ID_HEX_PROPERTIES};
    m_toolBar.SetButtonList(kButtons, sizeof(kButtons) / sizeof(kButtons[0]));
    ShowSizeGrip(false);
    // Both views take the whole area below the toolbar, one over the other.
    LayoutPaneBars(this, IDC_DETAIL_EDITOR);
    LayoutPaneBars(this, IDC_DETAIL_TEXT);
    if (m_pSettings != NULL)
        ApplyEditorSettings(*m_pSettings);
    m_editor.SetEditable(FALSE);
    m_editor.ShowWindow(SW_HIDE);
    SetTimer(kToolBarTimer, kToolBarTimerMs, NULL);
    return TRUE;
}

void CDetailLogPane::ApplyEditorSettings(const CAppSettings& settings)
{
    const CEditorDisplaySettings& display = settings.m_editor[CAppSettings::EditorDump];
    ApplyHexPaneSettings(m_editor, display);
    m_crText = display.clrText;
    m_crBack = display.clrBack;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(m_crBack);
    CFont font;
    font.CreateFont(m_editor.GetModel().m_nFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
    if (::IsWindow(m_textView.GetSafeHwnd()))
        m_textView.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    // The view holds the new font now; the old one can go.
    m_font.DeleteObject();
    m_font.Attach(font.Detach());
}

void CDetailLogPane::OnTimer(UINT_PTR nIDEvent)
{
    if (::IsWindow(m_toolBar.GetSafeHwnd()))
        m_toolBar.UpdateWindow();
    CUiResizableDialog::OnTimer(nIDEvent);
}

HBRUSH CDetailLogPane::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CUiResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != NULL && pWnd->GetDlgCtrlID() == IDC_DETAIL_TEXT && nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(m_crBack);
        pDC->SetTextColor(m_crText);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return hBrush;
}

void CDetailLogPane::ShowView(int nMode)
{
    m_nViewMode = nMode;
    m_textView.ShowWindow(nMode == kTextView ? SW_SHOW : SW_HIDE);
    m_editor.ShowWindow(nMode == kDumpView ? SW_SHOW : SW_HIDE);
}

LRESULT CDetailLogPane::OnShowLogRecord(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 1) {
        ShowView(kTextView);
        m_textView.SetWindowText("");
        return 0;
    }
    const CCommLogRecord* pRecord = reinterpret_cast<const CCommLogRecord*>(lParam);
    if (pRecord == NULL)
        return 0;
    switch (pRecord->m_nKind) {
    case 1:
    case 2:
        ShowView(kDumpView);
        m_editor.SetData(pRecord->m_data);
        break;
    case 0:
        ShowView(kTextView);
        m_textView.SetWindowText(BuildMessageDetailText(*pRecord));
        break;
    default:
        break;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// Commands: select all, copy and properties serve both views; the rest only the bytes.

void CDetailLogPane::OnSelectAll()
{
    if (m_nViewMode == kTextView) {
        m_textView.SetFocus();
        m_textView.OnSelectAll();
    } else {
        m_editor.SetFocus();
        m_editor.SelectAll();
    }
}

void CDetailLogPane::OnCopy()
{
    if (m_nViewMode == kTextView) {
        m_textView.SetFocus();
        m_textView.SendMessage(WM_COPY);
    } else {
        m_editor.SetFocus();
        m_editor.Copy();
    }
}

void CDetailLogPane::OnDataAnalysis()
{
    if (m_nViewMode != kDumpView)
        return;
    m_editor.SetFocus();
    m_editor.OnDataAnalysis();
}

void CDetailLogPane::OnSendToSendEditor()
{
    if (m_nViewMode != kDumpView)
        return;
    m_editor.SetFocus();
    m_editor.OnSendToSendEditor();
}

void CDetailLogPane::OnSaveAs()
{
    if (m_nViewMode != kDumpView)
        return;
    m_editor.SetFocus();
    m_editor.OnSaveAs();
}

void CDetailLogPane::OnMarker()
{
    if (m_nViewMode == kDumpView)
        m_editor.OnMarker();
}

void CDetailLogPane::OnMarkerInfo()
{
    if (m_nViewMode == kDumpView)
        m_editor.OnMarkerInfo();
}

void CDetailLogPane::OnProperties()
{
    if (m_nViewMode == kTextView)
        m_textView.OnProperties();
    else
        m_editor.OnProperties();
}

void CDetailLogPane::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    if (m_nViewMode == kTextView)
        pCmdUI->Enable(EditHasText(m_textView.GetSafeHwnd()));
    else
        pCmdUI->Enable(m_editor.GetModel().GetDataSize() > 0);
}

void CDetailLogPane::OnUpdateCopy(CCmdUI* pCmdUI)
{
    if (m_nViewMode == kTextView)
        pCmdUI->Enable(EditHasSelection(m_textView.GetSafeHwnd()));
    else
        pCmdUI->Enable(!m_editor.HasNoSelection());
}

void CDetailLogPane::OnUpdateDumpOnly(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nViewMode == kDumpView);
}

void CDetailLogPane::OnUpdateMarker(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nViewMode == kDumpView && !m_editor.HasNoSelection());
}
