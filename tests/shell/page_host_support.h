// What the settings pages' tests share: a shown top-level window that parents the pages, and
// the user's gestures on a page's controls (each control changed, then its notification sent
// to the page as the control itself sends it).
#pragma once

#include <gtest/gtest.h>

#include "afxwin.h"
#include "hexedit.h"
#include "winharness.h"

#include <string>

namespace settingstest {

class PageHost : public ::testing::Test {
protected:
    PageHost()
    {
        CHexEdit::RegisterWndClass();
        host.CreateEx(0, AfxRegisterWndClass(0), "Pages", WS_OVERLAPPEDWINDOW, CRect(40, 40, 800, 480), NULL, 0);
        host.ShowWindow(SW_SHOW);
        winharness::PumpPending();
    }
    ~PageHost() override
    {
        host.DestroyWindow();
        winharness::PumpPending();
    }

    CWnd host;
};

inline void Notify(CWnd& page, int id, int code)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
}

// Checks or unchecks a box and tells the page it was clicked.
inline void ClickCheck(CWnd& page, int id, bool bChecked)
{
    page.CheckDlgButton(id, bChecked ? BST_CHECKED : BST_UNCHECKED);
    Notify(page, id, BN_CLICKED);
}

inline void Choose(CWnd& page, int id, int nIndex)
{
    page.SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(nIndex));
    Notify(page, id, CBN_SELCHANGE);
}

inline int Selected(CWnd& page, int id)
{
    return static_cast<int>(page.SendDlgItemMessage(id, CB_GETCURSEL));
}

inline std::string SelectedText(CWnd& page, int id)
{
    const int n = Selected(page, id);
    if (n < 0)
        return std::string();
    char text[256] = "";
    page.SendDlgItemMessage(id, CB_GETLBTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(text));
    return text;
}

inline bool Checked(CWnd& page, int id)
{
    return page.IsDlgButtonChecked(id) == BST_CHECKED;
}

inline bool Enabled(CWnd& page, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)) != FALSE;
}

inline std::string Text(CWnd& page, int id)
{
    CString text;
    page.GetDlgItemText(id, text);
    return static_cast<LPCSTR>(text);
}

} // namespace settingstest
