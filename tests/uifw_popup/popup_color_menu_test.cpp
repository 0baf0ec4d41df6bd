// The colour menu as a tracked window: its size and current swatch from the look, the
// preview and final notifications for mouse and keys, the two buttons, and the release of
// the click that opened it over its button.
#include "popup_test_support.h"

#include "paintmanager.h"
#include "paintmanagerholder.h"
#include "popupcolormenuwnd.h"

using namespace popuptest;
using namespace winharness;

namespace {

const LPARAM kCookie = 77;

class PopupColorMenuTest : public ::testing::Test {
protected:
    PopupColorMenuTest() : frame(MakeReceiver()) {}
    ~PopupColorMenuTest() override
    {
        CUiPopupMenuWnd::CloseTrackedMenus();
        DestroyReceiver(frame);
    }
    CUiPopupColorMenuWnd* NewMenu()
    {
        CUiPopupColorMenuWnd* pMenu = new CUiPopupColorMenuWnd;
        pMenu->InitRootMenu(frame->GetSafeHwnd());
        pMenu->m_lCookie = kCookie;
        pMenu->m_pResult = &clrResult;
        return pMenu;
    }
    // Tracked with the real cursor away from the menu: a hand resting on a swatch, however
    // late the thread takes its moves, would preview it.
    CUiPopupColorMenuWnd* Track(const RECT* pExclude = nullptr)
    {
        ::SetCursorPos(1270, 1010);
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
        CUiPopupColorMenuWnd* pMenu = NewMenu();
        EXPECT_TRUE(pMenu->TrackMenu(0, 200, 200, pExclude));
        EXPECT_TRUE(WaitAnimationEnd());
        return pMenu;
    }
    static CPoint OnScreen(CWnd* pWnd, const CRect& rc)
    {
        CPoint pt = rc.CenterPoint();
        pWnd->ClientToScreen(&pt);
        return pt;
    }
    static bool Ended()
    {
        return PumpUntil([] { return !CUiPopupMenuWnd::IsTrackingMenu(); });
    }
    // The notifications of the colour menu that reached the receiver so far.
    std::vector<CReceiverFrame::Received> Notes()
    {
        CUiPopupMenuWnd::PumpPendingMessages(FALSE);
        std::vector<CReceiverFrame::Received> notes;
        for (const auto& r : frame->received) {
            if (r.message == CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
                r.message == CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally ||
                r.message == CUiPopupColorMenuWnd::g_nMsgNotifyCustColor)
                notes.push_back(r);
        }
        return notes;
    }

    PopupScope scope;
    CReceiverFrame* frame;
    COLORREF clrResult = RGB(1, 1, 1);
};

TEST_F(PopupColorMenuTest, SizeButtonsAndTheInitialSwatch)
{
    CUiPopupColorMenuWnd* pMenu = NewMenu();
    EXPECT_STREQ("Default Color", pMenu->m_strDefaultText);
    EXPECT_STREQ("Custom Color ...", pMenu->m_strCustomText);
    EXPECT_EQ(-1, pMenu->m_nCurrent);
    pMenu->m_dwOptions = 0;
    const int sh = pMenu->GetShadowSize();
    const int m = pMenu->GetItemMargin();
    EXPECT_EQ(CSize(sh + 2 * m + 160, sh + 2 * m + 100), pMenu->CalcMenuSize());
    pMenu->m_clrInitial = RGB(127, 127, 127);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    EXPECT_EQ(23, pMenu->m_nCurrent);
    CRect rcContent;
    pMenu->GetContentRect(rcContent);
    EXPECT_EQ(CRect(m + 22, m + 22, m + 38, m + 38) + rcContent.TopLeft(), pMenu->GetCellRect(9));
    CUiPopupMenuWnd::CloseTrackedMenus();

    CUiPopupColorMenuWnd* pOther = NewMenu();
    pOther->m_clrInitial = RGB(1, 2, 3);
    ASSERT_TRUE(pOther->TrackMenu(0, 200, 200));
    EXPECT_EQ(-1, pOther->m_nCurrent);
}

TEST_F(PopupColorMenuTest, TheOpeningReleaseOverTheButtonKeepsTheMenuAClickOnASwatchChooses)
{
    const CRect rcButton(150, 170, 230, 195);
    CUiPopupColorMenuWnd* pMenu = Track(&rcButton);
    EXPECT_EQ(1, HookMouse(WM_LBUTTONUP, rcButton.CenterPoint()));
    PumpFor(50);
    EXPECT_TRUE(CUiPopupMenuWnd::IsTrackingMenu());
    EXPECT_TRUE(Notes().empty());

    HookMouse(WM_LBUTTONUP, OnScreen(pMenu, pMenu->GetCellRect(16)));
    EXPECT_TRUE(Ended());
    const auto notes = Notes();
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, notes[0].message);
    EXPECT_EQ((WPARAM)RGB(255, 0, 0), notes[0].wParam);
    EXPECT_EQ(kCookie, notes[0].lParam);
    EXPECT_EQ(RGB(255, 0, 0), clrResult);
}

TEST_F(PopupColorMenuTest, AReleaseElsewhereEndsWithoutAChoice)
{
    Track();
    HookMouse(WM_LBUTTONUP, CPoint(900, 700));
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(RGB(1, 1, 1), clrResult);
}

