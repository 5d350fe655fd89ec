#include "framework/FormatText.h"

#include <gtest/gtest.h>

TEST(FormatText, FormatsLikePrintf)
{
    EXPECT_EQ(FormatText("%s (%d%%)", "a.dll", 42), "a.dll (42%)");
}

TEST(FormatText, CutsLongTextsAt511Characters)
{
    std::string longText(2000, 'x');
    EXPECT_EQ(FormatText("%s", longText.c_str()).size(), 511u);
}
