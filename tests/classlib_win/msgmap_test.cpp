// Message maps, command ranges, reflection, command UI, the exception barrier and the
// binding of objects to windows.
#include "test_app.h"
#include "afxcmn.h"
#include "winharness.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace winharness;

namespace {

// ---- A base and a derived window that both map WM_SIZE.

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> log;
    afx_msg void OnSize(UINT, int cx, int cy) { log.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    afx_msg void OnTimer(UINT_PTR nID) { log.push_back("base timer " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

UINT g_nRegisteredMsg = ::RegisterWindowMessageA("CDerivedWnd::g_nMsgTest");

class CDerivedWnd : public CBaseWnd {
public:
    std::vector<UINT> rangeIds;
    std::vector<UINT> updateIds;
    afx_msg void OnSize(UINT, int cx, int cy) { log.push_back("derived size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    afx_msg void OnRange(UINT nID) { rangeIds.push_back(nID); }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI)
    {
        updateIds.push_back(pCmdUI->m_nID);
        pCmdUI->SetCheck(pCmdUI->m_nID == ID_RANGE_FIRST + 5);
    }
    afx_msg LRESULT OnApp1(WPARAM wParam, LPARAM lParam) { return (LRESULT)(wParam + lParam); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return (LRESULT)(wParam * 2); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        log.push_back("wheel " + std::to_string(nFlags) + " " + std::to_string(zDelta) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y));
        return TRUE;
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt)
    {
        log.push_back("down " + std::to_string(nFlags) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnUpdateRange)
    ON_MESSAGE(WM_APP + 1, OnApp1)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
END_MESSAGE_MAP()

// A command-UI that records what the handler set.
class CRecordCmdUI : public CCmdUI {
public:
    int nEnable = -1;
    int nCheck = -1;
    std::string text;
    void Enable(BOOL bOn) override
    {
        nEnable = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int n) override { nCheck = n; }
    void SetText(LPCTSTR lpsz) override { text = lpsz; }
};

} // namespace

TEST(MessageMap, DerivedHandlerWinsAndBaseHandlersStillRun)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "derived", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    wnd.log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    wnd.SendMessage(WM_TIMER, 7);
    ASSERT_EQ(wnd.log.size(), 2u);
    EXPECT_EQ(wnd.log[0], "derived size 120x80");
    EXPECT_EQ(wnd.log[1], "base timer 7");
    wnd.DestroyWindow();
}

TEST(MessageMap, UnhandledMessagesReachTheDefaultProcedure)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "before", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    wnd.SetWindowText("after");
    CString str;
    wnd.GetWindowText(str);
    EXPECT_EQ(str, "after");

    // A subclassed system control keeps its own procedure behind the map.
    HiddenParent parent;
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, parent, (HMENU)5, NULL, NULL);
    CDerivedWnd edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), &edit);
    edit.SetWindowText("typed");
    EXPECT_EQ(edit.SendMessage(EM_LINELENGTH, 0), 5);
    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(hEdit, GWLP_WNDPROC) == AfxWndProc, false);
    wnd.DestroyWindow();
}

TEST(MessageMap, HandlerShapesReceiveTheirArguments)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "shapes", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    wnd.log.clear();
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 40, 2), 42);
    EXPECT_EQ(wnd.SendMessage(g_nRegisteredMsg, 21, 0), 42);
    EXPECT_EQ(wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-120), MAKELPARAM(10, (WORD)(short)-5)), TRUE);
    SendMouse(wnd, WM_LBUTTONDOWN, 3, 4, MK_LBUTTON | MK_SHIFT);
    ASSERT_EQ(wnd.log.size(), 2u);
    EXPECT_EQ(wnd.log[0], "wheel 8 -120 10,-5");
    EXPECT_EQ(wnd.log[1], "down 5 3,4");
    wnd.DestroyWindow();
}

