// The send data editor.
#include "hexeditsend.h"

#include <algorithm>

#include "resource.h"
#include "hexeditcommands.h"
#include "messagetext.h"
#include "textinputdlg.h"

IMPLEMENT_DYNCREATE(CHexEditSend, CHexEdit)

BEGIN_MESSAGE_MAP(CHexEditSend, CHexEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
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
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_COMMAND(ID_HEX_SAVE, OnSave)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE, OnUpdateSave)
    ON_COMMAND(ID_HEX_READ_FILE, OnReadFile)
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnDataClear)
    ON_COMMAND(ID_HEX_TEXT_INPUT, OnTextInput)
    ON_UPDATE_COMMAND_UI(ID_HEX_TEXT_INPUT, OnUpdateTextInput)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
END_MESSAGE_MAP()

CHexEditSend::CHexEditSend() : m_hTitleWnd(NULL)
{
}

// ---------------------------------------------------------------------------------------
// Document

BOOL CHexEditSend::LoadFile(LPCSTR path)
{
    // Read first: a file that cannot be read leaves content, path and title alone, so a
    // later Save cannot write this content over the unreadable file.
    COleSafeArray bytes;
    if (path == nullptr || !HexReadBytesFile(path, bytes)) {
        HexMessage(13021, MB_ICONERROR);
        return FALSE;
    }
    m_strPath = path;
    UpdateTitle();
    SetData(bytes);
    return TRUE;
}

BOOL CHexEditSend::SaveFile()
{
    return HexSaveEditorBytes(*this, m_strPath);
}

CString CHexEditSend::GetTitleText() const
{
    CString title;
    title.LoadString(IDS_SEND_EDITOR_TITLE);
    if (!m_strPath.IsEmpty()) {
        title += " - ";
        title += m_strPath;
    }
    return title;
}

void CHexEditSend::UpdateTitle()
{
    if (m_hTitleWnd != NULL)
        ::SetWindowTextA(m_hTitleWnd, GetTitleText());
}

LRESULT CHexEditSend::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HEXSEND_LOADFILE && lParam != 0)
        LoadFile(reinterpret_cast<LPCSTR>(lParam));
    return CHexEdit::DefWindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Commands

void CHexEditSend::OnContextMenu(CWnd*, CPoint point)
{
    HexShowContextMenu(*this, IDR_HEXEDIT_SEND_CONTEXT, point);
}

void CHexEditSend::OnSelectAll()
{
    SelectAll();
}

void CHexEditSend::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetModel().GetDataSize() > 0);
}

void CHexEditSend::OnCopy()
{
    Copy();
}

void CHexEditSend::OnCut()
{
    Cut();
}

void CHexEditSend::OnUpdateSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!HasNoSelection());
}

void CHexEditSend::OnPaste()
{
    Paste();
}

void CHexEditSend::OnUpdatePaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CHexEditSend::OnUndo()
{
    Undo();
}

void CHexEditSend::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CHexEditSend::OnRedo()
{
    Redo();
}

void CHexEditSend::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}

void CHexEditSend::OnDataAnalysis()
{
    HexRunDataAnalysis(*this);
}

void CHexEditSend::OnSaveAs()
{
    CString path = m_strPath;
    if (!HexAskFileName(this, FALSE, path))
        return;
    m_strPath = path;
    UpdateTitle();
    SaveFile();
}

void CHexEditSend::OnSave()
{
    if (!m_strPath.IsEmpty())
        SaveFile();
}

void CHexEditSend::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_strPath.IsEmpty());
}

void CHexEditSend::OnReadFile()
{
    CString path = m_strPath;
    if (HexAskFileName(this, TRUE, path))
        LoadFile(path);
}

void CHexEditSend::OnDataClear()
{
    if (HexMessage(13043, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    COleSafeArray empty;
    empty.CreateOneDim(VT_UI1, 0);
    ResetData(empty);
    m_strPath.Empty();
    UpdateTitle();
}

namespace {

LPCSTR LineEndText(int nLineEnd)
{
    return nLineEnd == 1 ? "\n" : "\r\n";
}

}  // namespace

void CHexEditSend::OnTextInput()
{
    // The text is offered only when it gives the data back unchanged, under the last
    // line-end choice or, for data whose line ends are all of the other kind, under that one,
    // which the dialog then starts with.
    CString text;
    UINT failIndex = 0;
    bool closeKanji = false;
    int nLineEnd = CTextInputDlg::GetLastLineEnd();
    if (!DataToText(text, &failIndex, LineEndText(nLineEnd), &closeKanji)) {
        UINT otherFailIndex = 0;
        if (!DataToText(text, &otherFailIndex, LineEndText(1 - nLineEnd), &closeKanji)) {
            CString message;
            message.Format(GetMessageText(13070), std::max(failIndex, otherFailIndex));
            AfxMessageBox(message, MB_ICONERROR);
            return;
        }
        nLineEnd = 1 - nLineEnd;
    }
    CTextInputDlg dlg(this);
    COleSafeArray initial;
    initial.CreateOneDim(VT_UI1, static_cast<DWORD>(text.GetLength()),
                         text.IsEmpty() ? NULL : static_cast<LPCSTR>(text));
    dlg.SetData(initial);
    dlg.m_nCharCode = GetModel().m_nCharCode;
    dlg.m_nLineEnd = nLineEnd;
    const INT_PTR result = dlg.DoModal();
    if (result != IDOK)
        return;
    TextToData(dlg.GetText(), dlg.m_nCharCode, dlg.IsLfOnly() ? "\n" : "\r\n", closeKanji);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHexEditSend::OnUpdateTextInput(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CHexEditSend::OnProperties()
{
    HexShowProperties(this, 0);
}

void CHexEditSend::OnMarker()
{
    HexRunMarkerCommand(*this);
}

void CHexEditSend::OnMarkerInfo()
{
    HexRunMarkerInfo(*this);
}
