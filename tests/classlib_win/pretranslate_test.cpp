// The pre-translate walk: a key for a window two levels down is offered to it, its parent
// and the top-level window, in that order, from the application's loop and from a modal
// dialog's loop.
#include "test_app.h"
#include "afxdialog.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace winharness;

namespace {

std::vector<std::string> g_walk;

class CWalkWnd : public CWnd {
public:
    explicit CWalkWnd(const char* pszName) : m_strName(pszName) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_walk.push_back(m_strName);
        return CWnd::PreTranslateMessage(pMsg);
    }
    std::string m_strName;
};

// The innermost window: ends the modal dialog when it finally receives its key.
class CLeafWnd : public CWalkWnd {
public:
    CLeafWnd() : CWalkWnd("leaf") {}
    int nKeys = 0;
    CDialog* pDialogToEnd = nullptr;
    afx_msg void OnKeyDown(UINT, UINT, UINT)
    {
        ++nKeys;
        if (pDialogToEnd != nullptr)
            pDialogToEnd->EndDialog(IDCANCEL);
    }
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLeafWnd, CWalkWnd)
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

// A dialog template in memory: an empty popup dialog.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE dlg;
    WORD menu, cls, title;
    EmptyDialogTemplate() : dlg(), menu(0), cls(0), title(0)
    {
        dlg.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        dlg.cx = 120;
        dlg.cy = 80;
    }
};

class CWalkDialog : public CDialog {
public:
    CWalkDialog() : mid("mid") {}
    CWalkWnd mid;
    CLeafWnd leaf;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        mid.Create(NULL, "mid", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), this, 10);
        leaf.Create(NULL, "leaf", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 50, 50), &mid, 11);
        leaf.pDialogToEnd = this;
        PostKeyDown(leaf.m_hWnd, 'A');
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_walk.push_back("dialog");
        return CDialog::PreTranslateMessage(pMsg);
    }
};

} // namespace

