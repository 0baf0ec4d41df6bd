// The resizable property sheet with two pages from the tests' templates: pages handed over
// in the sheet font with their init data, the set-up of buttons, tab and statics, growing,
// the tracking limits, paging keys and the button hooks' lifetime.
#include "dialogs_test_support.h"
#include "uifw_dialogs_ids.h"

#include "afxdlgtemplate.h"
#include "dlgtemplatefont.h"
#include "monitorinfo.h"
#include "resizablepropertypage.h"
#include "resizablepropertysheet.h"

#include <map>

using namespace dlgtest;
using namespace winharness;

namespace {

void FakeWorkArea(MonitorInfo& info, const RECT&)
{
    info.rcMonitor = {0, 0, 1024, 768};
    info.rcWork = {0, 0, 1024, 740};
    info.dwFlags = 1;
}

CRect RectIn(HWND hWnd, HWND hParent)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, hParent, (POINT*)&rc, 2);
    return rc;
}

std::map<HWND, CRect> ButtonRects(HWND hSheet)
{
    std::map<HWND, CRect> rects;
    for (HWND h = ::GetWindow(hSheet, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (AfxCompareClassName(h, "button"))
            rects[h] = RectIn(h, hSheet);
    }
    return rects;
}

class SheetFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMonitorInfoSource(&FakeWorkArea);
        sheet.m_strCaption = "Sheet";
        sheet.AddPage(&page1);
        sheet.AddPage(&page2);
        ASSERT_TRUE(sheet.Create(parent.wnd()));
        hStatic = ::CreateWindowExA(0, "Static", "Note", WS_CHILD | WS_VISIBLE, 10, 10, 80, 12, sheet.m_hWnd, NULL,
                                    NULL, NULL);
        buttonsBefore = ButtonRects(sheet.m_hWnd);
        ASSERT_TRUE(PumpUntil([this] { return (sheet.m_bSheetFlags & CUiResizablePropertySheet::kSetUpDone) != 0; }));
        PumpPending();
    }
    void TearDown() override
    {
        if (sheet.GetSafeHwnd() != NULL)
            sheet.DestroyWindow();
        SetMonitorInfoSource(nullptr);
    }
    void Grow(int dx, int dy)
    {
        CRect rc;
        sheet.GetWindowRect(&rc);
        sheet.SetWindowPos(NULL, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPending();
    }

    DialogScope scope;
    HiddenParent parent;
    CUiResizablePropertySheet sheet;
    CUiResizablePropertyPage page1{IDD_PAGE_ONE, IDS_PAGE_ONE};
    CUiResizablePropertyPage page2{IDD_PAGE_TWO, IDS_PAGE_TWO};
    HWND hStatic = NULL;
    std::map<HWND, CRect> buttonsBefore;
};

} // namespace

