// The control wrappers over real controls: text round trips through the buffers they
// manage, tree and image lists, tooltips, and the command-UI update of dialog controls.
#include "test_app.h"
#include "afxcmn.h"
#include "afxdc.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <string>

using namespace winharness;

TEST(Controls, ListAndComboTextsOfAnyLengthComeBackWhole)
{
    HiddenParent parent;
    CWnd* pParent = parent.wnd();
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), pParent, 1));
    list.InsertColumn(0, "Contents", LVCFMT_LEFT, 600);
    std::string longText(700, 'x');
    longText += "末尾";
    ASSERT_EQ(list.InsertItem(0, longText.c_str()), 0);
    EXPECT_EQ(list.GetItemText(0, 0), CString(longText.c_str()));
    list.SetItemData(0, 1234);
    EXPECT_EQ(list.GetItemData(0), (DWORD_PTR)1234);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    POSITION pos = list.GetFirstSelectedItemPosition();
    ASSERT_NE(pos, (POSITION)NULL);
    EXPECT_EQ(list.GetNextSelectedItem(pos), 0);
    EXPECT_EQ(pos, (POSITION)NULL);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), pParent, 2));
    combo.AddString("一");
    combo.AddString("二つ目");
    CString s;
    combo.GetLBText(1, s);
    EXPECT_EQ(s, "二つ目");
    EXPECT_EQ(combo.FindStringExact(-1, "一"), 0);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 100, 40), pParent, 3));
    edit.SetWindowText("ab\r\ncd");
    EXPECT_EQ(edit.GetLineCount(), 2);
    edit.SetSel(1, 3);
    int nStart = 0, nEnd = 0;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    EXPECT_EQ(nEnd, 3);
    edit.ReplaceSel("Z");
    CString t;
    edit.GetWindowText(t);
    EXPECT_EQ(t, "aZ\ncd");
}

TEST(Controls, TreeAndImageList)
{
    HiddenParent parent;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_EQ(images.Add(hIcon), 0);
    EXPECT_EQ(images.Add(hIcon), 1);
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 200, 200), parent.wnd(), 4));
    EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
    HTREEITEM hRoot = tree.InsertItem("C:", 0, 1);
    HTREEITEM hChild = tree.InsertItem("フォルダ", hRoot);
    ASSERT_NE(hRoot, (HTREEITEM)NULL);
    ASSERT_NE(hChild, (HTREEITEM)NULL);
    EXPECT_EQ(tree.GetItemText(hChild), "フォルダ");
    EXPECT_EQ(tree.GetParentItem(hChild), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hChild);
    EXPECT_TRUE(tree.SetItemData(hChild, 99));
    EXPECT_EQ(tree.GetItemData(hChild), (DWORD_PTR)99);
    int nImage = -1, nSelected = -1;
    EXPECT_TRUE(tree.GetItemImage(hRoot, nImage, nSelected));
    EXPECT_EQ(nImage, 0);
    EXPECT_EQ(nSelected, 1);
    EXPECT_EQ(tree.GetCount(), 2u);
    tree.DestroyWindow();
    // The list still belongs to its object.
    EXPECT_EQ(images.GetImageCount(), 2);
}

TEST(Controls, ToolTipToolsAndRelay)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "owner", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_EQ(tip.GetOwner(), &owner);
    CRect rc(0, 0, 50, 50);
    EXPECT_TRUE(tip.AddTool(&owner, "ヒント", &rc, 1));
    EXPECT_EQ(tip.GetToolCount(), 1);
    CString text;
    tip.GetText(text, &owner, 1);
    EXPECT_EQ(text, "ヒント");
    tip.UpdateTipText("別のヒント", &owner, 1);
    tip.GetText(text, &owner, 1);
    EXPECT_EQ(text, "別のヒント");
    MSG msg = {};
    msg.hwnd = owner.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(10, 10);
    tip.RelayEvent(&msg);
    tip.Activate(FALSE);
    tip.DelTool(&owner, 1);
    EXPECT_EQ(tip.GetToolCount(), 0);
    owner.DestroyWindow();
}

