#include "profile/CSetupSettings.h"

#include <gtest/gtest.h>

#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

namespace {
CIniSection Section(std::initializer_list<std::pair<const char*, std::vector<std::string>>> keys)
{
    CIniSection section("interface");
    for (const auto& [name, values] : keys) {
        CIniKey key(name);
        for (const std::string& value : values)
            key.AddValue(value);
        section.AddKey(std::move(key));
    }
    return section;
}

// Every text setting with its getter, in the order of the settings.
const std::pair<const char*, const std::string& (CSetupSettings::*)() const> kTexts[] = {
    {"UnWelcomeText", &CSetupSettings::UnWelcomeText}, {"UnWelcomeTitle", &CSetupSettings::UnWelcomeTitle},
    {"UnDoneText", &CSetupSettings::UnDoneText}, {"UnDoneTitle", &CSetupSettings::UnDoneTitle},
    {"BrowseDirText", &CSetupSettings::BrowseDirText}, {"BrowseDirTitle", &CSetupSettings::BrowseDirTitle},
    {"Typical", &CSetupSettings::Typical}, {"Compact", &CSetupSettings::Compact},
    {"Custom", &CSetupSettings::Custom}, {"InstallName", &CSetupSettings::InstallName},
    {"WelcomeTitle", &CSetupSettings::WelcomeTitle}, {"WelcomeText", &CSetupSettings::WelcomeText},
    {"ReadingInfoTitle", &CSetupSettings::ReadingInfoTitle}, {"ReadingInfoText", &CSetupSettings::ReadingInfoText},
    {"InstallOptionsTitle", &CSetupSettings::InstallOptionsTitle},
    {"CustomOptionsTitle", &CSetupSettings::CustomOptionsTitle},
    {"CustomMBOptionsTitle", &CSetupSettings::CustomMBOptionsTitle},
    {"CustomMBOptionsText", &CSetupSettings::CustomMBOptionsText},
    {"TypicalMBOptionsTitle", &CSetupSettings::TypicalMBOptionsTitle},
    {"TypicalMBOptionsText", &CSetupSettings::TypicalMBOptionsText},
    {"CompactMBOptionsTitle", &CSetupSettings::CompactMBOptionsTitle},
    {"CompactMBOptionsText", &CSetupSettings::CompactMBOptionsText},
    {"AbortedTitle", &CSetupSettings::AbortedTitle}, {"AbortedText", &CSetupSettings::AbortedText},
    {"DoneTitle", &CSetupSettings::DoneTitle}, {"DoneText", &CSetupSettings::DoneText},
    {"ReallyCancelMBTitle", &CSetupSettings::ReallyCancelMBTitle},
    {"ReallyCancelMBText", &CSetupSettings::ReallyCancelMBText},
    {"CopyingFilesTitle", &CSetupSettings::CopyingFilesTitle},
    {"DefaultOptionDescription", &CSetupSettings::DefaultOptionDescription},
    {"UninstallProgressTitle", &CSetupSettings::UninstallProgressTitle},
    {"OutOfDiskTitle", &CSetupSettings::OutOfDiskTitle}, {"OutOfDiskText", &CSetupSettings::OutOfDiskText},
};
}

