#include "sendeditorpane.h"

#include "droppedpath.h"
#include "hexpanesettings.h"
#include "resource.h"

namespace {
const UINT_PTR kToolBarTimer = 1;
const UINT kToolBarTimerMs = 200;
} // namespace

BEGIN_MESSAGE_MAP(CSendEditorPane, CUiResizableDialog)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnDataClear)
    ON_COMMAND(ID_HEX_READ_FILE, OnReadFile)
    ON_COMMAND(ID_HEX_SAVE, OnSave)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE, OnUpdateSave)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_HEX_TEXT_INPUT, OnTextInput)
    ON_UPDATE_COMMAND_UI(ID_HEX_TEXT_INPUT, OnUpdateAlways)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateSelection)
    ON_COMMAND(ID_HEX_CUT, OnCut)
    ON_UPDATE_COMMAND_UI(ID_HEX_CUT, OnUpdateSelection)
    ON_COMMAND(ID_HEX_PASTE, OnPaste)
    ON_UPDATE_COMMAND_UI(ID_HEX_PASTE, OnUpdatePaste)
    ON_COMMAND(ID_HEX_UNDO, OnUndo)
    ON_UPDATE_COMMAND_UI(ID_HEX_UNDO, OnUpdateUndo)
    ON_COMMAND(ID_HEX_REDO, OnRedo)
    ON_UPDATE_COMMAND_UI(ID_HEX_REDO, OnUpdateRedo)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
END_MESSAGE_MAP()

CSendEditorPane::CSendEditorPane() : CUiResizableDialog(IDD_SEND_EDITOR_PANE), m_pSettings(NULL)
{
    // The template's toolbar and editor need their window classes before the pane is made.
    CUiControlBar::RegisterBarWindowClass();
    CHexEdit::RegisterWndClass();
}

CSendEditorPane::~CSendEditorPane()
{
}

void CSendEditorPane::SetTitleTarget(CWnd* pWnd)
{
    m_editor.SetTitleWindow(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL);
}

void CSendEditorPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEND_EDITOR, m_editor);
    DDX_Control(pDX, IDC_SEND_EDITOR_TOOLBAR, m_toolBar);
}

BOOL CSendEditorPane::PreTranslateMessage(MSG* pMsg)
{
    return CUiResizableDialog::PreTranslateMessage(pMsg);
}

int CSendEditorPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUiResizableDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    return 0;
}

BOOL CSendEditorPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    static const UINT kButtons[] = {ID_HEX_DATA_CLEAR, ID_HEX_READ_FILE, ID_HEX_SAVE, ID_HEX_SAVE_AS,
                                    ID_HEX_TEXT_INPUT, ID_HEX_DATA_ANALYSIS, ID_HEX_MARKER, ID_HEX_MARKER_INFO,
                                    ID_HEX_UNDO, ID_HEX_REDO, ID_HEX_SELECT_ALL, ID_HEX_COPY,
                                    ID_HEX_CUT, ID_HEX_PASTE, ID_HEX_PROPERTIES};
    m_toolBar.SetButtonList(kButtons, sizeof(kButtons) / sizeof(kButtons[0]));
    ShowSizeGrip(false);
    LayoutPaneBars(this, IDC_SEND_EDITOR);
    if (m_pSettings != NULL)
        ApplyEditorSettings(*m_pSettings);
    SetTimer(kToolBarTimer, kToolBarTimerMs, NULL);
    return TRUE;
}

void CSendEditorPane::ApplyEditorSettings(const CAppSettings& settings)
{
    ApplyHexPaneSettings(m_editor, settings.m_editor[CAppSettings::EditorSend]);
}

void CSendEditorPane::OnTimer(UINT_PTR nIDEvent)
{
    if (::IsWindow(m_toolBar.GetSafeHwnd()))
        m_toolBar.UpdateWindow();
    CUiResizableDialog::OnTimer(nIDEvent);
}

LRESULT CSendEditorPane::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DROPFILES)
        return CUiResizableDialog::DefWindowProc(message, wParam, lParam);
    HDROP hDrop = reinterpret_cast<HDROP>(wParam);
    CString path;
    if (FirstDroppedPath(hDrop, path) > 0)
        m_editor.SendMessage(WM_HEXSEND_LOADFILE, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(path)));
    ::DragFinish(hDrop);
    return 0;
}

// ---------------------------------------------------------------------------------------
// Commands: each is the editor's own; those that act on the selection or the caret give the
// editor the focus first.

void CSendEditorPane::OnDataClear() { m_editor.OnDataClear(); }
void CSendEditorPane::OnReadFile() { m_editor.OnReadFile(); }
void CSendEditorPane::OnSave() { m_editor.SaveFile(); }
void CSendEditorPane::OnSaveAs() { m_editor.OnSaveAs(); }
void CSendEditorPane::OnTextInput() { m_editor.OnTextInput(); }
void CSendEditorPane::OnMarker() { m_editor.OnMarker(); }
void CSendEditorPane::OnMarkerInfo() { m_editor.OnMarkerInfo(); }
void CSendEditorPane::OnProperties() { m_editor.OnProperties(); }

void CSendEditorPane::OnCopy()
{
    m_editor.SetFocus();
    m_editor.Copy();
}

void CSendEditorPane::OnCut()
{
    m_editor.SetFocus();
    m_editor.Cut();
}

void CSendEditorPane::OnPaste()
{
    m_editor.SetFocus();
    m_editor.Paste();
}

void CSendEditorPane::OnUndo()
{
    m_editor.SetFocus();
    m_editor.Undo();
}

void CSendEditorPane::OnRedo()
{
    m_editor.SetFocus();
    m_editor.Redo();
}

void CSendEditorPane::OnDataAnalysis()
{
    m_editor.SetFocus();
    m_editor.OnDataAnalysis();
}

void CSendEditorPane::OnSelectAll()
{
    m_editor.SetFocus();
    m_editor.SelectAll();
}

void CSendEditorPane::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_editor.GetDocumentPath().IsEmpty());
}

void CSendEditorPane::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CSendEditorPane::OnUpdateSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_editor.HasNoSelection());
}

void CSendEditorPane::OnUpdatePaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CHexEdit::CanPaste());
}

void CSendEditorPane::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_editor.CanUndo());
}

void CSendEditorPane::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_editor.CanRedo());
}

void CSendEditorPane::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_editor.GetModel().GetDataSize() > 0);
}