TEST(MessageMap, CommandRangesReceiveTheId)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "range", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_FIRST + 3, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST, 1), 0);     // accelerator
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST + 1, 0), 0); // outside the range
    ASSERT_EQ(wnd.rangeIds.size(), 2u);
    EXPECT_EQ(wnd.rangeIds[0], (UINT)ID_RANGE_FIRST + 3);
    EXPECT_EQ(wnd.rangeIds[1], (UINT)ID_RANGE_LAST);

    // A command of a menu or accelerator first asks its update handler whether it is enabled.
    EXPECT_EQ(wnd.updateIds, (std::vector<UINT>{ID_RANGE_FIRST + 3, ID_RANGE_LAST}));
    wnd.updateIds.clear();
    CRecordCmdUI five;
    five.m_nID = ID_RANGE_FIRST + 5;
    EXPECT_TRUE(five.DoUpdate(&wnd, FALSE));
    CRecordCmdUI six;
    six.m_nID = ID_RANGE_FIRST + 6;
    six.DoUpdate(&wnd, FALSE);
    EXPECT_EQ(wnd.updateIds, (std::vector<UINT>{ID_RANGE_FIRST + 5, ID_RANGE_FIRST + 6}));
    EXPECT_EQ(five.nCheck, 1);
    EXPECT_EQ(six.nCheck, 0);
    wnd.DestroyWindow();
}

// ---- Reflection.

namespace {

class CCustomDrawList : public CListCtrl {
public:
    int nPrePaint = 0;
    int nItemPrePaint = 0;
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVCUSTOMDRAW* pCD = (NMLVCUSTOMDRAW*)pNMHDR;
        if (pCD->nmcd.dwDrawStage == CDDS_PREPAINT) {
            ++nPrePaint;
            *pResult = CDRF_NOTIFYITEMDRAW;
        } else if (pCD->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            ++nItemPrePaint;
            pCD->clrText = RGB(255, 0, 0);
            *pResult = CDRF_DODEFAULT;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCustomDrawList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

class CReflectButton : public CButton {
public:
    int nReflected = 0;
    BOOL bStopRouting = FALSE;
    int nDrawn = 0;
    afx_msg BOOL OnReflectClicked()
    {
        ++nReflected;
        return bStopRouting;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++nDrawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectClicked)
END_MESSAGE_MAP()

class CColorStatic : public CStatic {
public:
    HBRUSH hbrOwn = NULL;
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT) { pDC->SetTextColor(RGB(1, 2, 3)); return hbrOwn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    int nParentClicked = 0;
    int nParentNotify = 0;
    int nCtlColor = 0;
    afx_msg void OnButtonClicked() { ++nParentClicked; }
    afx_msg void OnListNotify(NMHDR*, LRESULT* pResult)
    {
        ++nParentNotify;
        *pResult = 77;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        ++this->nCtlColor;
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(101, OnButtonClicked)
    ON_NOTIFY(NM_CUSTOMDRAW, 102, OnListNotify)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

} // namespace

TEST(Reflection, ListHandlesItsOwnCustomDrawAndItsResultIsReturned)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
    CCustomDrawList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 100));
    list.InsertColumn(0, "No.", LVCFMT_LEFT, 80);
    list.InsertItem(0, "0001");
    list.InsertItem(1, "0002");

    NMLVCUSTOMDRAW cd = {};
    cd.nmcd.hdr.hwndFrom = list.m_hWnd;
    cd.nmcd.hdr.idFrom = 100;
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 100, (LPARAM)&cd), (LRESULT)CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(list.nPrePaint, 1);

    // Painting for real: the control asks for the items because of that result.
    list.nPrePaint = list.nItemPrePaint = 0;
    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpUntil([&] { return list.nItemPrePaint >= 2; });
    EXPECT_GE(list.nPrePaint, 1);
    EXPECT_GE(list.nItemPrePaint, 2);
    parent.DestroyWindow();
}

TEST(Reflection, UnreflectedNotificationsReachTheParentMap)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CListCtrl plain;   // no reflect handler
    ASSERT_TRUE(plain.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &parent, 102));
    NMCUSTOMDRAW cd = {};
    cd.hdr.hwndFrom = plain.m_hWnd;
    cd.hdr.idFrom = 102;
    cd.hdr.code = NM_CUSTOMDRAW;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 102, (LPARAM)&cd), 77);
    EXPECT_EQ(parent.nParentNotify, 1);
    parent.DestroyWindow();
}

