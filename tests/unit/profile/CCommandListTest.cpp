#include "profile/CCommandList.h"

#include <gtest/gtest.h>

#include "profile/CIniSection.h"

namespace {
CIniSection ExecuteSection(std::initializer_list<std::pair<const char*, std::vector<std::string>>> keys)
{
    CIniSection section("Execute");
    for (const auto& [name, values] : keys) {
        CIniKey key(name);
        for (const std::string& value : values)
            key.AddValue(value);
        section.AddKey(std::move(key));
    }
    return section;
}
}

TEST(CCommandList, FillsRecordsInFileOrder)
{
    CCommandList list;
    list.AddCommandFromSection(ExecuteSection({{"Command", {"?1?\\kmreg.exe"}},
                                               {"arg", {"/s"}}, {"ARG", {"first", "ignored"}}, {"Arg", {"?2?"}},
                                               {"option", {"4"}}, {"step", {"finish"}},
                                               {"synchronous", {"FALSE"}}, {"other", {"x"}}}));
    list.AddCommandFromSection(ExecuteSection({{"command", {"notepad.exe"}}}));
    ASSERT_EQ(list.Commands().size(), 2u);
    const CCommand& first = list.Commands()[0];
    EXPECT_EQ(first.Command(), "?1?\\kmreg.exe");
    EXPECT_EQ(first.Arguments(), (std::vector<std::string>{"/s", "first", "?2?"}));
    EXPECT_TRUE(first.HasOption());
    EXPECT_EQ(first.OptionNumber(), "4");
    EXPECT_EQ(first.Step(), "finish");
    EXPECT_FALSE(first.Synchronous());
    const CCommand& second = list.Commands()[1];
    EXPECT_EQ(second.Command(), "notepad.exe");
    EXPECT_TRUE(second.Arguments().empty());
    EXPECT_FALSE(second.HasOption());
    EXPECT_EQ(second.Step(), "copy");
    EXPECT_TRUE(second.Synchronous());
    CCommandList copy = list;
    EXPECT_EQ(copy.Commands()[0].Arguments().size(), 3u);
}

TEST(CCommandList, RepeatedKeysSetAgainAndEmptyKeysAreAbsent)
{
    CCommand command;
    command.FillFromSection(ExecuteSection({{"Command", {"a.exe"}}, {"Command", {"b.exe"}}, {"Command", {}},
                                            {"arg", {}}, {"synchronous", {"true"}}, {"synchronous", {"1"}},
                                            {"step", {}}, {"option", {}}}));
    EXPECT_EQ(command.Command(), "b.exe");
    EXPECT_TRUE(command.Arguments().empty());
    EXPECT_FALSE(command.Synchronous());
    EXPECT_EQ(command.Step(), "copy");
    EXPECT_FALSE(command.HasOption());
}