TEST_F(PopupColorMenuTest, ArrowsPreviewThroughTheGridAndEscapeChoosesNothing)
{
    CUiPopupColorMenuWnd* pMenu = Track();
    HookKey(VK_DOWN);
    EXPECT_EQ(0, pMenu->m_nChosen);
    HookKey(VK_LEFT);
    EXPECT_EQ(7, pMenu->m_nChosen);
    pMenu->m_nChosen = 3;
    HookKey(VK_UP);
    EXPECT_EQ(35, pMenu->m_nChosen);
    HookKey(VK_ESCAPE);
    EXPECT_TRUE(Ended());
    const auto notes = Notes();
    ASSERT_EQ(3u, notes.size());
    const COLORREF expected[] = {RGB(0, 0, 0), RGB(40, 40, 40), RGB(152, 251, 152)};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChanged, notes[i].message);
        EXPECT_EQ((WPARAM)expected[i], notes[i].wParam);
        EXPECT_EQ(kCookie, notes[i].lParam);
    }
    EXPECT_EQ(RGB(1, 1, 1), clrResult);
}

TEST_F(PopupColorMenuTest, TheCustomButtonAsksForTheDialogTheDefaultButtonReportsTheDefault)
{
    CUiPopupColorMenuWnd* pMenu = Track();
    const CPoint ptCustom = OnScreen(pMenu, pMenu->GetCustomButtonRect());
    EXPECT_EQ(1, HookMouse(WM_MOUSEMOVE, ptCustom));
    EXPECT_EQ(PopupColorGrid::kChosenCustom, pMenu->m_nChosen);
    EXPECT_TRUE(Notes().empty());
    HookMouse(WM_LBUTTONUP, ptCustom);
    EXPECT_TRUE(Ended());
    auto notes = Notes();
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyCustColor, notes[0].message);
    EXPECT_EQ(0u, notes[0].wParam);
    EXPECT_EQ(kCookie, notes[0].lParam);
    EXPECT_EQ(PopupColorGrid::kResultCustom, clrResult);

    frame->received.clear();
    pMenu = NewMenu();
    pMenu->m_clrDefault = RGB(10, 20, 30);
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    HookMouse(WM_LBUTTONUP, OnScreen(pMenu, pMenu->GetDefaultButtonRect()));
    notes = Notes();
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, notes[0].message);
    EXPECT_EQ((WPARAM)RGB(10, 20, 30), notes[0].wParam);
    EXPECT_EQ(RGB(10, 20, 30), clrResult);
}

TEST_F(PopupColorMenuTest, EnterChoosesTheSwatchAltEndsWithoutAColour)
{
    Track();
    HookKey(VK_DOWN);
    HookKey(VK_RETURN);
    EXPECT_TRUE(Ended());
    auto notes = Notes();
    ASSERT_EQ(2u, notes.size());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, notes[1].message);
    EXPECT_EQ((WPARAM)RGB(0, 0, 0), notes[1].wParam);

    frame->received.clear();
    Track();
    HookKey(VK_MENU);
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(Notes().empty());
}

TEST_F(PopupColorMenuTest, SwatchesArePaintedInTheirColourFramedInColour21)
{
    CUiPopupColorMenuWnd* pMenu = Track();
    CRect rcClient;
    pMenu->GetClientRect(rcClient);
    DibSurface surface(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
    pMenu->PaintContent(*surface.cdc(), FALSE);
    const COLORREF clrFrame = PaintManagerHolder::Get().GetStoredHandle()->GetColor(21);
    for (int i : {0, 16, 35, 39}) {
        CRect rc = pMenu->GetCellRect(i);
        rc.DeflateRect(2, 2);
        EXPECT_EQ(PopupColorGrid::Entry(i).clr, surface.Pixel(rc.CenterPoint().x, rc.CenterPoint().y)) << i;
        EXPECT_EQ(clrFrame, surface.Pixel(rc.left, rc.top + 3)) << i;
    }
}

TEST_F(PopupColorMenuTest, AsASubmenuItOpensAndPostsItsChoiceButNotInContextHelpMode)
{
    CUiPopupMenuWnd* pMenu = new CUiPopupMenuWnd;
    pMenu->InitRootMenu(frame->GetSafeHwnd());
    pMenu->ItemInsertCommand(ID_A, -1, "&Alpha", nullptr, nullptr, 0);
    CUiPopupColorMenuWnd* pColors = new CUiPopupColorMenuWnd;
    pColors->m_lCookie = kCookie;
    ASSERT_TRUE(pMenu->ItemInsertSubmenu(pColors, -1, "&Colour"));
    ASSERT_EQ(pColors, pMenu->ItemGetPopup(1));
    ASSERT_TRUE(pMenu->TrackMenu(0, 200, 200));
    ASSERT_TRUE(WaitAnimationEnd());
    pMenu->SetCurrentItem(1, TRUE, TRUE, TRUE);
    ASSERT_TRUE(WaitAnimationEnd());
    ASSERT_TRUE(::IsWindow(pColors->GetSafeHwnd()));
    HookMouse(WM_LBUTTONUP, OnScreen(pColors, pColors->GetCellRect(16)));
    EXPECT_TRUE(Ended());
    const auto notes = Notes();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(CUiPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, notes.back().message);
    EXPECT_EQ((WPARAM)RGB(255, 0, 0), notes.back().wParam);

    CUiPopupColorMenuWnd helpColors;
    EXPECT_TRUE(helpColors.IsSubmenuOpenAllowed());
    helpColors.m_nTrackFlags = CUiPopupMenuWnd::kHelpMode;
    EXPECT_FALSE(helpColors.IsSubmenuOpenAllowed());
}

}  // namespace
