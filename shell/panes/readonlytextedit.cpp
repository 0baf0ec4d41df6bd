#include "readonlytextedit.h"

#include "hexedithost.h"
#include "popupmenupresenter.h"
#include "resource.h"

namespace {
// Which editor of the other-settings dialog the dump editor is.
const int kDumpEditorIndex = 1;
} // namespace

BEGIN_MESSAGE_MAP(CReadOnlyTextEdit, CEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateCopy)
    ON_COMMAND(ID_HEX_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

bool EditHasText(HWND hEdit)
{
    return ::GetWindowTextLengthA(hEdit) > 0;
}

bool EditHasSelection(HWND hEdit)
{
    DWORD start = 0, end = 0;
    ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start;
}

void ShowDumpEditorProperties(CWnd* pOwner)
{
    if (IHexEditHost* pHost = GetHexEditHost())
        pHost->ShowOtherSettings(pOwner, kOtherSettingsEditorPage, kDumpEditorIndex);
}

void CReadOnlyTextEdit::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
        point.Offset(5, 5);
    }
    SetFocus();
    CMenu menu;
    if (menu.LoadMenu(IDR_HEXEDIT_CONTEXT))
        CUiPopupMenuPresenter().TrackContextMenu(this, menu, point);
}

void CReadOnlyTextEdit::OnSelectAll()
{
    SendMessage(EM_SETSEL, 65535, 0);
    SendMessage(EM_SCROLLCARET);
}

void CReadOnlyTextEdit::OnCopy()
{
    SendMessage(WM_COPY);
}

void CReadOnlyTextEdit::OnProperties()
{
    ShowDumpEditorProperties(this);
}

void CReadOnlyTextEdit::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(EditHasText(m_hWnd));
}

void CReadOnlyTextEdit::OnUpdateCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(EditHasSelection(m_hWnd));
}
