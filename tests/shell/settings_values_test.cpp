// The window-free rules of the other-settings pages: the least log size and the menu
// animations.
#include <gtest/gtest.h>

#include "settingsvalues.h"

#include <climits>

TEST(SettingsValues, TheLogKeepsAtLeastTenEntries)
{
    EXPECT_EQ(10, AtLeastMinLogEntries(5));
    EXPECT_EQ(10, AtLeastMinLogEntries(INT_MIN));
    EXPECT_EQ(10, AtLeastMinLogEntries(10));
    EXPECT_EQ(11, AtLeastMinLogEntries(11));
    EXPECT_EQ(INT_MAX, AtLeastMinLogEntries(INT_MAX));
}

TEST(SettingsValues, AnimationNumbersOutsideTheTableShowTheFirstEntry)
{
    int nCount = 0;
    while (kMenuAnimations[nCount].szName[0] != '\0')
        ++nCount;
    ASSERT_EQ(11, nCount);
    EXPECT_STREQ("Noise", kMenuAnimations[MenuAnimationListIndex(7)].szName);
    EXPECT_STREQ("Holes", kMenuAnimations[MenuAnimationListIndex(10)].szName);
    EXPECT_EQ(0, MenuAnimationListIndex(42));
    EXPECT_EQ(0, MenuAnimationListIndex(-1));
}
