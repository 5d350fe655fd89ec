#include "app/SummaryText.h"

#include <gtest/gtest.h>

TEST(SummaryText, LayoutOfTheSummary)
{
    EXPECT_EQ(BuildSummary("Typical", {"Program", "Clip Art"}, "C:\\KALMORA", "Orvane"),
              "Setup Type:\r\n\tTypical\r\n\t\tProgram\r\n\t\tClip Art\r\n"
              "\r\nTargetDirectory\r\n\tC:\\KALMORA\r\n\r\nProgram Folder\r\n\tOrvane");
}

TEST(SummaryText, LongPathsAreKeptWhole)
{
    std::string directory = "C:\\" + std::string(2000, 'd');
    std::string summary = BuildSummary("Custom", {}, directory, "Orvane");
    EXPECT_NE(summary.find(directory), std::string::npos);
    EXPECT_EQ(summary.substr(summary.size() - 6), "Orvane");
}