TEST(PreTranslate, TheApplicationLoopWalksFromTheTargetToTheMainWindow)
{
    CWalkWnd top("top");
    ASSERT_TRUE(top.CreateEx(0, NULL, "top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    CWalkWnd mid("mid");
    ASSERT_TRUE(mid.Create(NULL, "mid", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    CLeafWnd leaf;
    ASSERT_TRUE(leaf.Create(NULL, "leaf", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &mid, 2));

    CWnd* pOldMain = theApp.m_pMainWnd;
    theApp.m_pMainWnd = &top;
    g_walk.clear();
    PostKeyDown(leaf.m_hWnd, 'A');
    ::PostQuitMessage(0);   // seen after the key: the loop ends
    theApp.Run();
    theApp.m_pMainWnd = pOldMain;

    EXPECT_EQ(g_walk, (std::vector<std::string>{"leaf", "mid", "top"}));
    EXPECT_EQ(leaf.nKeys, 1);
    top.DestroyWindow();
}

TEST(PreTranslate, TheModalLoopOfADialogWalksTheSameWay)
{
    HiddenParent owner;
    EmptyDialogTemplate tmpl;
    CWalkDialog dlg;
    dlg.InitModalIndirect(&tmpl.dlg, owner.wnd());
    g_walk.clear();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_GE(g_walk.size(), 3u);
    EXPECT_EQ(g_walk[0], "leaf");
    EXPECT_EQ(g_walk[1], "mid");
    EXPECT_EQ(g_walk[2], "dialog");
    EXPECT_EQ(dlg.leaf.nKeys, 1);
}

namespace {

// 「テスト」 as an input method hands it to a code page 932 window: each character a lead byte
// and a trail byte, posted as two WM_CHAR.
const BYTE kTypedJapanese[] = {0x83, 0x65, 0x83, 0x58, 0x83, 0x67};
const std::string kExpectedJapanese(reinterpret_cast<const char*>(kTypedJapanese), sizeof(kTypedJapanese));

void PostTypedJapanese(HWND hWnd)
{
    for (BYTE b : kTypedJapanese)
        ::PostMessageA(hWnd, WM_CHAR, b, 1);
}

std::string WindowBytes(HWND hWnd)
{
    char text[64] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

// A window of the program's own, as the script editor: it keeps the bytes it is given.
class CByteField : public CWnd {
public:
    std::string bytes;
    afx_msg void OnChar(UINT nChar, UINT, UINT) { bytes += static_cast<char>(nChar); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CByteField, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

// A system edit control subclassed by the library, as the framework's edits are.
class CSubclassedEdit : public CWnd {
public:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { CWnd::OnChar(nChar, nRepCnt, nFlags); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

// A dialog with a system edit, a subclassed edit and a field of the program's own; the typed
// characters are posted to each in turn as it opens.
class CTypingDialog : public CDialog {
public:
    CWnd edit;
    CSubclassedEdit subclassed;
    CByteField own;
    std::string typed[3];
    bool bTypeOnInit = true;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
        edit.Attach(::CreateWindowExA(0, "EDIT", "", style, 4, 4, 150, 20, m_hWnd, (HMENU)100, AfxGetInstanceHandle(), NULL));
        subclassed.SubclassWindow(
            ::CreateWindowExA(0, "EDIT", "", style, 4, 28, 150, 20, m_hWnd, (HMENU)101, AfxGetInstanceHandle(), NULL));
        own.Create(NULL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(4, 52, 150, 70), this, 102);
        edit.SetFocus();
        if (bTypeOnInit)
            Type();
        return FALSE;
    }
    void Type()
    {
        for (HWND hWnd : {edit.m_hWnd, subclassed.m_hWnd, own.m_hWnd})
            PostTypedJapanese(hWnd);
        PostMessage(WM_APP);
    }
    LRESULT OnTyped(WPARAM, LPARAM)
    {
        typed[0] = WindowBytes(edit.m_hWnd);
        typed[1] = WindowBytes(subclassed.m_hWnd);
        typed[2] = own.bytes;
        if (bTypeOnInit)
            EndDialog(IDOK);
        return 0;
    }
    ~CTypingDialog() { edit.Detach(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTypingDialog, CDialog)
    ON_MESSAGE(WM_APP, OnTyped)
END_MESSAGE_MAP()

void ExpectTypedWhole(const CTypingDialog& dlg, const char* loop)
{
    const char* fields[3] = {"system edit", "subclassed edit", "own field"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dlg.typed[i], kExpectedJapanese) << fields[i] << " in " << loop;
}

} // namespace

// Each half of a double-byte character alone is garbled: the walk's dialog-message check makes
// a lone lead byte the code page's default character 「・」, and under Wine a system edit's ANSI
// procedure does the same with each byte it gets.
TEST(PreTranslate, AJapaneseCharacterTypedAsTwoBytesArrivesWholeInTheFieldsOfAModalAndAModelessDialog)
{
    HiddenParent owner;
    EmptyDialogTemplate tmpl;

    CTypingDialog modal;
    modal.InitModalIndirect(&tmpl.dlg, owner.wnd());
    EXPECT_EQ(modal.DoModal(), IDOK);
    ExpectTypedWhole(modal, "the modal loop");

    // The application's loop, with the dialog as the main window.
    CTypingDialog modeless;
    modeless.bTypeOnInit = false;
    tmpl.dlg.style |= WS_VISIBLE;
    ASSERT_TRUE(modeless.CreateIndirect(&tmpl.dlg, owner.wnd()));
    CWnd* pOldMain = theApp.m_pMainWnd;
    theApp.m_pMainWnd = &modeless;
    modeless.Type();
    ::PostQuitMessage(0);
    theApp.Run();
    theApp.m_pMainWnd = pOldMain;
    ExpectTypedWhole(modeless, "the application's loop");
    modeless.DestroyWindow();
}
