// The settings pages' tests: a shown top-level window that parents the pages under test, and
// what the dialogs' test helpers lack for pages (a control's notification, the text of the
// selected list entry).
#pragma once

#include <gtest/gtest.h>

#include "settings_test_support.h"

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

// A control's notification to its page, as the control sends it.
inline void Notify(HWND hPage, int id, int code)
{
    ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(hPage, id)));
}

inline std::string SelectedText(HWND hPage, int id)
{
    const LRESULT n = ::SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
    if (n < 0)
        return std::string();
    char text[256] = "";
    ::SendDlgItemMessageA(hPage, id, CB_GETLBTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace settingstest
