// The numbers of the settings pages' digit edits: read without overflow, clamped to int32.
#include <gtest/gtest.h>

#include "settingsnumbers.h"

TEST(SettingsNumbers, DigitsAreReadFromTheStartAndClampedToTheInt32Range)
{
    EXPECT_EQ(0, ParseDecimalClamped(""));
    EXPECT_EQ(0, ParseDecimalClamped(nullptr));
    EXPECT_EQ(0, ParseDecimalClamped("x12"));
    EXPECT_EQ(115200, ParseDecimalClamped("115200"));
    EXPECT_EQ(12, ParseDecimalClamped("12ab"));
    EXPECT_EQ(2147483647, ParseDecimalClamped("2147483647"));
    EXPECT_EQ(2147483647, ParseDecimalClamped("2147483648"));
    EXPECT_EQ(2147483647, ParseDecimalClamped("9999999999"));
    EXPECT_EQ(2147483647, ParseDecimalClamped("99999999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, ParseDecimalClamped("-99999999999"));
}
