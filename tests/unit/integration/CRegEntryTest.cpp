#include "integration/CRegEntry.h"
#include "integration/CRegEntryList.h"

#include <gtest/gtest.h>

#include "ProfileSections.h"

namespace {
CIniSection Section(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    return MakeSection("Registry", pairs);
}
}

TEST(CRegEntry, SplitsPathsAndFindsTheirRoot)
{
    const struct {
        const char* path;
        std::vector<std::string> components;
        RegistryRoot root;
    } rows[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\\\X\\", {"HKEY_LOCAL_MACHINE", "SOFTWARE", "X"}, RegistryRoot::localMachine},
        {"hkey_classes_root\\.kmd", {"hkey_classes_root", ".kmd"}, RegistryRoot::classesRoot},
        {"HKEY_Current_User", {"HKEY_Current_User"}, RegistryRoot::currentUser},
        {"HKEY_USERS\\.DEFAULT\\\\\\", {"HKEY_USERS", ".DEFAULT"}, RegistryRoot::users},
        {"HKLM\\SOFTWARE", {"HKLM", "SOFTWARE"}, RegistryRoot::none},
        {"\\HKEY_LOCAL_MACHINE\\A", {"", "HKEY_LOCAL_MACHINE", "A"}, RegistryRoot::none},
        {"", {""}, RegistryRoot::none},
    };
    for (const auto& row : rows) {
        CRegEntry entry;
        entry.Set(row.path, "", "", "0");
        EXPECT_EQ(entry.components, row.components) << row.path;
        EXPECT_EQ(entry.rootName, row.components.front()) << row.path;
        EXPECT_EQ(entry.root, row.root) << row.path;
    }
}

TEST(CRegEntry, HashDataIsADwordAndOtherDataKeepsTheType)
{
    const struct {
        const char* data;
        std::uint32_t type;
        std::uint32_t number;
    } rows[] = {
        {"#12", CRegEntry::kTypeDword, 12}, {"#", CRegEntry::kTypeDword, 0}, {"#7abc", CRegEntry::kTypeDword, 7},
        {"#-1", CRegEntry::kTypeDword, 0xFFFFFFFFu}, {"12", CRegEntry::kTypeString, 12},
    };
    for (const auto& row : rows) {
        CRegEntry entry;
        entry.Set("HKEY_LOCAL_MACHINE\\A", "v", row.data, "0");
        EXPECT_EQ(entry.valueType, row.type) << row.data;
        EXPECT_EQ(CRegEntry::DwordFromData(row.data), row.number) << row.data;
    }
    // A reused entry keeps the type of its last query when the new data has no mark.
    CRegEntry reused;
    reused.valueType = 7;
    reused.Set("HKEY_LOCAL_MACHINE\\A", "v", "text", "0");
    EXPECT_EQ(reused.valueType, 7u);
}

TEST(CRegEntry, LoadsItsSectionIgnoringCaseWithTheLastOccurrenceWinning)
{
    CRegEntry entry;
    entry.Load(Section({{"KEY", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0"},
                        {"Name", "Path"},
                        {"data", "first"},
                        {"DATA", "?0?"},
                        {"colour", "blue"},
                        {"Option", "1"}}));
    EXPECT_EQ(entry.path, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0");
    EXPECT_EQ(entry.components.size(), 5u);
    EXPECT_EQ(entry.valueName, "Path");
    EXPECT_EQ(entry.data, "?0?");
    EXPECT_EQ(entry.option, "1");
    EXPECT_EQ(entry.access, CRegEntry::kKeyAllAccess);
    EXPECT_EQ(entry.createOptions, 0u);

    CRegEntry bare;
    bare.Load(Section({{"key", "HKEY_CLASSES_ROOT\\.kmd"}}));
    EXPECT_EQ(bare.valueName, "");
    EXPECT_EQ(bare.data, "");
    EXPECT_EQ(bare.option, "");
}

TEST(CRegEntryList, SelectsByExactKeyOrAlwaysAndNeverUnmarks)
{
    CRegEntryList list;
    for (const char* option : {"0", "1", "2", "-1", "10", "-99"})
        list.AddFromSection(Section({{"key", "HKEY_LOCAL_MACHINE\\A"}, {"option", option}}));
    list.SelectByOption("1");
    list.SelectByOption("2");
    std::vector<int> selected;
    for (const auto& entry : list.Entries())
        selected.push_back(entry->selected);
    EXPECT_EQ(selected, (std::vector<int>{1, 1, 1, 0, 0, 0}));
}

TEST(CRegEntryList, ExpandsTheDataOnlyAndCopiesDeeply)
{
    CRegEntryList list;
    list.AddFromSection(Section({{"key", "HKEY_LOCAL_MACHINE\\?0?"}, {"name", "?0?"}, {"data", "?0?kmwin.exe"}}));
    list.ExpandMacros({"?0?"}, {"C:\\KALMORA\\"});
    EXPECT_EQ(list[0].data, "C:\\KALMORA\\kmwin.exe");
    EXPECT_EQ(list[0].path, "HKEY_LOCAL_MACHINE\\?0?");
    EXPECT_EQ(list[0].valueName, "?0?");

    CRegEntryList copy = list;
    copy[0].data = "changed";
    EXPECT_EQ(list[0].data, "C:\\KALMORA\\kmwin.exe");
    EXPECT_EQ(copy[0].components, list[0].components);
}
