#include "uninstall/SelfRemovalScript.h"

#include <gtest/gtest.h>

namespace {
std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++found;
    return found;
}
}  // namespace

// "%" in a path is doubled, so that the interpreter neither expands "%TEMP%" nor swallows the
// "%" of "100% Kalmora"; every other character, a non-ASCII one too, stands as it is.
TEST(SelfRemovalScript, PathsKeepTheirPercentSigns)
{
    EXPECT_EQ(SelfRemovalScript::Quoted("C:\\100% Kalmora\\unsetup.exe"), "\"C:\\100%% Kalmora\\unsetup.exe\"");
    EXPECT_EQ(SelfRemovalScript::Quoted("C:\\%TEMP%\\x"), "\"C:\\%%TEMP%%\\x\"");
    EXPECT_EQ(SelfRemovalScript::Quoted("C:\\B\xFCro"), "\"C:\\B\xFCro\"");
}

// The program is tried a bounded number of times with a pause between the tries; whatever came
// of them, the script then removes the directory and itself, and ends.
TEST(SelfRemovalScript, TriesABoundedNumberOfTimesAndEnds)
{
    std::string text = SelfRemovalScript::Text("C:\\100% Kalmora\\unsetup.exe", "C:\\100% Kalmora",
                                               "C:\\TEMP\\kmunset1.bat");
    const std::string program = "\"C:\\100%% Kalmora\\unsetup.exe\"";
    EXPECT_EQ(Count(text, "del " + program + " >nul\r\n"), static_cast<std::size_t>(SelfRemovalScript::kAttempts));
    EXPECT_EQ(Count(text, "ping -n 2 127.0.0.1 >nul\r\n"), static_cast<std::size_t>(SelfRemovalScript::kAttempts - 1));
    EXPECT_EQ(Count(text, "goto "), static_cast<std::size_t>(SelfRemovalScript::kAttempts));
    EXPECT_EQ(text.find(":again"), std::string::npos) << "no loop without an end";
    std::string end = ":gone\r\nrmdir \"C:\\100%% Kalmora\" >nul\r\ndel \"C:\\TEMP\\kmunset1.bat\" >nul\r\n";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    EXPECT_EQ(text.rfind("@echo off\r\n", 0), 0u);
}
