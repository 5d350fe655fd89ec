#include "framework/FormatText.h"

#include <gtest/gtest.h>

TEST(FormatText, FormatsLikePrintf)
{
    EXPECT_EQ(FormatText("%s (%d%%)", "a.dll", 42), "a.dll (42%)");
}

// The conversions the programs use, as the C library of each platform must give them (the
// Windows build formats with msvcrt's printf, the native build with the host's).
TEST(FormatText, FormatsEveryConversionInUse)
{
    const struct {
        std::string got;
        const char* expected;
    } rows[] = {
        {FormatText("%u%%", 7u), "7%"},
        {FormatText("%02d", 3), "03"},
        {FormatText("diskette.%03d", 12), "diskette.012"},
        {FormatText("%%%02X", 0x0a), "%0A"},
        {FormatText("%.4x%.4x", 0x7fff, 0x1f), "7fff001f"},
        {FormatText("%s: %.1f ms", "copy", 12.26), "copy: 12.3 ms"},
        {FormatText("%.1f", 0.06), "0.1"},
        {FormatText("%u.%d (%s)", 4u, -2, "CXFileException"), "4.-2 (CXFileException)"},
    };
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(rows[i].got, rows[i].expected) << "row " << i;
}

TEST(FormatText, CutsLongTextsAt511Characters)
{
    std::string longText(2000, 'x');
    EXPECT_EQ(FormatText("%s", longText.c_str()).size(), 511u);
    for (std::size_t length : {510u, 511u, 512u}) {
        std::string text = FormatText("%s", std::string(length, 'y').c_str());
        EXPECT_EQ(text, std::string(length < 511u ? length : 511u, 'y')) << length;
    }
}

TEST(FormatText, FillsNumberedPlacesOnce)
{
    EXPECT_EQ(FormatNumbered("%1 returned error code %2.", {"OpenProcessToken", "1314"}),
              "OpenProcessToken returned error code 1314.");
    EXPECT_EQ(FormatNumbered("%2 before %1, %1 again", {"a", "b"}), "b before a, a again");
    EXPECT_EQ(FormatNumbered("%1 and %3 and 100%", {"%2", "x"}), "%2 and %3 and 100%");
}
