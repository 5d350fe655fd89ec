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

TEST(FormatText, FillsNumberedPlacesOnce)
{
    EXPECT_EQ(FormatNumbered("%1 returned error code %2.", {"OpenProcessToken", "1314"}),
              "OpenProcessToken returned error code 1314.");
    EXPECT_EQ(FormatNumbered("%2 before %1, %1 again", {"a", "b"}), "b before a, a again");
    EXPECT_EQ(FormatNumbered("%1 and %3 and 100%", {"%2", "x"}), "%2 and %3 and 100%");
}
