#include "tools/profcheck/WindowsIniReader.h"

#include <gtest/gtest.h>

#include "ProfileTestFiles.h"

TEST(WindowsIniReader, GivesValuesAsTheWindowsFunctionsDo)
{
    ScratchDirectory dir;
    ProfileValueReader read = WindowsIniReader(dir.Write(
        "ov_setup.ini", "; vendor\n[MediaTypes]\nCount = \"12\"\nshortname = 'Kalmora'\nshortname = Other\n"
                        "longname = \"Kalmora 4.0\n"));
    EXPECT_EQ(read("mediatypes", "count", "0", 5), "12");
    EXPECT_EQ(read("mediatypes", "count", "0", 2), "1");
    EXPECT_EQ(read("mediatypes", "shortname", "", 50), "Kalmora");
    EXPECT_EQ(read("mediatypes", "longname", "", 100), "\"Kalmora 4.0") << "an unmatched quote stays";
    EXPECT_EQ(read("mediatypes", "missing", "0", 5), "0");
    EXPECT_EQ(read("nowhere", "count", "fallback", 5), "fall");
}
