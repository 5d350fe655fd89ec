#include "profile/MacroExpansion.h"

#include <gtest/gtest.h>

#include "ProfileTestFiles.h"

namespace {
const std::vector<std::string> kNames = {"?1?", "?2?", "?LaunchDrive?"};
const std::vector<std::string> kValues = {"C:\\KALMORA", "C:\\KALMORA\\DATA~1", "A:"};
}

TEST(ExpandMacros, ReplacesMacrosAndApostrophePairs)
{
    struct Row { const char* text; const char* expanded; } rows[] = {
        {"plain text", "plain text"},
        {"", ""},
        {"?1?\\bin", "C:\\KALMORA\\bin"},
        {"?1? and ?1?", "C:\\KALMORA and C:\\KALMORA"},
        {"?2?|?LaunchDrive?\\setup.exe", "C:\\KALMORA\\DATA~1|A:\\setup.exe"},
        {"say ''hi''", "say \"hi\""},
        {"'''", "\"'"},
        {"''''", "\"\""},
        {"?1? ''x''", "C:\\KALMORA \"x\""},
        {"?lAUNCHdRIVE?x", nullptr},
    };
    for (const Row& row : rows) {
        MessageRecorder recorder;
        std::string result = ExpandMacros(row.text, kNames, kValues);
        if (row.expanded) {
            EXPECT_EQ(result, row.expanded) << row.text;
            EXPECT_TRUE(recorder.messages.empty()) << row.text;
        } else {
            EXPECT_EQ(result, row.text) << "matching is case-sensitive: " << row.text;
            EXPECT_EQ(recorder.messages.size(), 1u) << row.text;
        }
    }
}

TEST(ExpandMacros, ValueHoldingAMacroIsExpandedInALaterPass)
{
    EXPECT_EQ(ExpandMacros("?a?", {"?a?", "?b?"}, {"[?b?]", "B"}), "[B]");
    EXPECT_EQ(ExpandMacros("?b??a?", {"?a?", "?b?"}, {"?b?", "B"}), "BB");
}

TEST(ExpandMacros, StrayQuestionMarkEndsAtThePassLimitWithTheMessage)
{
    MessageRecorder recorder;
    EXPECT_EQ(ExpandMacros("?1? is it?", kNames, kValues), "C:\\KALMORA is it?");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Error in macro in line -> C:\\KALMORA is it?");
}

TEST(ExpandMacros, ApostrophePassLimitStopsWithItsMessage)
{
    MessageRecorder recorder;
    std::string pairs;
    for (int i = 0; i < 101; ++i)
        pairs += "''";
    std::string result = ExpandMacros(pairs, {}, {});
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "Error substituting two single quotes for one double quote");
    EXPECT_EQ(result, std::string(100, '"') + "''");
    recorder.messages.clear();
    EXPECT_EQ(ExpandMacros(pairs.substr(2), {}, {}), std::string(100, '"'));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(ExpandMacros, SkipsEmptyNamesAndUnpairedEntries)
{
    MessageRecorder recorder;
    EXPECT_EQ(ExpandMacros("?x? y", {"", "?x?", "?z?"}, {"grow", "X"}), "X y");
    EXPECT_TRUE(recorder.messages.empty());
}
