// The program as a person meets it: the first start with nothing saved, the layout and bars kept
// across restarts, and the ways out of it.
#include <gtest/gtest.h>

#include "journeys.h"

using namespace e2e;

TEST(FirstStart, ShowsTitleBarsStatusAndTheDefaultLayout)
{
    Korvane k;
    ASSERT_TRUE(k.Start());
    EXPECT_EQ("Default - Korvane", TextOf(k.Main()));
    EXPECT_TRUE(Seen(k.MenuBar())) << "no menu bar";
    EXPECT_TRUE(Seen(k.ToolBar())) << "no toolbar";
    EXPECT_TRUE(StatusBarSeen(k)) << "no status bar";
    const std::vector<std::string> status = k.Status();
    ASSERT_GE(status.size(), 3u);
    // The idle prompt is there from the start, before any menu has been opened.
    EXPECT_EQ("ﾚﾃﾞｨ", status[0]);
    EXPECT_EQ("None", status[1]);
    EXPECT_EQ("None", status[2]);

    LayoutView layout = k.ReadLayout();
    k.ReadTabOrders(layout);
    ExpectDefaultLayout(k, layout);

    const ViewChecks checks = ReadViewChecks(k);
    EXPECT_TRUE(checks.toolbar);
    EXPECT_TRUE(checks.statusBar);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(checks.panes[i]) << NameOf(kPanes[i].id) << " unchecked in the view menu";
    EXPECT_TRUE(k.Close());
}
