// The ways out of the program: the file menu's exit and Alt+F4, idle and with a port running;
// each ends the program with 0.
#include <gtest/gtest.h>

#include "journeys.h"

using namespace e2e;

namespace {

enum class Way { ExitItem, AltF4 };

void EndProgram(Korvane& k, Way way)
{
    if (way == Way::ExitItem) {
        HWND hPopup = k.OpenMenu('F');
        ASSERT_NE(nullptr, hPopup);
        const std::vector<MenuRow> rows = k.MenuCommands(hPopup);
        ASSERT_EQ(4u, rows.size()) << "the file menu's commands";
        EXPECT_FALSE(rows[3].greyed) << "\"ｱﾌﾟﾘｹｰｼｮﾝの終了\" is greyed";
        const POINT at = MenuRowPoint(hPopup, rows[3]);
        Click(at.x, at.y);
    } else {
        k.Activate();
        Key(VK_F4, kAlt);
    }
    DWORD code = 99;
    EXPECT_TRUE(k.Process().WaitExit(10000, &code)) << "the program still runs";
    EXPECT_EQ(0u, code);
}

} // namespace

TEST(Exit, TheFileMenusExitAndAltF4EndTheProgramWithZeroIdleAndWithAPortRunning)
{
    for (Way way : {Way::ExitItem, Way::AltF4}) {
        {
            SCOPED_TRACE(way == Way::ExitItem ? "exit item, idle" : "Alt+F4, idle");
            Korvane k;
            ASSERT_TRUE(k.Start());
            EndProgram(k, way);
        }
        {
            SCOPED_TRACE(way == Way::ExitItem ? "exit item, port running" : "Alt+F4, port running");
            SerialPeer peer;
            Korvane k;
            StartConnected(k, peer, "Exit");
            if (HasFatalFailure())
                return;
            EndProgram(k, way);
        }
    }
}
