#include "profile/DestinationMacros.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "profile/MacroExpansion.h"

namespace {
// Stands in for GetShortPathName: long names get a short form, "C:\KALMORA\" has none.
std::string ShortForm(const std::string& path)
{
    if (path == "C:\\Program Files\\Kalmora 4.0\\Sample Documents\\")
        return "C:\\PROGRA~1\\KALMOR~1\\SAMPLE~1";  // without its backslash, as some paths come
    if (path == "C:\\Program Files\\Kalmora 4.0\\")
        return "C:\\PROGRA~1\\KALMOR~1\\";
    return "";
}
}

TEST(DestinationMacros, NameEveryDirectoryInShortFormWithItsBackslashThenTheLaunchDrive)
{
    CDestinationStore destinations("D:\\DISK01\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\");
    destinations.SetNameAndParent(0, "Kalmora", -1);
    destinations.SetDirectory(0, "C:\\Program Files\\Kalmora 4.0\\");
    destinations.SetNameAndParent(1, "Samples", 0);
    destinations.SetDirectory(1, "C:\\Program Files\\Kalmora 4.0\\Sample Documents\\");
    destinations.SetNameAndParent(2, "Unused", 0);

    MacroTable table = BuildMacroTable(destinations, "D:\\DISK01\\", ShortForm);
    ASSERT_EQ(table.names.size(), table.values.size());
    EXPECT_EQ(table.names.back(), "?LaunchDrive?");
    EXPECT_EQ(table.values.back(), "D:");
    EXPECT_EQ(std::count(table.names.begin(), table.names.end(), "?2?"), 0) << "a destination without directory";

    EXPECT_EQ(ExpandMacros("?0?kmshare.dll", table.names, table.values), "C:\\PROGRA~1\\KALMOR~1\\kmshare.dll");
    EXPECT_EQ(ExpandMacros("?1?letter.kmd", table.names, table.values), "C:\\PROGRA~1\\KALMOR~1\\SAMPLE~1\\letter.kmd");
    EXPECT_EQ(ExpandMacros("?-3?kmshare.dll", table.names, table.values), "C:\\WINDOWS\\SYSTEM\\kmshare.dll");
    EXPECT_EQ(ExpandMacros("?LaunchDrive?\\DISK01", table.names, table.values), "D:\\DISK01");
}
