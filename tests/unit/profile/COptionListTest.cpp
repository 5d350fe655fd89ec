#include "profile/COptionList.h"

#include <gtest/gtest.h>

#include "ProfileTestFiles.h"
#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

namespace {
CIniSection OptionSection(std::initializer_list<std::pair<const char*, std::vector<std::string>>> keys)
{
    CIniSection section("Option");
    for (const auto& [name, values] : keys) {
        CIniKey key(name);
        for (const std::string& value : values)
            key.AddValue(value);
        section.AddKey(std::move(key));
    }
    return section;
}

COption Fill(std::initializer_list<std::pair<const char*, std::vector<std::string>>> keys)
{
    COption option;
    option.FillFromSection(OptionSection(keys));
    return option;
}
}

TEST(COption, StartsWithTheDefaults)
{
    MessageRecorder recorder;
    COption option = Fill({{"Unknown", {"1"}}});
    EXPECT_EQ(option.OptionNumber(), "-1");
    EXPECT_EQ(option.ParentOptionNumber(), "-1");
    EXPECT_EQ(option.DialogText(), "empty");
    EXPECT_EQ(option.Description(), "<<No additional option description>>");
    EXPECT_EQ(option.Space(), 0);
    EXPECT_TRUE(option.UserChoose());
    EXPECT_TRUE(option.UserVisible());
    EXPECT_TRUE(option.UserSetPath());
    EXPECT_TRUE(option.Typical());
    EXPECT_TRUE(option.Compact());
    EXPECT_TRUE(option.AdminTypical());
    EXPECT_FALSE(option.AdminCompact());
    EXPECT_EQ(option.Group(), "none");
    EXPECT_EQ(option.DestinationId(), -99);
    EXPECT_FALSE(option.Checked());
    EXPECT_EQ(option.DestinationPath(), "@PARENT@");
    EXPECT_TRUE(recorder.messages.empty()) << "no Option key, no message";
}

TEST(COption, ReadsEveryKey)
{
    MessageRecorder recorder;
    COption option = Fill({{"option", {"3"}}, {"ParentOption", {"1"}}, {"DialogText", {"Help \\n files"}},
                           {"OptionDescription", {"Line\\none"}}, {"Space", {"250000"}},
                           {"UserChoose", {"false"}}, {"UserVisible", {"FALSE"}}, {"UserSetPath", {"no"}},
                           {"Typical", {"0"}}, {"Compact", {"x"}}, {"AdminTypical", {"false"}},
                           {"AdminCompact", {"True"}}, {"Group", {"Docs"}}, {"DestinationID", {"2"}}});
    EXPECT_EQ(option.OptionNumber(), "3");
    EXPECT_EQ(option.ParentOptionNumber(), "1");
    EXPECT_EQ(option.DialogText(), "Help \\n files");
    EXPECT_EQ(option.Description(), "Line\none");
    EXPECT_EQ(option.Space(), 250000);
    EXPECT_FALSE(option.UserChoose() || option.UserVisible() || option.UserSetPath());
    EXPECT_FALSE(option.Typical() || option.Compact() || option.AdminTypical());
    EXPECT_TRUE(option.AdminCompact());
    EXPECT_EQ(option.Group(), "Docs");
    EXPECT_EQ(option.DestinationId(), 2);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(COption, SmallSpacesCountAsTheMinimum)
{
    struct Row { const char* value; int32_t space; } rows[] = {
        {"0", 0}, {"1", 100000}, {"99999", 100000}, {"100000", 100000}, {"100001", 100001},
        {"-5", -5}, {"lots", 0}, {"12kb", 100000}, {"99999999999", INT32_MAX},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Fill({{"Space", {row.value}}}).Space(), row.space) << row.value;
}

TEST(COption, NumberBelowOneShowsTheMessageAndIsKept)
{
    for (const char* number : {"0", "-2", "abc", ""}) {
        MessageRecorder recorder;
        COption option = Fill({{"Option", {number}}});
        EXPECT_EQ(option.OptionNumber(), number);
        ASSERT_EQ(recorder.messages.size(), 1u) << number;
        EXPECT_EQ(recorder.messages[0], "Error - Options must be greater than 0");
    }
}

TEST(COption, KeysWithoutValuesAreAbsent)
{
    MessageRecorder recorder;
    COption option = Fill({{"Option", {}}, {"Space", {}}, {"Group", {}}, {"Group", {"G", "H"}}});
    EXPECT_EQ(option.OptionNumber(), "-1");
    EXPECT_EQ(option.Group(), "G");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(COptionList, OrdersNumbersAsTextKeepingFileOrderOfEquals)
{
    COptionList options;
    const char* file[][2] = {{"2", "a"}, {"1", "b"}, {"10", "c"}, {"2", "d"}, {"1", "e"}, {"\xe9", "f"}, {"A", "g"}};
    for (auto& [number, group] : file)
        options.AddOptionFromSection(OptionSection({{"Option", {number}}, {"Group", {group}}}));
    std::string order;
    for (const COption& option : options.Options())
        order += option.Group();
    EXPECT_EQ(order, "becadgf") << "bytes above 127 sort after ASCII";
    COptionList copy = options;
    EXPECT_EQ(copy.Options().size(), options.Options().size());
}
