// What the settings dialogs' tests share: a settings dialog created modeless on its template
// under a hidden frame window that notes the WM_FRAME_REFRESH it receives, and the tree read
// back as text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "afxwin.h"
#include "hexedit.h"
#include "resource.h"
#include "settingspage.h"
#include "winharness.h"

namespace settingstest {

// The window classes of the pages' own controls; a first member of a fixture that creates pages.
struct PageClasses {
    PageClasses() { CHexEdit::RegisterWndClass(); }
};

// A top-level window standing for the main frame: it records the wParam of every
// WM_FRAME_REFRESH that reaches it.
class RefreshRecorder {
public:
    RefreshRecorder()
    {
        CHexEdit::RegisterWndClass();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "KvrSettingsTestFrame";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA("KvrSettingsTestFrame", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                                 wc.hInstance, NULL);
        s_refreshes.clear();
    }
    ~RefreshRecorder() { ::DestroyWindow(m_hWnd); }
    RefreshRecorder(const RefreshRecorder&) = delete;
    RefreshRecorder& operator=(const RefreshRecorder&) = delete;

    HWND hwnd() const { return m_hWnd; }
    CWnd* wnd() const { return CWnd::FromHandle(m_hWnd); }
    // The refreshes posted so far, after the queue is drained.
    std::vector<WPARAM> Refreshes()
    {
        winharness::PumpPending();
        return s_refreshes;
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_FRAME_REFRESH)
            s_refreshes.push_back(wParam);
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
    static inline std::vector<WPARAM> s_refreshes;
};

// One tree item: its depth, text and image.
struct TreeRow {
    int depth;
    std::string text;
    int image;
    bool operator==(const TreeRow& o) const { return depth == o.depth && text == o.text && image == o.image; }
};

inline void ReadTree(HWND hTree, HTREEITEM hItem, int depth, std::vector<TreeRow>& rows)
{
    for (; hItem != NULL; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        char text[256] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_IMAGE;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back(TreeRow{depth, text, item.iImage});
        ReadTree(hTree, TreeView_GetChild(hTree, hItem), depth + 1, rows);
    }
}

inline std::vector<TreeRow> Tree(HWND hDlg)
{
    std::vector<TreeRow> rows;
    HWND hTree = ::GetDlgItem(hDlg, IDC_SETTINGS_TREE);
    ReadTree(hTree, TreeView_GetRoot(hTree), 0, rows);
    return rows;
}

// Selects the tree item of a text as the user would.
inline bool SelectTreeItem(HWND hDlg, const std::string& text, HTREEITEM hFrom = TVI_ROOT)
{
    HWND hTree = ::GetDlgItem(hDlg, IDC_SETTINGS_TREE);
    HTREEITEM hItem = hFrom == TVI_ROOT ? TreeView_GetRoot(hTree) : hFrom;
    for (; hItem != NULL; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        char buffer[256] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        ::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (text == buffer) {
            TreeView_SelectItem(hTree, hItem);
            return true;
        }
        HTREEITEM hChild = TreeView_GetChild(hTree, hItem);
        if (hChild != NULL && SelectTreeItem(hDlg, text, hChild))
            return true;
    }
    return false;
}

inline void Press(HWND hDlg, int id)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, id)));
}

// Picks a list entry as the user would: the selection, then CBN_SELCHANGE to the list's parent.
inline void ChooseListEntry(HWND hDlg, int id, int index)
{
    HWND hList = ::GetDlgItem(hDlg, id);
    ::SendMessageA(hList, CB_SETCURSEL, index, 0);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
}

inline void SetText(HWND hDlg, int id, const char* text) { ::SetDlgItemTextA(hDlg, id, text); }

inline void Click(HWND hDlg, int id, bool bChecked)
{
    ::CheckDlgButton(hDlg, id, bChecked ? BST_CHECKED : BST_UNCHECKED);
    Press(hDlg, id);
}

inline std::string Text(HWND hDlg, int id)
{
    char text[4096] = "";
    ::GetDlgItemTextA(hDlg, id, text, sizeof(text));
    return text;
}

inline bool Enabled(HWND hDlg, int id) { return ::IsWindowEnabled(::GetDlgItem(hDlg, id)) != FALSE; }
// Shown by its own style, whatever its parents (the pages live under hidden windows).
inline bool Visible(HWND hWnd) { return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
inline bool Visible(HWND hDlg, int id) { return Visible(::GetDlgItem(hDlg, id)); }
inline bool Checked(HWND hDlg, int id) { return ::IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }

} // namespace settingstest
