// The platform popup behind the context-menu interface: items are enabled by the target's
// update handlers just before the menu opens, and the chosen command reaches the target.
#include <gtest/gtest.h>

#include "contextmenupresenter.h"
#include "winharness.h"

using namespace winharness;

namespace {

const UINT ID_HANDLED = 32820;
const UINT ID_UNHANDLED = 40001;

class CTargetWnd : public CWnd {
public:
    int chosen = 0;
    afx_msg void OnHandled() { ++chosen; }
    afx_msg void OnUpdateHandled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTargetWnd, CWnd)
    ON_COMMAND(ID_HANDLED, OnHandled)
    ON_UPDATE_COMMAND_UI(ID_HANDLED, OnUpdateHandled)
END_MESSAGE_MAP()

class PlatformPresenterTest : public ::testing::Test {
protected:
    PlatformPresenterTest()
    {
        target.CreateEx(0, AfxRegisterWndClass(0), "presenter test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        300, 200, nullptr, nullptr);
    }
    ~PlatformPresenterTest() override { target.DestroyWindow(); }

    CTargetWnd target;
};

TEST_F(PlatformPresenterTest, PlatformPopupEnablesByHandlerAndSendsTheChoiceToTheTarget)
{
    CMenu menu;
    menu.CreateMenu();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_HANDLED, "ﾌﾟﾛﾊﾟﾃｨ...");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_UNHANDLED, "no handler");
    const HMENU hPopup = popup.Detach();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "ctx");

    CPlatformMenuPresenter::UpdateMenuItems(&target, CMenu::FromHandle(hPopup));
    EXPECT_EQ(0u, GetMenuState(hPopup, ID_HANDLED, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    EXPECT_NE(0u, GetMenuState(hPopup, ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);

    // The keys wait in the queue; the popup's own loop takes them: first item, then Enter.
    target.SetForegroundWindow();
    PostMessageA(target.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(target.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    POINT at = {20, 20};
    ::ClientToScreen(target.m_hWnd, &at);
    EXPECT_TRUE(CPlatformMenuPresenter::TrackMenu(&target, menu, CPoint(at.x, at.y)));
    EXPECT_TRUE(PumpUntil([&] { return target.chosen > 0; }, 1000));
    EXPECT_EQ(1, target.chosen);
}

TEST_F(PlatformPresenterTest, PlatformPresenterReportsAMissingMenu)
{
    CPlatformMenuPresenter presenter;
    EXPECT_FALSE(presenter.TrackContextMenu(&target, 0x7FF0, CPoint(10, 10)));
}

}  // namespace
