// The window-free rules of the settings pages: numbers of the digit edits, the least log size
// and the menu animations.
#include <gtest/gtest.h>

#include "settingsvalues.h"

#include <climits>
#include <string>

TEST(SettingsValues, DigitTextsAreReadWithoutWrappingPastTheIntRange)
{
    EXPECT_EQ(0, ParseClampedInt(""));
    EXPECT_EQ(0, ParseClampedInt("abc"));
    EXPECT_EQ(1234, ParseClampedInt("1234"));
    EXPECT_EQ(1234, ParseClampedInt(" 1234x9"));
    EXPECT_EQ(INT_MAX, ParseClampedInt("2147483647"));
    EXPECT_EQ(INT_MAX, ParseClampedInt("2147483648"));
    EXPECT_EQ(INT_MAX, ParseClampedInt("9999999999"));
    EXPECT_EQ(INT_MAX, ParseClampedInt(std::string(400, '9').c_str()));
    EXPECT_EQ(INT_MIN, ParseClampedInt("-2147483648"));
    EXPECT_EQ(INT_MIN, ParseClampedInt("-99999999999"));
    EXPECT_EQ(-5, ParseClampedInt("-5"));
}

TEST(SettingsValues, TheLogKeepsAtLeastTenEntries)
{
    EXPECT_EQ(10, LogEntriesFromText("5"));
    EXPECT_EQ(10, LogEntriesFromText(""));
    EXPECT_EQ(10, LogEntriesFromText("-7"));
    EXPECT_EQ(10, LogEntriesFromText("10"));
    EXPECT_EQ(1234, LogEntriesFromText("1234"));
    EXPECT_EQ(INT_MAX, LogEntriesFromText("99999999999"));
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