TEST_F(SheetFixture, PagesGoInTheSheetFontWithTheirInitDataOnce)
{
    CString strFace, strPageFace;
    WORD nSize = 0, nPageSize = 0;
    ASSERT_TRUE(GetPropSheetFont(strFace, nSize, false));
    ASSERT_EQ(2u, sheet.m_arrPsp.size());
    EXPECT_TRUE(sheet.m_arrPsp[0].dwFlags & PSP_DLGINDIRECT);
    ASSERT_TRUE(CDialogTemplate::GetFont(sheet.m_arrPsp[0].pResource, strPageFace, nPageSize));
    EXPECT_EQ(strFace, strPageFace);
    EXPECT_EQ(nSize, nPageSize);
    EXPECT_EQ(CString("One"), page1.m_strCaption);

    HWND hCombo = ::GetDlgItem(page1.m_hWnd, IDC_COMBO);
    ASSERT_NE(nullptr, hCombo);
    EXPECT_EQ(3, ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    char sz[8] = "";
    ::SendMessageA(hCombo, CB_GETLBTEXT, 2, (LPARAM)sz);
    EXPECT_STREQ("c", sz);
}

TEST_F(SheetFixture, SetUpHooksEveryButtonTenPixelsLeftAndGrowingMovesAndStretches)
{
    ASSERT_GE(buttonsBefore.size(), 3u);
    for (const auto& entry : buttonsBefore) {
        CWnd* pWnd = CWnd::FromHandlePermanent(entry.first);
        EXPECT_NE(nullptr, dynamic_cast<CUiResizablePropertySheet::CButtonInSheetHook*>(pWnd));
        CRect rcExpected = entry.second;
        rcExpected.OffsetRect(-10, 0);
        EXPECT_EQ(rcExpected, RectIn(entry.first, sheet.m_hWnd));
    }
    HWND hTab = sheet.GetTabControl()->GetSafeHwnd();
    const CRect rcTab = RectIn(hTab, sheet.m_hWnd);
    const CRect rcPage = RectIn(page1.m_hWnd, sheet.m_hWnd);
    const CRect rcStatic = RectIn(hStatic, sheet.m_hWnd);
    std::map<HWND, CRect> buttons = ButtonRects(sheet.m_hWnd);

    Grow(50, 50);
    for (int nId : {IDOK, IDCANCEL, 0x3021 /* Apply */}) {
        HWND hButton = ::GetDlgItem(sheet.m_hWnd, nId);
        ASSERT_NE(nullptr, hButton);
        CRect rcExpected = buttons[hButton];
        rcExpected.OffsetRect(50, 50);
        EXPECT_EQ(rcExpected, RectIn(hButton, sheet.m_hWnd));
    }
    EXPECT_EQ(CRect(rcTab.left, rcTab.top, rcTab.right + 50, rcTab.bottom + 50), RectIn(hTab, sheet.m_hWnd));
    EXPECT_EQ(CRect(rcPage.left, rcPage.top, rcPage.right + 50, rcPage.bottom + 50), RectIn(page1.m_hWnd, sheet.m_hWnd));
    EXPECT_EQ(CRect(rcStatic.left, rcStatic.top + 50, rcStatic.right + 50, rcStatic.bottom + 50),
              RectIn(hStatic, sheet.m_hWnd));
}

TEST_F(SheetFixture, ItKeepsItsSetUpSizeAsTheSmallestAndTheWorkAreaAsTheLargest)
{
    CRect rcSetUp;
    sheet.GetWindowRect(&rcSetUp);
    Grow(60, 40);
    Grow(-300, -300);
    CRect rcNow;
    sheet.GetWindowRect(&rcNow);
    EXPECT_EQ(rcSetUp.Size(), rcNow.Size());
    MINMAXINFO info = {};
    sheet.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(CPoint(1024, 740), CPoint(info.ptMaxTrackSize));
    EXPECT_EQ(CPoint(1024, 740), CPoint(info.ptMaxSize));
}

TEST_F(SheetFixture, CtrlTabPagesWithoutWrappingAndKeepsThePlace)
{
    sheet.ShowWindow(SW_SHOW);
    sheet.SetActiveWindow();
    PumpPending();
    ::SetFocus(sheet.GetTabControl()->GetSafeHwnd());
    PumpPending();
    ASSERT_TRUE(::IsChild(sheet.m_hWnd, ::GetFocus()));
    auto tab = [this](unsigned mods) {
        KeyboardModifiers keys(mods);
        MSG msg = {::GetFocus(), WM_KEYDOWN, VK_TAB, 1};
        EXPECT_TRUE(sheet.PreTranslateMessage(&msg));
        PumpPending();
    };
    const CRect rcFirst = RectIn(page1.m_hWnd, sheet.m_hWnd);
    tab(kCtrl | kShift);
    EXPECT_EQ(0, sheet.GetActiveIndex());
    tab(kCtrl);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    ASSERT_NE(nullptr, page2.GetSafeHwnd());
    EXPECT_EQ(rcFirst, RectIn(page2.m_hWnd, sheet.m_hWnd));
    tab(kCtrl);
    EXPECT_EQ(1, sheet.GetActiveIndex());
}

TEST_F(SheetFixture, TheButtonHooksGoWithTheSheet)
{
    EXPECT_GE(CUiResizablePropertySheet::CButtonInSheetHook::GetLiveCount(), 3);
    sheet.DestroyWindow();
    EXPECT_EQ(0, CUiResizablePropertySheet::CButtonInSheetHook::GetLiveCount());
}
