#include "scriptpane.h"

#include <vector>

#include "afxdlgs.h"
#include "defaultscript.h"
#include "droppedpath.h"
#include "hexfileio.h"
#include "messagetext.h"
#include "resource.h"

namespace {
const UINT kEditorId = 101;
const int kToolBarHeight = 24;
const char kScriptFilter[] = "Lua Script(*.lua)|*.lua|All Files(*.*)|*.*||";
// A script file larger than this is no script.
const ULONGLONG kMaxScriptFile = 0x7FFFFFFE;
} // namespace

BEGIN_MESSAGE_MAP(CScriptPane, CUiResizableDialog)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnNewScript)
    ON_COMMAND(ID_HEX_READ_FILE, OnLoadScript)
    ON_COMMAND(ID_HEX_SAVE, OnSave)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE, OnUpdateSave)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveScriptAs)
END_MESSAGE_MAP()

CScriptPane::CScriptPane() : CUiResizableDialog(IDD_SCRIPT_PANE), m_hTitleWnd(NULL), m_pEditor(NULL)
{
    CUiControlBar::RegisterBarWindowClass();
    m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, NULL);
}

CScriptPane::~CScriptPane()
{
    delete m_pEditor;
}

void CScriptPane::DoDataExchange(CDataExchange* pDX)
{
    CUiResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCRIPT_TOOLBAR, m_toolBar);
}

int CScriptPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CUiResizableDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    return 0;
}

BOOL CScriptPane::OnInitDialog()
{
    CUiResizableDialog::OnInitDialog();
    static const UINT kButtons[] = {ID_HEX_DATA_CLEAR, ID_HEX_READ_FILE, ID_HEX_SAVE, ID_HEX_SAVE_AS};
    m_toolBar.SetButtonList(kButtons, sizeof(kButtons) / sizeof(kButtons[0]));
    ShowSizeGrip(false);
    LayoutPaneBars(this, 0);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);

    m_pEditor = new ColorEditWnd(this, CRect(100, 100, 200, 200), kEditorId, 4, TRUE);
    m_pEditor->AddCharSpacing(2);
    FillScriptKeywords();
    m_pEditor->SetKeywordSet(&ScriptKeywordSet());
    m_pEditor->SetSelectionBkColor(0);
    m_pEditor->m_bReadOnly = FALSE;
    m_pEditor->SetText(DefaultScriptText());
    m_pEditor->ClearUndoHistory();
    CRect rc;
    GetClientRect(&rc);
    m_pEditor->MoveWindow(0, kToolBarHeight, rc.Width(), rc.Height() - kToolBarHeight);
    m_pEditor->SetFocus();
    return TRUE;
}

void CScriptPane::OnSize(UINT nType, int cx, int cy)
{
    CUiResizableDialog::OnSize(nType, cx, cy);
    if (m_pEditor != NULL && ::IsWindow(m_pEditor->GetSafeHwnd()))
        m_pEditor->MoveWindow(0, kToolBarHeight, cx, cy - kToolBarHeight, TRUE);
}

// ---------------------------------------------------------------------------------------
// Title

void CScriptPane::SetTitleTarget(LPCSTR lpszBase, CWnd* pWnd)
{
    m_strTitleBase = lpszBase;
    m_hTitleWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
}

CString CScriptPane::GetTitleText() const
{
    CString title = m_strTitleBase;
    if (!m_strPath.IsEmpty()) {
        title += " - ";
        title += m_strPath;
    }
    return title;
}

void CScriptPane::UpdateTitle()
{
    if (m_hTitleWnd != NULL)
        ::SetWindowTextA(m_hTitleWnd, GetTitleText());
}

// ---------------------------------------------------------------------------------------
// Text

void CScriptPane::SetEditorText(LPCSTR lpszText)
{
    m_pEditor->ResetContent();
    m_pEditor->SetText(lpszText);
    m_pEditor->ClearUndoHistory();
}

COleSafeArray CScriptPane::GetScriptText() const
{
    CString text;
    if (m_pEditor != NULL)
        m_pEditor->GetText(text);
    COleSafeArray bytes;
    bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(text.GetLength()), static_cast<LPCSTR>(text));
    return bytes;
}

void CScriptPane::SetScriptText(COleSafeArray bytes)
{
    std::vector<char> text;
    if (bytes.vt == (VT_ARRAY | VT_UI1) && bytes.parray != NULL) {
        const DWORD size = bytes.GetOneDimSize();
        void* p = NULL;
        bytes.AccessData(&p);
        text.assign(static_cast<const char*>(p), static_cast<const char*>(p) + size);
        bytes.UnaccessData();
    }
    if (text.empty()) {
        SetEditorText(DefaultScriptText());
    } else {
        text.push_back('\0');
        SetEditorText(text.data());
    }
    m_strPath.Empty();
    UpdateTitle();
}

// ---------------------------------------------------------------------------------------
// Files

BOOL CScriptPane::LoadScriptFile(LPCSTR path)
{
    std::vector<BYTE> content;
    if (!HexReadWholeFile(path, 0, kMaxScriptFile, content)) {
        AfxMessageBox(GetMessageText(13021), MB_ICONERROR);
        return FALSE;
    }
    content.push_back('\0');
    SetEditorText(reinterpret_cast<const char*>(content.data()));
    m_strPath = path;
    UpdateTitle();
    return TRUE;
}

BOOL CScriptPane::SaveScriptFile()
{
    if (m_strPath.IsEmpty())
        return FALSE;
    CString text;
    m_pEditor->GetText(text);
    if (text.IsEmpty()) {
        AfxMessageBox(GetMessageText(13089), MB_ICONERROR);
        return FALSE;
    }
    if (!HexWriteWholeFile(m_strPath, static_cast<LPCSTR>(text), static_cast<UINT>(text.GetLength()))) {
        AfxMessageBox(GetMessageText(13022), MB_ICONERROR);
        return FALSE;
    }
    return TRUE;
}

LRESULT CScriptPane::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DROPFILES)
        return CUiResizableDialog::DefWindowProc(message, wParam, lParam);
    HDROP hDrop = reinterpret_cast<HDROP>(wParam);
    CString path;
    if (FirstDroppedPath(hDrop, path) > 0) {
        CString question;
        question.Format(GetMessageText(13108), path);
        if (AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            LoadScriptFile(path);
    }
    ::DragFinish(hDrop);
    return 0;
}

void CScriptPane::OnNewScript()
{
    if (AfxMessageBox(GetMessageText(13088), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    SetEditorText(DefaultScriptText());
    m_strPath.Empty();
    UpdateTitle();
}

void CScriptPane::OnLoadScript()
{
    CFileDialog dlg(TRUE, "lua", m_strPath, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES, kScriptFilter,
                    this);
    if (dlg.DoModal() == IDOK)
        LoadScriptFile(dlg.GetPathName());
}

void CScriptPane::OnSave()
{
    SaveScriptFile();
}

void CScriptPane::OnSaveScriptAs()
{
    // A new name must be accepted: the file it names does not exist yet.
    CFileDialog dlg(FALSE, "lua", m_strPath, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES, kScriptFilter);
    if (dlg.DoModal() != IDOK)
        return;
    m_strPath = dlg.GetPathName();
    UpdateTitle();
    SaveScriptFile();
}

void CScriptPane::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_strPath.IsEmpty());
}
