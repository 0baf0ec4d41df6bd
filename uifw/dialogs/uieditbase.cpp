// CUiEditBase: the edit commands and the framework context menu.
#include "uieditbase.h"
#include "afxres.h"
#include "cmditem.h"
#include "cmdmanager.h"
#include "cmdprofile.h"
#include "popupmenuwnd.h"

IMPLEMENT_DYNCREATE(CUiEditBase, CEdit)

namespace {

struct EditMenuEntry {
    UINT nID;
    LPCSTR pszText;
};

const EditMenuEntry kEditMenu[] = {
    {ID_EDIT_UNDO, "&Undo"}, {0, nullptr},
    {ID_EDIT_CUT, "Cu&t"}, {ID_EDIT_COPY, "&Copy"}, {ID_EDIT_PASTE, "&Paste"}, {ID_EDIT_CLEAR, "Cl&ear"},
    {0, nullptr}, {ID_EDIT_SELECT_ALL, "Select &All"},
};

bool IsEditCommand(UINT nID)
{
    for (const EditMenuEntry& entry : kEditMenu) {
        if (entry.nID != 0 && entry.nID == nID)
            return true;
    }
    return false;
}

// A string-table prompt as a menu text: tabs as blanks, no carriage returns, trimmed, and of
// a prompt with a line feed the part after the last one.
CString MenuTextOfPrompt(CString strText)
{
    strText.Replace('\t', ' ');
    strText.Remove('\r');
    const int nLineFeed = strText.ReverseFind('\n');
    if (nLineFeed >= 0)
        strText = strText.Mid(nLineFeed + 1);
    strText.TrimLeft();
    strText.TrimRight();
    return strText;
}

} // namespace

CUiEditBase::CUiEditBase() : m_bEditFlags(kFrameworkMenu)
{
}

bool CUiEditBase::IsEditCommandEnabled(UINT nID)
{
    const bool bReadOnly = (GetStyle() & ES_READONLY) != 0;
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const bool bSelection = nStart != nEnd;
    switch (nID) {
    case ID_EDIT_UNDO:
        return SendMessage(EM_CANUNDO) != 0 && !bReadOnly;
    case ID_EDIT_CUT:
    case ID_EDIT_CLEAR:
        return bSelection && !bReadOnly;
    case ID_EDIT_COPY:
        return bSelection;
    case ID_EDIT_PASTE:
        return ::IsClipboardFormatAvailable(CF_TEXT) && !bReadOnly;
    case ID_EDIT_SELECT_ALL: {
        const int nLength = GetWindowTextLength();
        return nLength > 0 && !(nStart == 0 && nEnd == nLength);
    }
    default:
        return false;
    }
}

BOOL CUiEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if ((m_bEditFlags & kFrameworkMenu) && IsEditCommand(nID)) {
        if (nCode == (int)CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(pExtra)->Enable(IsEditCommandEnabled(nID));
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            if (pHandlerInfo != nullptr)
                return TRUE;
            switch (nID) {
            case ID_EDIT_UNDO:
                SendMessage(EM_UNDO);
                break;
            case ID_EDIT_CUT:
                SendMessage(WM_CUT);
                break;
            case ID_EDIT_COPY:
                SendMessage(WM_COPY);
                break;
            case ID_EDIT_PASTE:
                SendMessage(WM_PASTE);
                break;
            case ID_EDIT_CLEAR:
                SendMessage(WM_CLEAR);
                break;
            default:
                SetSel(0, -1);
                SendMessage(EM_SCROLLCARET);
                break;
            }
            return TRUE;
        }
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

bool CUiEditBase::TrackEditMenu(CPoint ptScreen)
{
    CUiCmdProfile* pProfile = CmdManagerHolder::GetStoredHandle()->ProfileFindByWindow(m_hWnd);
    if (pProfile == nullptr)
        return false;
    HMENU hMenu = ::CreatePopupMenu();
    for (const EditMenuEntry& entry : kEditMenu) {
        if (entry.nID == 0) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        CString strText;
        CUiCmdItem* pItem = pProfile->CmdGetPtr(entry.nID);
        if (pItem != nullptr && !pItem->m_strMenuText.IsEmpty())
            strText = pItem->m_strMenuText;
        else if (strText.LoadString(entry.nID))
            strText = MenuTextOfPrompt(strText);
        if (strText.IsEmpty())
            strText = entry.pszText;
        ::AppendMenuA(hMenu, MF_STRING, entry.nID, strText);
    }
    pProfile->UpdateFromMenu(hMenu, false, false, false);

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptScreen))
        ptScreen = rcWindow.CenterPoint();
    SetFocus();
    CUiPopupMenuWnd* pPopup = new CUiPopupMenuWnd;
    bool bShown = pPopup->InitRootMenu(m_hWnd) && pPopup->LoadMenu(m_hWnd, hMenu, FALSE, TRUE) &&
                  pPopup->TrackMenu(0, ptScreen.x, ptScreen.y);
    if (!bShown)
        delete pPopup;
    ::DestroyMenu(hMenu);
    return bShown;
}

void CUiEditBase::OnContextMenuMsg(WPARAM wParam, LPARAM lParam)
{
    if (!(m_bEditFlags & kFrameworkMenu) || !TrackEditMenu(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)))) {
        CEdit::WindowProc(WM_CONTEXTMENU, wParam, lParam);
        return;
    }
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

LRESULT CUiEditBase::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_CONTEXTMENU) {
        OnContextMenuMsg(wParam, lParam);
        return 0;
    }
    return CEdit::WindowProc(nMsg, wParam, lParam);
}