namespace {

class CPanel : public CWnd {
public:
    BOOL bApplyEnabled = FALSE;
    afx_msg void OnUpdateApply(CCmdUI* pCmdUI) { pCmdUI->Enable(bApplyEnabled); }
    afx_msg void OnUpdateOption(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanel, CWnd)
    ON_UPDATE_COMMAND_UI(20, OnUpdateApply)
    ON_UPDATE_COMMAND_UI(21, OnUpdateOption)
END_MESSAGE_MAP()

} // namespace

TEST(Controls, UpdateDialogControlsAppliesUpdateHandlersToChildControls)
{
    CPanel panel;
    ASSERT_TRUE(panel.CreateEx(0, NULL, "panel", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CButton apply, option, orphan;
    ASSERT_TRUE(apply.Create("Apply", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &panel, 20));
    ASSERT_TRUE(option.Create("Option", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 30, 50, 50), &panel, 21));
    ASSERT_TRUE(orphan.Create("Orphan", WS_CHILD | BS_PUSHBUTTON, CRect(60, 0, 110, 20), &panel, 22));
    panel.UpdateDialogControls(&panel, TRUE);
    EXPECT_FALSE(apply.IsWindowEnabled());
    EXPECT_EQ(option.GetCheck(), BST_CHECKED);
    EXPECT_FALSE(orphan.IsWindowEnabled());   // a push button without any handler
    panel.bApplyEnabled = TRUE;
    panel.UpdateDialogControls(&panel, FALSE);
    EXPECT_TRUE(apply.IsWindowEnabled());
    panel.DestroyWindow();
}

TEST(Controls, WaitCursorNests)
{
    CCmdTarget target;
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    ::SetCursor(hArrow);
    target.BeginWaitCursor();
    target.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_WAIT));
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_WAIT));
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), hArrow);
}

namespace {

COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hdc = ::GetWindowDC(hWnd);
    const COLORREF clr = ::GetPixel(hdc, x, y);
    ::ReleaseDC(hWnd, hdc);
    return clr;
}

} // namespace

// A bar given the range, page and position it already holds keeps them and is not painted
// again; a change reaches the bar and its picture; a hidden bar stays hidden.
TEST(Controls, ScrollBarGivenWhatItHoldsIsLeftAlone)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "scroll", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 200,
                             NULL, NULL));
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 20};
    EXPECT_TRUE(wnd.SetScrollInfo(SB_VERT, &si, TRUE));
    SCROLLINFO now = {};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &now, SIF_ALL));
    EXPECT_EQ(now.nMax, 100);
    EXPECT_EQ(now.nPage, 10u);
    EXPECT_EQ(now.nPos, 20);
    winharness::PumpPending();

    // A dot in the bar's track, in window coordinates, that only a paint of the bar covers.
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    const int x = rcClient.right + ::GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int y = rcClient.bottom - ::GetSystemMetrics(SM_CYVSCROLL) - 4;
    const COLORREF kDot = 0x00FF00;
    HDC hdc = ::GetWindowDC(wnd.m_hWnd);
    ::SetPixel(hdc, x, y, kDot);
    ::ReleaseDC(wnd.m_hWnd, hdc);
    ASSERT_EQ(kDot, WindowPixel(wnd.m_hWnd, x, y));

    EXPECT_TRUE(wnd.SetScrollInfo(SB_VERT, &si, TRUE));
    EXPECT_EQ(20, wnd.SetScrollPos(SB_VERT, 20, TRUE));
    winharness::PumpPending();
    EXPECT_EQ(kDot, WindowPixel(wnd.m_hWnd, x, y));

    si.nPos = 90;
    EXPECT_TRUE(wnd.SetScrollInfo(SB_VERT, &si, TRUE));
    winharness::PumpPending();
    EXPECT_NE(kDot, WindowPixel(wnd.m_hWnd, x, y));
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &now, SIF_POS));
    EXPECT_EQ(now.nPos, 90);
    EXPECT_EQ(90, wnd.SetScrollPos(SB_VERT, 50, TRUE));
    EXPECT_EQ(50, wnd.GetScrollPos(SB_VERT));

    wnd.ShowScrollBar(SB_VERT, FALSE);
    si.nPos = 50;
    wnd.SetScrollInfo(SB_VERT, &si, TRUE);
    EXPECT_EQ(0u, wnd.GetStyle() & WS_VSCROLL);
    wnd.DestroyWindow();
}
