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
    EmptyDialogTemplate tmpl = {};
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    tmpl.dlg.cx = 120;
    tmpl.dlg.cy = 80;
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
