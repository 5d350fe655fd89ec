#include "integration/ShortcutRules.h"

#include <gtest/gtest.h>

TEST(ShortcutRules, LinkFileLosesTheTextAfterTheLastDot)
{
    EXPECT_EQ(LinkFileName("Kalmora 4.0"), "Kalmora 4.lnk");
    EXPECT_EQ(LinkFileName("Kalmora Scheduler"), "Kalmora Scheduler.lnk");
    EXPECT_EQ(LinkFileName("Read.me.txt"), "Read.me.lnk");
}

TEST(ShortcutRules, ShellLinksServeWindows95AndNT4Only)
{
    EXPECT_TRUE(UsesShellLinks(false, false));
    EXPECT_TRUE(UsesShellLinks(true, true));
    EXPECT_FALSE(UsesShellLinks(true, false));
}

TEST(ShortcutRules, LoggedFolderMustStayBelowPrograms)
{
    const struct {
        const char* folder;
        bool below;
    } rows[] = {
        {"Kalmora", true},          {"Vendor\\Kalmora 4.0", true}, {"", false},
        {"..", false},              {"Kalmora\\..\\..", false},    {".\\x", false},
        {"\\Windows", false},       {"C:\\Windows", false},        {"C:x", false},
        {"a/../../b", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsFolderBelowPrograms(row.folder), row.below) << row.folder;
}

TEST(ShortcutRules, ProgmanCommandsHaveTheirExactText)
{
    EXPECT_EQ(ProgmanCommand::CreateGroup("Orvane"), "[CreateGroup (\"Orvane\")]");
    EXPECT_EQ(ProgmanCommand::CreateGroup("Orvane", "ORVANE.GRP"), "[CreateGroup (\"Orvane\", \"ORVANE.GRP\")]");
    EXPECT_EQ(ProgmanCommand::DeleteGroup("Orvane"), "[DeleteGroup(\"Orvane\")]");
    EXPECT_EQ(ProgmanCommand::ReplaceItem("Kalmora 4.0"), "[ReplaceItem (Kalmora 4.0)]");
    EXPECT_EQ(ProgmanCommand::DeleteItem("Kalmora 4.0"), "[DeleteItem (Kalmora 4.0)]");
}

TEST(ShortcutRules, AddItemFillsIconWorkingDirectoryHotKeyAndMinimizeByTheirRules)
{
    ProgmanItem item;
    item.commandLine = QuotedCommandLine("C:\\KALMORA\\kmwin.exe", "");
    item.name = "Kalmora 4.0";
    EXPECT_EQ(ProgmanCommand::AddItem(item),
              "[AddItem (\"C:\\KALMORA\\kmwin.exe\" ,\"Kalmora 4.0\",\"C:\\KALMORA\\kmwin.exe\" ,0,-1,-1,,,0)]");

    item.commandLine = QuotedCommandLine("C:\\KALMORA\\kmwin.exe", "/s");
    item.iconPath = "C:\\KALMORA\\kmwin.ico";
    item.iconIndex = 2;
    item.workingDirectory = "C:\\KALMORA";
    item.hotKey = 0x64B;
    item.minimized = true;
    EXPECT_EQ(ProgmanCommand::AddItem(item),
              "[AddItem (\"C:\\KALMORA\\kmwin.exe\" /s,\"Kalmora 4.0\",C:\\KALMORA\\kmwin.ico,2,-1,-1,C:\\KALMORA,1611,1)]");
}

TEST(ShortcutRules, NamesThatWouldEndACommandAreNotPlain)
{
    EXPECT_TRUE(IsPlainProgmanText("Kalmora 4.0 (English)"));
    EXPECT_FALSE(IsPlainProgmanText("x\")][DeleteGroup(\"Accessories"));
    EXPECT_FALSE(IsPlainProgmanText("a]"));
}

TEST(ShortcutRules, GroupNamesAreThePiecesBetweenLineEnds)
{
    EXPECT_EQ(SplitGroupNames("Accessories\r\nOrvane\r\nStartUp\r\n"),
              (std::vector<std::string>{"Accessories", "Orvane", "StartUp"}));
    EXPECT_EQ(SplitGroupNames("\r\n"), std::vector<std::string>{});
    EXPECT_EQ(SplitGroupNames("Main\n\nGames"), (std::vector<std::string>{"Main", "Games"}));
}

// Program Manager describes a group by a line of its own and one line per item.
TEST(ShortcutRules, AGroupIsEmptyWhenItsDescriptionHasNoItemLines)
{
    EXPECT_EQ(GroupAnswerShowsEmpty("\"Orvane\",C:\\WINDOWS\\ORVANE.GRP,0,1\r\n"), std::optional<bool>(true));
    EXPECT_EQ(GroupAnswerShowsEmpty("\"Main\",C:\\WINDOWS\\MAIN.GRP,1,1\r\n\"Notepad\",\"\",NOTEPAD.EXE,0,0,0,0,0\r\n"),
              std::optional<bool>(false));
    EXPECT_EQ(GroupAnswerShowsEmpty("\r\n"), std::nullopt);
    EXPECT_EQ(GroupAnswerShowsEmpty(""), std::nullopt);
    EXPECT_TRUE(HasGroup({"Accessories", "Main"}, "accessories"));
    EXPECT_FALSE(HasGroup({"Accessories", "Main"}, "Orvane"));
}
