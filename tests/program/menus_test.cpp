// The menus of the menu bar and the toolbar's drop-down menu open, animate and close in each of
// the four looks, leaving nothing drawn behind: the screen under a menu reads the same after
// it closed as before it opened.
#include <gtest/gtest.h>

#include "journeys.h"

using namespace e2e;

namespace {

// Opens a menu by open(), takes its rectangle, closes it with Esc and compares the screen
// there with what it showed before.
void ExpectLeavesNothing(Korvane& k, const std::string& what, const std::function<void()>& open)
{
    SCOPED_TRACE(what);
    // The cursor away from the window, so no hover changes a thing.
    const POINT away = {::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2};
    MouseMove(away.x, away.y);
    WaitStill(ScreenRect(k.Main()));
    const Screenshot before(ScreenRect(k.Main()));
    open();
    HWND hPopup = NULL;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> popups = PopupMenus(k.Pid());
        hPopup = popups.empty() ? NULL : popups.front();
        return hPopup != NULL;
    })) << "no menu opened";
    WaitStill(ScreenRect(hPopup));
    RECT rc = ScreenRect(hPopup);
    EXPECT_GT(InkPixels(rc), 0) << "the menu shows nothing";
    k.CloseMenus();
    ASSERT_TRUE(k.NoMenuOpen());
    // The menu bar's keyboard mode ends too, and the cursor leaves the button it clicked.
    Key(VK_ESCAPE);
    MouseMove(away.x, away.y);
    const RECT rcMain = ScreenRect(k.Main());
    IntersectRect(&rc, &rc, &rcMain);
    WaitStill(rc);
    const Screenshot after(rcMain);
    int changed = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            changed += before.At(x, y) != after.At(x, y);
    EXPECT_EQ(0, changed) << "pixels under the closed menu differ from before it opened";
}

} // namespace

TEST(Menus, OpenAnimateAndCloseLeavingNothingDrawnInEveryLook)
{
    struct Look {
        DWORD id;
        DWORD animation;
        const char* name;
        const char* menus;
    };
    for (const Look& look : {Look{32827, 3, "Studio 2005, slide", "FECTVH"}, Look{32828, 5, "Office 2003, roll and stretch", "FV"},
                             Look{32829, 7, "XP, noise", "FV"}, Look{32830, 9, "classic, circles", "FV"}}) {
        SCOPED_TRACE(look.name);
        Korvane k;
        SetProgramSetting("UI", look.id);
        SetProgramSetting("CONTEXT", look.animation);
        ASSERT_TRUE(k.Start());
        for (const char* key = look.menus; *key != '\0'; ++key) {
            ExpectLeavesNothing(k, std::string("menu bar, Alt+") + *key, [&] {
                k.Activate();
                Key(static_cast<WORD>(*key), kAlt);
            });
        }
        // The toolbar's drop-down: its chevron at the bar's end.
        const RECT rcTool = ScreenRect(k.ToolBar());
        ExpectLeavesNothing(k, "the toolbar's chevron", [&] { Click(rcTool.right - 6, (rcTool.top + rcTool.bottom) / 2); });
        EXPECT_TRUE(k.Close());
    }
}
