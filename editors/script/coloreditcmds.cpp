// ColorEditWnd: the edit commands, their update handlers, the clipboard and the context menu.
#include "coloreditwnd.h"
#include "coloreditmenu.h"
#include "contextmenupresenter.h"
#include <cstring>

// ---- Clipboard ----------------------------------------------------------------------------

BOOL ColorEditWnd::Copy()
{
    if (!m_model.HasSelection() || !::OpenClipboard(m_hWnd))
        return FALSE;
    const CString strText = m_model.GetSelectedText();
    const int nLength = strText.GetLength();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (SIZE_T)nLength + 1);
    char* pMem = hMem != NULL ? (char*)::GlobalLock(hMem) : NULL;
    if (pMem == NULL) {
        if (hMem != NULL)
            ::GlobalFree(hMem);
        ::CloseClipboard();
        return FALSE;
    }
    memcpy(pMem, strText.GetString(), (size_t)nLength);
    pMem[nLength] = '\0';
    ::GlobalUnlock(hMem);
    ::EmptyClipboard();
    const BOOL bSet = ::SetClipboardData(CF_TEXT, hMem) != NULL;
    if (!bSet)
        ::GlobalFree(hMem);
    ::CloseClipboard();
    return bSet;
}

// The selection goes only once it is on the clipboard; a failed copy keeps it.
void ColorEditWnd::Cut()
{
    if (m_bReadOnly || !m_model.HasSelection())
        return;
    UpdateCaret(FALSE);
    if (!Copy()) {
        UpdateCaret(TRUE);
        return;
    }
    m_model.Cut();
    ApplyRefresh();
    HasSelection();
    UpdateCaret(TRUE);
}

// The text is read no further than the clipboard's block, even when it lacks its NUL.
void ColorEditWnd::Paste()
{
    if (m_bReadOnly)
        return;
    BeginWaitCursor();
    UpdateCaret(FALSE);
    if (::OpenClipboard(m_hWnd)) {
        HANDLE hData = ::IsClipboardFormatAvailable(CF_TEXT) ? ::GetClipboardData(CF_TEXT) : NULL;
        const char* pText = hData != NULL ? (const char*)::GlobalLock(hData) : NULL;
        if (pText != NULL) {
            const size_t nSize = ::GlobalSize(hData);
            const CString strText(pText, (int)strnlen(pText, nSize));
            ::GlobalUnlock(hData);
            m_model.Paste(strText);
            ApplyRefresh();
        }
        ::CloseClipboard();
    }
    EnsureCaretVisible();
    HasSelection();
    UpdateCaret(TRUE);
    EndWaitCursor();
}

// ---- Other commands -----------------------------------------------------------------------

void ColorEditWnd::SelectAll()
{
    m_model.SelectAll();
    EnsureCaretVisible();
    UpdateCaret(TRUE);
    HasSelection();
    Invalidate(FALSE);
}

void ColorEditWnd::Undo()
{
    UpdateCaret(FALSE);
    m_model.Undo();
    ApplyRefresh();
    HasSelection();
    UpdateCaret(TRUE);
}

void ColorEditWnd::Redo()
{
    UpdateCaret(FALSE);
    m_model.Redo();
    ApplyRefresh();
    HasSelection();
    UpdateCaret(TRUE);
}

void ColorEditWnd::OnEditCopy() { Copy(); }
void ColorEditWnd::OnEditCut() { Cut(); }
void ColorEditWnd::OnEditPaste() { Paste(); }
void ColorEditWnd::OnEditSelectAll() { SelectAll(); }
void ColorEditWnd::OnEditUndo() { Undo(); }
void ColorEditWnd::OnEditRedo() { Redo(); }

void ColorEditWnd::OnUpdateNeedSel(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

// Asked on every update pass: the format is looked up without opening the clipboard, which
// would fail while another program holds it open and would block others meanwhile.
void ColorEditWnd::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT));
}

void ColorEditWnd::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void ColorEditWnd::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void ColorEditWnd::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}

// ---- Context menu -------------------------------------------------------------------------

void ColorEditWnd::OnContextMenu(CWnd*, CPoint pos)
{
    SetFocus();
    CMenu menu;
    if (!ColorEditBuildContextMenu(menu))
        return;
    IContextMenuPresenter* pPresenter = GetContextMenuPresenter();
    if (pPresenter != NULL)
        pPresenter->TrackContextMenu(this, menu, pos);
    menu.DestroyMenu();
}
