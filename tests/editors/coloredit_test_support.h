// Shared fixture of the script editor window tests: a shown top-level parent that records
// the editor's notifications, the editor in it, and the application's message loop for the
// keys that must travel through the pre-translate walk.
#pragma once
#include "afxwin.h"
#include "coloreditwnd.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace coloredit_test {

constexpr UINT kEditorId = 101;

// Records every WM_COMMAND notification a child sends (control id and code).
class CNotifyParent : public CWnd {
public:
    struct Note {
        UINT id;
        UINT code;
    };
    std::vector<Note> notes;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam != 0)
            notes.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
    int Count(UINT code) const
    {
        int n = 0;
        for (const Note& note : notes)
            n += note.code == code;
        return n;
    }
};

class ColorEditWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "coloredit test", WS_POPUP | WS_VISIBLE, 0, 0, 420,
                                    300, NULL, NULL));
        editor = std::make_unique<ColorEditWnd>(&parent, CRect(0, 0, 400, 260), kEditorId, 4, TRUE);
        ASSERT_NE(editor->m_hWnd, (HWND)NULL);
        winharness::PumpPending();
        parent.notes.clear();
    }
    void TearDown() override
    {
        editor.reset();
        parent.DestroyWindow();
        winharness::PumpPending();
    }

    HWND hwnd() const { return editor->m_hWnd; }
    CString Text() const
    {
        CString s;
        editor->GetText(s);
        return s;
    }
    void Type(const char* psz)
    {
        for (const char* p = psz; *p != '\0'; ++p)
            winharness::SendChar(hwnd(), (unsigned char)*p);
    }
    // WM_KEYDOWN alone (no WM_CHAR), with the modifiers held.
    void KeyDown(UINT vk, unsigned mods = winharness::kNone)
    {
        winharness::KeyboardModifiers guard(mods);
        ::SendMessageA(hwnd(), WM_KEYDOWN, vk, winharness::KeyLParam(vk, false));
    }
    // Posts the key to the editor and runs the application's message loop until the key has
    // been handled: the loop offers it to the editor's PreTranslateMessage first.
    void KeyThroughAppLoop(UINT vk, unsigned mods)
    {
        std::optional<CWinApp> localApp;
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL) {
            localApp.emplace("coloredit_tests");
            pApp = &*localApp;
        }
        winharness::KeyboardModifiers guard(mods);
        winharness::PostKeyDown(hwnd(), vk);
        ::PostQuitMessage(0);
        pApp->Run();
    }
    // Places the caret with the keyboard: Ctrl+Home, then down and right.
    void MoveCaret(int column, int line)
    {
        KeyDown(VK_HOME, winharness::kCtrl);
        for (int i = 0; i < line; ++i)
            KeyDown(VK_DOWN);
        for (int i = 0; i < column; ++i)
            KeyDown(VK_RIGHT);
    }
    static std::string ClipboardText()
    {
        std::string s;
        if (!::OpenClipboard(NULL))
            return "<closed>";
        HANDLE h = ::GetClipboardData(CF_TEXT);
        const char* p = h != NULL ? (const char*)::GlobalLock(h) : NULL;
        if (p != NULL) {
            s = p;
            ::GlobalUnlock(h);
        } else {
            s = "<none>";
        }
        ::CloseClipboard();
        return s;
    }
    static void SetClipboardText(const char* psz)
    {
        ASSERT_TRUE(::OpenClipboard(NULL));
        ::EmptyClipboard();
        const size_t n = strlen(psz) + 1;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
        memcpy(::GlobalLock(h), psz, n);
        ::GlobalUnlock(h);
        ::SetClipboardData(CF_TEXT, h);
        ::CloseClipboard();
    }

    CNotifyParent parent;
    std::unique_ptr<ColorEditWnd> editor;
};

} // namespace coloredit_test