TEST(ExpandEscapes, ExpandsOnlyItsThreeEscapes)
{
    struct Row { const char* text; const char* expanded; } rows[] = {
        {"a\\nb", "a\nb"}, {"a\\tb", "a\tb"}, {"a\\\\nb", "a\\nb"}, {"a\\xb", "a\\xb"},
        {"\\N\\T", "\\N\\T"}, {"end\\", "end"}, {"", ""}, {"\\\\\\", "\\"}, {"no escapes", "no escapes"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ExpandEscapes(row.text), row.expanded) << row.text;
}

TEST(CSetupSettings, StartWithTheDefaults)
{
    CSetupSettings settings;
    settings.ApplyInterfaceSection(Section({}));
    for (const auto& [key, getter] : kTexts)
        EXPECT_EQ((settings.*getter)(), "default") << key;
    EXPECT_EQ(settings.PMGroup(), "default");
    EXPECT_EQ(settings.LogFilename(), "default.log");
    EXPECT_EQ(settings.FileCopyDelayInterval(), 5);
    EXPECT_EQ(settings.InstallTitleHeight(), 24);
    EXPECT_TRUE(settings.DisplaySplashFlag());
    EXPECT_TRUE(settings.Billboards().empty());
}

TEST(CSetupSettings, EveryTextKeySetsItsOwnFieldWithEscapesExpanded)
{
    for (const auto& [key, getter] : kTexts) {
        CSetupSettings settings;
        settings.ApplyInterfaceSection(Section({{key, {"line\\none"}}}));
        EXPECT_EQ((settings.*getter)(), "line\none") << key;
        for (const auto& [other, otherGetter] : kTexts) {
            if (other != key) {
                EXPECT_EQ((settings.*otherGetter)(), "default") << key << " touched " << other;
            }
        }
    }
}

TEST(CSetupSettings, ReadsNumbersFlagsAndUnexpandedTexts)
{
    struct Row { const char* key; const char* value; const char* what; } rows[] = {
        {"filecopydelayinterval", "12", "delay 12"},
        {"FileCopyDelayInterval", "soon", "delay 0"},
        {"FileCopyDelayInterval", " 7s", "delay 7"},
        {"InstallTitleHeight", "-3", "height -3"},
        {"DisplaySplashFlag", "TRUE", "splash 1"},
        {"DisplaySplashFlag", "true", "splash 1"},
        {"DisplaySplashFlag", "1", "splash 0"},
        {"DisplaySplashFlag", "yes", "splash 0"},
        {"PMGroup", "Kalmora\\n4.0", "group Kalmora\\n4.0"},
        {"LOGFILENAME", "C:\\\\k.log", "log C:\\k.log"},
    };
    for (const Row& row : rows) {
        CSetupSettings settings;
        settings.ApplyInterfaceSection(Section({{row.key, {row.value}}}));
        std::string what = row.what;
        if (what.rfind("delay ", 0) == 0)
            EXPECT_EQ(settings.FileCopyDelayInterval(), std::stoi(what.substr(6))) << row.key << "=" << row.value;
        else if (what.rfind("height ", 0) == 0)
            EXPECT_EQ(settings.InstallTitleHeight(), std::stoi(what.substr(7))) << row.key;
        else if (what.rfind("splash ", 0) == 0)
            EXPECT_EQ(settings.DisplaySplashFlag(), what.back() == '1') << row.value;
        else if (what.rfind("group ", 0) == 0)
            EXPECT_EQ(settings.PMGroup(), what.substr(6));
        else
            EXPECT_EQ(settings.LogFilename(), what.substr(4));
    }
}

TEST(CSetupSettings, LastKeyWinsAndKeysWithoutValuesAreAbsent)
{
    CSetupSettings settings;
    settings.ApplyInterfaceSection(Section({{"WelcomeTitle", {"first", "ignored"}},
                                            {"Unknown", {"x"}},
                                            {"DoneTitle", {}},
                                            {"FileCopyDelayInterval", {}}}));
    settings.ApplyInterfaceSection(Section({{"welcometitle", {"second"}}}));
    EXPECT_EQ(settings.WelcomeTitle(), "second");
    EXPECT_EQ(settings.DoneTitle(), "default");
    EXPECT_EQ(settings.FileCopyDelayInterval(), 5);
}

TEST(CSetupSettings, BillboardsArePairsOfBitmapAndText)
{
    CSetupSettings settings;
    settings.ApplyBillboardSection(Section({{"text", {"orphan"}},
                                            {"bitmap", {"one.bmp"}},
                                            {"BITMAP", {"two\\n.bmp"}},
                                            {"Text", {"Fast\\tand safe"}},
                                            {"other", {"x"}},
                                            {"bitmap", {}},
                                            {"bitmap", {"three.bmp"}},
                                            {"text", {}},
                                            {"text", {"third"}},
                                            {"bitmap", {"dangling.bmp"}}}));
    ASSERT_EQ(settings.Billboards().size(), 2u);
    EXPECT_EQ(settings.Billboards()[0].BitmapName(), "two\\n.bmp");
    EXPECT_EQ(settings.Billboards()[0].Text(), "Fast\tand safe");
    EXPECT_EQ(settings.Billboards()[1].BitmapName(), "three.bmp");
    EXPECT_EQ(settings.Billboards()[1].Text(), "third");
    CSetupSettings copy = settings;
    EXPECT_EQ(copy.Billboards().size(), 2u);
}