TEST(Reflection, ControlReflectExReturningFalseLetsTheParentHandleTheClick)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
    CReflectButton button;
    ASSERT_TRUE(button.Create("Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent, 101));

    button.SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_EQ(button.nReflected, 1);
    EXPECT_EQ(parent.nParentClicked, 1);

    // A handler that returns TRUE keeps the notification for itself.
    button.bStopRouting = TRUE;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(button.nReflected, 2);
    EXPECT_EQ(parent.nParentClicked, 1);
    parent.DestroyWindow();
}

TEST(Reflection, DrawItemAndColourRequestsGoBackToTheControl)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CReflectButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, 103));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 103;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 103, (LPARAM)&dis), TRUE);
    EXPECT_EQ(button.nDrawn, 1);

    CColorStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD, CRect(0, 30, 60, 50), &parent, 104));
    HBRUSH hbr = ::CreateSolidBrush(RGB(9, 9, 9));
    label.hbrOwn = hbr;
    HDC hdc = ::GetDC(parent.m_hWnd);
    EXPECT_EQ((HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)label.m_hWnd), hbr);
    EXPECT_EQ(::GetTextColor(hdc), RGB(1, 2, 3));
    EXPECT_EQ(parent.nCtlColor, 1);   // the parent's handler ran and asked the control first
    // A control that answers NULL leaves the colour to the parent's default.
    label.hbrOwn = NULL;
    EXPECT_NE((HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)label.m_hWnd), hbr);
    ::ReleaseDC(parent.m_hWnd, hdc);
    ::DeleteObject(hbr);
    parent.DestroyWindow();
}

// ---- Command UI.

namespace {

class CCommandTarget : public CCmdTarget {
public:
    BOOL bChecked = TRUE;
    int nHandled = 0;
    afx_msg void OnHandled() { ++nHandled; }
    afx_msg void OnChecked() {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(bChecked); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandTarget, CCmdTarget)
    ON_COMMAND(ID_TEST_HANDLED, OnHandled)
    ON_COMMAND(ID_TEST_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

void UpdateMenu(CMenu& menu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = menu.GetMenuItemID((int)state.m_nIndex);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

} // namespace

TEST(CommandUI, DoUpdateDisablesItemsWithoutHandlersAndSetsChecks)
{
    CCommandTarget target;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_TEST_HANDLED, "handled");
    menu.AppendMenu(MF_STRING, ID_TEST_UNHANDLED, "unhandled");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_TEST_CHECKED, "checked");

    UpdateMenu(menu, &target, TRUE);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_GRAYED);

    menu.EnableMenuItem(ID_TEST_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    target.bChecked = FALSE;
    UpdateMenu(menu, &target, FALSE);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);

