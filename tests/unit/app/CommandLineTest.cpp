#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, EmptyAndWordsOnlyChangeNothing)
{
    for (const char* line : {"", "hello world", "/", "a / b", "  "}) {
        CommandLine c = CommandLine::Parse(line);
        EXPECT_FALSE(c.unsetup) << line;
        EXPECT_FALSE(c.sourceDirectory) << line;
        EXPECT_EQ(c.notifyThread, 0u) << line;
        EXPECT_FALSE(c.unattended || c.inPlace || c.conditionsOverride) << line;
    }
}

TEST(CommandLine, SourceDirectoryNeedsTheColonForm)
{
    EXPECT_EQ(CommandLine::Parse("/D:C:\\SRC").sourceDirectory.value_or("-"), "C:\\SRC");
    // "/DC:\SRC" names a switch "DC", which means nothing.
    EXPECT_FALSE(CommandLine::Parse("/DC:\\SRC").sourceDirectory);
}

TEST(CommandLine, NamesAreCaseSensitive)
{
    EXPECT_TRUE(CommandLine::Parse("/U").unsetup);
    EXPECT_FALSE(CommandLine::Parse("/u").unsetup);
    EXPECT_FALSE(CommandLine::Parse("/b /n /i").unattended);
}

TEST(CommandLine, ThreadSwitch)
{
    EXPECT_EQ(CommandLine::Parse("/T:1234").notifyThread, 1234u);
    EXPECT_EQ(CommandLine::Parse("/T:0").notifyThread, 0u);
    EXPECT_EQ(CommandLine::Parse("/T:abc").notifyThread, 0u);
    EXPECT_EQ(CommandLine::Parse("/T:99999999999").notifyThread, 0u);
}

TEST(CommandLine, LastOccurrenceWinsAndSwitchesCombine)
{
    CommandLine c = CommandLine::Parse("/D:A:\\ /B /D:C:\\X /N /I word /T:7");
    EXPECT_EQ(c.sourceDirectory.value_or(""), "C:\\X");
    EXPECT_TRUE(c.unattended);
    EXPECT_TRUE(c.inPlace);
    EXPECT_TRUE(c.conditionsOverride);
    EXPECT_EQ(c.notifyThread, 7u);
}

TEST(CommandLine, DoubleBlanksGiveEmptyTokens)
{
    CommandLine c = CommandLine::Parse("/U  /B");
    EXPECT_TRUE(c.unsetup);
    EXPECT_TRUE(c.unattended);
}

TEST(CommandLine, RecordAndRestartSwitches)
{
    CommandLine line = CommandLine::Parse("/B /L:\"C:\\Setup Logs\\run.txt\" /R /D:D:\\");
    ASSERT_TRUE(line.runReport);
    EXPECT_EQ(*line.runReport, "C:\\Setup Logs\\run.txt");  // blanks inside the quotes stay
    EXPECT_TRUE(line.restartLeftToCaller);
    EXPECT_TRUE(line.unattended);
    EXPECT_EQ(*line.sourceDirectory, "D:\\");
    EXPECT_FALSE(CommandLine::Parse("/L: /B").runReport);  // no file, no record
    EXPECT_EQ(*CommandLine::Parse("/L:run.txt").runReport, "run.txt");
    // An opening quote without its closing one is taken as it stands.
    EXPECT_EQ(*CommandLine::Parse("/L:\"run .txt").runReport, "\"run");
}
