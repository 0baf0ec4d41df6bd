#include "readonlytextedit.h"

#include "hexedithost.h"
#include "lowlinecell.h"
#include "popupmenupresenter.h"
#include "resource.h"

#include <string>

namespace {
// Which editor of the other-settings dialog the dump editor is.
const int kDumpEditorIndex = 1;
} // namespace

BEGIN_MESSAGE_MAP(CReadOnlyTextEdit, CEdit)
    ON_WM_PAINT()
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

void CReadOnlyTextEdit::OnPaint()
{
    Default();
    HDC hDC = ::GetDC(m_hWnd);
    DrawLowLines(hDC);
    ::ReleaseDC(m_hWnd, hDC);
}

void CReadOnlyTextEdit::DrawLowLines(HDC hDC)
{
    const int nLength = ::GetWindowTextLengthW(m_hWnd);
    if (nLength <= 0)
        return;
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, &text[0], nLength + 1)));
    if (text.find(L'_') == std::wstring::npos)
        return;
    const int nSaved = ::SaveDC(hDC);
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    // The edit's lines are as high as its font.
    const CellLowLine line = GetCellLowLine(hFont, tm.tmHeight);
    if (line.bDrawn) {
        // The colours the edit took for its text: a read-only edit asks for them as a static.
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(m_hWnd));
        const COLORREF crText = ::GetTextColor(hDC);
        const bool bSelectionShown = ::GetFocus() == m_hWnd || (GetStyle() & ES_NOHIDESEL) != 0;
        DWORD nSelStart = 0, nSelEnd = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&nSelStart), reinterpret_cast<LPARAM>(&nSelEnd));
        RECT rcFormat = {};
        SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcFormat));
        ::IntersectClipRect(hDC, rcFormat.left, rcFormat.top, rcFormat.right, rcFormat.bottom);
        for (size_t i = text.find(L'_'); i != std::wstring::npos; i = text.find(L'_', i + 1)) {
            const LRESULT at = SendMessage(EM_POSFROMCHAR, i);
            if (at == -1)
                continue;
            const bool bSelected = bSelectionShown && i >= nSelStart && i < nSelEnd;
            DrawCellLowLine(hDC, line, static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at)),
                            bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : crText);
        }
    }
    ::RestoreDC(hDC, nSaved);
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