    // The probe finds a handler without running it.
    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(target.OnCmdMsg(ID_TEST_HANDLED, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_EQ(target.nHandled, 0);
    EXPECT_FALSE(target.OnCmdMsg(ID_TEST_UNHANDLED, CN_COMMAND, NULL, &info));
}

namespace {
class CGuarded : public CWnd {
public:
    int nRuns = 0;
    BOOL bEnabled = FALSE;
    afx_msg void OnHandled() { ++nRuns; }
    afx_msg void OnUpdateHandled(CCmdUI* pCmdUI) { pCmdUI->Enable(bEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGuarded, CWnd)
    ON_COMMAND(ID_TEST_HANDLED, OnHandled)
    ON_UPDATE_COMMAND_UI(ID_TEST_HANDLED, OnUpdateHandled)
END_MESSAGE_MAP()
} // namespace

TEST(CommandUI, AMenuCommandDisabledByItsUpdateHandlerIsIgnored)
{
    CGuarded wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "guarded", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    wnd.SendMessage(WM_COMMAND, ID_TEST_HANDLED, 0);
    EXPECT_EQ(wnd.nRuns, 0);
    wnd.bEnabled = TRUE;
    wnd.SendMessage(WM_COMMAND, ID_TEST_HANDLED, 0);
    EXPECT_EQ(wnd.nRuns, 1);
    wnd.DestroyWindow();
}

// ---- The exception barrier and the binding of objects to windows.

namespace {

bool g_bExceptionDeleted = false;

class CTrackedFileException : public CFileException {
public:
    CTrackedFileException() : CFileException(CFileException::diskFull) {}
    ~CTrackedFileException() override { g_bExceptionDeleted = true; }
};

class CThrowingWnd : public CWnd {
public:
    int nAfter = 0;
    afx_msg LRESULT OnThrowFile(WPARAM, LPARAM) { throw new CTrackedFileException; }
    afx_msg LRESULT OnThrowOther(WPARAM, LPARAM) { throw 42; }
    afx_msg LRESULT OnAfter(WPARAM, LPARAM) { return ++nAfter; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_MESSAGE(WM_APP + 10, OnThrowFile)
    ON_MESSAGE(WM_APP + 11, OnThrowOther)
    ON_MESSAGE(WM_APP + 12, OnAfter)
END_MESSAGE_MAP()

class CFailingCreate : public CWnd {
public:
    afx_msg int OnCreate(LPCREATESTRUCT) { throw new CTrackedFileException; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingCreate, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int g_nSelfDeleted = 0;

class CSelfDeleting : public CWnd {
public:
    ~CSelfDeleting() override { ++g_nSelfDeleted; }
    void PostNcDestroy() override { delete this; }
};

// Handles WM_NCDESTROY without passing it on to CWnd.
class CRudeNcDestroy : public CSelfDeleting {
public:
    afx_msg void OnNcDestroy() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRudeNcDestroy, CSelfDeleting)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

} // namespace

TEST(Barrier, AHandlerThrowingAFileExceptionIsReportedAndTheObjectDeleted)
{
    ScriptedPrompts prompts;
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "throws", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    g_bExceptionDeleted = false;
    EXPECT_EQ(wnd.SendMessage(WM_APP + 10), 0);
    EXPECT_TRUE(g_bExceptionDeleted);
    ASSERT_EQ(prompts.records.size(), 1u);
    EXPECT_EQ(prompts.records[0].kind, "message");
    EXPECT_TRUE(prompts.records[0].type & MB_ICONSTOP);
    // Not one of the library's: swallowed as well.
    EXPECT_EQ(wnd.SendMessage(WM_APP + 11), 0);
    // The window and the thread go on.
    EXPECT_EQ(wnd.SendMessage(WM_APP + 12), 1);
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    wnd.DestroyWindow();
}

TEST(Barrier, AnExceptionInOnCreateFailsTheCreation)
{
    ScriptedPrompts prompts;
    CFailingCreate wnd;
    g_bExceptionDeleted = false;
    EXPECT_FALSE(wnd.CreateEx(0, NULL, "fails", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_TRUE(g_bExceptionDeleted);
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
}

TEST(Binding, AWindowDeletingItselfInPostNcDestroyLeavesNoMapEntry)
{
    g_nSelfDeleted = 0;
    CSelfDeleting* pWnd = new CSelfDeleting;
    ASSERT_TRUE(pWnd->CreateEx(0, NULL, "self", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), pWnd);
    EXPECT_TRUE(pWnd->DestroyWindow());
    EXPECT_EQ(g_nSelfDeleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // Also when a handler swallows WM_NCDESTROY.
    CRudeNcDestroy* pRude = new CRudeNcDestroy;
    ASSERT_TRUE(pRude->CreateEx(0, NULL, "rude", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    hWnd = pRude->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(g_nSelfDeleted, 2);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // Children go with their parent.
    CSelfDeleting* pParent = new CSelfDeleting;
    ASSERT_TRUE(pParent->CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CSelfDeleting* pChild = new CSelfDeleting;
    ASSERT_TRUE(pChild->Create(NULL, "child", WS_CHILD, CRect(0, 0, 5, 5), pParent, 1));
    HWND hChild = pChild->m_hWnd;
    pParent->DestroyWindow();
    EXPECT_EQ(g_nSelfDeleted, 4);
    EXPECT_EQ(CWnd::FromHandlePermanent(hChild), nullptr);
}

TEST(Binding, TemporaryObjectsForForeignWindowsAreFreedAtIdle)
{
    HiddenParent parent;
    CWnd* pTemp = CWnd::FromHandle(parent);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, parent.hwnd());
    EXPECT_EQ(CWnd::FromHandle(parent), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    theApp.OnIdle(1);   // the idle pass that frees temporaries
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    CWnd* pAgain = CWnd::FromHandle(parent);
    EXPECT_EQ(pAgain->m_hWnd, parent.hwnd());
    EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);
}

namespace {

// Each message wraps a DC for a moment, as a handler given the DC of an erase does, then a
// paint DC takes the same handle; and posts the next message before it returns, so the loop
// never finds its queue empty.
class CBusyWnd : public CWnd {
public:
    int nLeft = 0;
    size_t nMostTemporaries = 0;
    afx_msg LRESULT OnNext(WPARAM, LPARAM)
    {
        HDC hdc = ::CreateCompatibleDC(NULL);
        CDC::FromHandle(hdc)->SetBkColor(RGB(1, 2, 3));
        {
            CDC owner;
            owner.Attach(hdc);
        }
        nMostTemporaries = std::max(nMostTemporaries, AfxTempObjectCount());
        if (--nLeft > 0)
            PostMessage(WM_APP + 2);
        else
            ::PostQuitMessage(0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBusyWnd, CWnd)
    ON_MESSAGE(WM_APP + 2, OnNext)
END_MESSAGE_MAP()

} // namespace

TEST(Binding, TemporariesStayFewWhileTheLoopNeverGoesIdle)
{
    CBusyWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "busy", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    wnd.nLeft = 2000;
    wnd.PostMessage(WM_APP + 2);
    theApp.Run();
    EXPECT_EQ(wnd.nLeft, 0);
    EXPECT_LE(wnd.nMostTemporaries, 300u);
    wnd.DestroyWindow();
}

TEST(Binding, WrappersDoNothingWithoutAWindow)
{
    CWnd wnd;
    CRect rc(1, 2, 3, 4);
    wnd.GetClientRect(&rc);
    EXPECT_TRUE(rc.IsRectNull());
    wnd.Invalidate();
    wnd.RedrawWindow();
    EXPECT_EQ(wnd.SetTimer(1, 10), 0u);
    EXPECT_EQ(wnd.SetFocus(), nullptr);
    EXPECT_EQ(wnd.SendMessage(WM_SETTEXT, 0, (LPARAM)"x"), 0);
    EXPECT_EQ(wnd.GetDlgItem(1), nullptr);
    EXPECT_EQ(wnd.GetStyle(), 0u);
    CString str("old");
    wnd.GetWindowText(str);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_FALSE(wnd.DestroyWindow());
    CWnd* volatile pNull = nullptr;
    EXPECT_EQ(pNull->GetSafeHwnd(), (HWND)NULL);
}

namespace {

const UINT kDescendantMsg = WM_APP + 77;
std::vector<std::string> g_descendantOrder;

class CDescendantRecorder : public CWnd
{
public:
    explicit CDescendantRecorder(const char* pszName) : m_strName(pszName) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kDescendantMsg)
            g_descendantOrder.push_back(m_strName);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool Make(CWnd* pParent)
    {
        return CreateEx(0, AfxRegisterWndClass(0), m_strName.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                        pParent->m_hWnd, NULL) != FALSE;
    }

private:
    std::string m_strName;
};

LRESULT CALLBACK RawRecorderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDescendantMsg)
        g_descendantOrder.push_back("raw");
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

// Each child, then its own descendants, then its next sibling; only the first level when
// not deep; windows without an object of the library only when not limited to those.
TEST(MessageMap, SendMessageToDescendantsWalksTheTreeInOrder)
{
    CDescendantRecorder top("top"), a("a"), a1("a1"), a2("a2"), b("b");
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_TRUE(a.Make(&top));
    ASSERT_TRUE(a1.Make(&a));
    ASSERT_TRUE(a2.Make(&a));
    ASSERT_TRUE(b.Make(&top));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RawRecorderProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "KorvaneRawRecorder";
    ::RegisterClassA(&wc);
    HWND hRaw = ::CreateWindowA("KorvaneRawRecorder", "", WS_CHILD, 0, 0, 5, 5, b.m_hWnd, NULL, wc.hInstance, NULL);
    ASSERT_NE(hRaw, (HWND)NULL);

    // The first child made is the last in the z order, as GetTopWindow walks it.
    std::vector<std::string> expected;
    for (HWND h = ::GetTopWindow(top.m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        ASSERT_NE(p, nullptr);
        if (p == &a) {
            expected.push_back("a");
            for (HWND c = ::GetTopWindow(a.m_hWnd); c != NULL; c = ::GetWindow(c, GW_HWNDNEXT))
                expected.push_back(c == a1.m_hWnd ? "a1" : "a2");
        } else {
            expected.push_back("b");
            expected.push_back("raw");
        }
    }

    g_descendantOrder.clear();
    top.SendMessageToDescendants(kDescendantMsg, 0, 0, TRUE, FALSE);
    EXPECT_EQ(g_descendantOrder, expected);

    g_descendantOrder.clear();
    top.SendMessageToDescendants(kDescendantMsg, 0, 0, TRUE, TRUE);
    expected.erase(std::remove(expected.begin(), expected.end(), std::string("raw")), expected.end());
    EXPECT_EQ(g_descendantOrder, expected);

    g_descendantOrder.clear();
    top.SendMessageToDescendants(kDescendantMsg, 0, 0, FALSE, TRUE);
    std::vector<std::string> firstLevel;
    for (const std::string& name : expected)
        if (name == "a" || name == "b")
            firstLevel.push_back(name);
    EXPECT_EQ(g_descendantOrder, firstLevel);
    top.DestroyWindow();
}

// Only the direct children with an object of the library: no grandchild, no window without
// an object, no window the parent merely owns, and none that is gone.
TEST(MessageMap, ThePermanentChildrenAreTheDirectChildrenWithObjects)
{
    CDescendantRecorder top("top"), a("a"), a1("a1"), b("b"), owned("owned"), gone("gone");
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    ASSERT_TRUE(a.Make(&top));
    ASSERT_TRUE(a1.Make(&a));
    ASSERT_TRUE(b.Make(&top));
    ASSERT_TRUE(gone.Make(&top));
    ASSERT_TRUE(owned.CreateEx(0, AfxRegisterWndClass(0), "owned", WS_POPUP, 0, 0, 5, 5, top.m_hWnd, NULL));
    HWND hRaw = ::CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 5, 5, top.m_hWnd, NULL, NULL, NULL);
    ASSERT_NE(hRaw, (HWND)NULL);
    gone.DestroyWindow();

    CArray<HWND, HWND> children;
    AfxGetPermanentChildren(top.m_hWnd, children);
    std::vector<HWND> found(children.GetData(), children.GetData() + children.GetSize());
    std::sort(found.begin(), found.end());
    std::vector<HWND> expected = {a.m_hWnd, b.m_hWnd};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, found);
    AfxGetPermanentChildren(NULL, children);
    EXPECT_EQ(0, children.GetSize());
    owned.DestroyWindow();
    top.DestroyWindow();
}
