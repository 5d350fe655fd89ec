// Registry entries against the real registry: what lands there, what the log records, what
// removal takes away again. Every test works below scratch keys of its own and removes them.
#include "integration/CRegEntry.h"
#include "integration/CRegEntryList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "ProfileSections.h"
#include "LoggedRun.h"
#include "ScratchRegistry.h"

namespace {
const char kUserScratch[] = "Software\\KalmoraScratch";
const char kMachineScratch[] = "SOFTWARE\\KalmoraScratchA";
const char kMachinePath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\KalmoraScratchA";

class RegistryEntries : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kUserScratch);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineScratch);
    }

    // A list of one "Registry" section, selected as Typical selects.
    static CRegEntryList Selected(const char* key, const char* name, const char* data, const char* option = "2")
    {
        CRegEntryList list;
        list.AddFromSection(MakeSection("Registry", {{"key", key}, {"name", name}, {"data", data}, {"option", option}}));
        list.SelectByOption("2");
        return list;
    }
};

// Doubled and trailing backslashes and a lower-case root name still reach the one key; "#" makes
// a REG_DWORD as atol reads it, anything else a string stored with its terminating zero, and an
// entry written again writes the same number.
TEST_F(RegistryEntries, DataBecomesDwordsOrStrings)
{
    const struct {
        const char* data;
        DWORD type;
        DWORD number;
        const char* bytes;
    } rows[] = {
        {"#12", REG_DWORD, 12, nullptr}, {"#", REG_DWORD, 0, nullptr}, {"#7abc", REG_DWORD, 7, nullptr},
        {"12", REG_SZ, 0, "12"},
    };
    for (const auto& row : rows) {
        CRegEntry entry;
        entry.Set("hkey_current_user\\\\Software\\KalmoraScratch\\\\Data\\", "Value", row.data, "0");
        ASSERT_EQ(entry.Create(), ERROR_SUCCESS) << row.data;
        ASSERT_EQ(entry.SetValue(), ERROR_SUCCESS) << row.data;
        ASSERT_EQ(entry.SetValue(), ERROR_SUCCESS) << row.data;
        entry.CloseKeys();
        std::optional<StoredValue> stored = ReadValue(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Data", "Value");
        ASSERT_TRUE(stored) << row.data;
        EXPECT_EQ(stored->type, row.type) << row.data;
        if (row.type == REG_DWORD)
            EXPECT_EQ(DwordOf(*stored), row.number) << row.data;
        else
            EXPECT_EQ(stored->bytes, std::string(row.bytes) + '\0') << row.data;
    }
}

// A value longer than the first buffer is read whole in a second call; a DWORD from its bytes;
// a missing value leaves the call's error.
TEST_F(RegistryEntries, QueryReadsLongValuesWhole)
{
    CRegEntry entry;
    entry.Set("HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Long", "", std::string(3000, 'k'), "0");
    ASSERT_EQ(entry.Create(), ERROR_SUCCESS);
    ASSERT_EQ(entry.SetValue(), ERROR_SUCCESS);
    entry.data.clear();
    ASSERT_EQ(entry.QueryValue(), ERROR_SUCCESS);
    EXPECT_EQ(entry.data, std::string(3000, 'k'));
    EXPECT_EQ(entry.queriedSize, 3001u);
    EXPECT_EQ(entry.valueType, static_cast<std::uint32_t>(REG_SZ));

    entry.valueName = "Count";
    entry.valueType = CRegEntry::kTypeDword;
    entry.data = "#258";
    ASSERT_EQ(entry.SetValue(), ERROR_SUCCESS);
    ASSERT_EQ(entry.QueryValue(), ERROR_SUCCESS);
    EXPECT_EQ(entry.data, std::string("\x02\x01\0\0", 4));

    entry.valueName = "Missing";
    EXPECT_EQ(entry.QueryValue(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(entry.DeleteValue(), ERROR_FILE_NOT_FOUND);
    entry.valueName = "Count";
    EXPECT_EQ(entry.DeleteValue(), ERROR_SUCCESS);
    entry.CloseKeys();
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Long", "Count"));
}

// Setup logs the keys it brings into existence, each once, with the values it wrote into them;
// Unsetup deletes them again, the deepest first, and keeps a key that another program has put
// something under.
TEST_F(RegistryEntries, CreatedKeysAreLoggedAndRemovedAgain)
{
    ScratchFile log("klg");
    CRegEntryList list = Selected("HKEY_LOCAL_MACHINE\\SOFTWARE\\KalmoraScratchA\\B", "Path", "C:\\KALMORA");
    ApplySelectedLogged(list, log.Path());
    ApplySelectedLogged(list, log.Path());
    using Lines = std::vector<std::pair<std::string, std::string>>;
    const Lines created = {{kMachinePath, "x"}, {std::string(kMachinePath) + "\\B", "x|Path"}};
    EXPECT_EQ(IniSection(log.Path(), "Registry"), created);
    std::optional<StoredValue> path = ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\B", "Path");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->bytes, std::string("C:\\KALMORA") + '\0');

    RemoveLoggedKeys(log.Path());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineScratch));
    RemoveLoggedKeys(log.Path());  // logged keys that are gone already: nothing comes back
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineScratch));

    ScratchFile secondLog("klg");
    ApplySelectedLogged(list, secondLog.Path());
    WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\C", "Other", 1);
    RemoveLoggedKeys(secondLog.Path());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\B"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\C"));
}

// A key that Setup created keeps what others put into it later: it stays with all its values. So
// does every key that a damaged log names while it holds values of others, a key listed before its
// children included; only what holds the product's values alone goes.
TEST_F(RegistryEntries, ALoggedKeyThatHoldsValuesOfOthersStays)
{
    ScratchFile log("klg");
    CRegEntryList list = Selected("HKEY_LOCAL_MACHINE\\SOFTWARE\\KalmoraScratchA\\Type", "", "Kalmora");
    list.AddFromSection(MakeSection("Registry", {{"key", "HKEY_LOCAL_MACHINE\\SOFTWARE\\KalmoraScratchA\\Type"},
                                                 {"name", "Version"}, {"data", "#4"}, {"option", "2"}}));
    list.SelectByOption("2");
    ApplySelectedLogged(list, log.Path());
    WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Type", "Content Type", 7);
    WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Other", "Count", 3);
    WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Other\\Child", "Count", 1);
    WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Mine", "Mine", 1);
    // What a damaged log adds: keys of others, a parent listed before its children.
    for (const char* key : {"Other", "Other\\Child", "Mine"})
        WritePrivateProfileStringA("Registry", (std::string(kMachinePath) + "\\" + key).c_str(),
                                   strcmp(key, "Mine") == 0 ? "x|mine" : "x", log.Path().c_str());

    EXPECT_TRUE(RemoveLoggedKeys(log.Path()));
    std::optional<StoredValue> type = ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Type", "");
    ASSERT_TRUE(type);
    EXPECT_EQ(type->bytes, std::string("Kalmora") + '\0');
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Type", "Version"));
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Other", "Count"));
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Other\\Child", "Count"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Mine"));

    // Once the other program's value has gone, the key holds only the product's and goes too.
    HKEY typeKey = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Type", 0, KEY_ALL_ACCESS, &typeKey),
              ERROR_SUCCESS);
    RegDeleteValueA(typeKey, "Content Type");
    RegCloseKey(typeKey);
    EXPECT_TRUE(RemoveLoggedKeys(log.Path()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KalmoraScratchA\\Type"));
}

// "-1" keys go the deepest first whatever the profile's order, never with a subkey of another
// product (Windows 95 would delete it with them); the product's own key goes with its values, a
// vendor's key above it only when nothing else is in it.
TEST_F(RegistryEntries, RemovalKeysLeaveWhatOthersKeepInThem)
{
    CRegEntryList list;
    for (const char* key : {"HKEY_CURRENT_USER\\Software\\KalmoraScratch",
                            "HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Kalmora",
                            "HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Kalmora\\4.0",
                            "HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Album"})
        list.AddFromSection(MakeSection("Registry", {{"key", key}, {"name", ""}, {"data", ""}, {"option", "-1"}}));
    WriteDword(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Kalmora\\4.0", "LastAlbum", 1);
    WriteDword(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Kalmora", "Suite", 1);
    WriteDword(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Album\\OtherProduct", "Count", 2);
    EXPECT_TRUE(list.DeleteRemovalKeys());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Kalmora\\4.0"));
    EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Kalmora", "Suite"));
    EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Album\\OtherProduct", "Count"));

    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Album");
    HKEY kalmora = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Kalmora", 0, KEY_ALL_ACCESS, &kalmora),
              ERROR_SUCCESS);
    RegDeleteValueA(kalmora, "Suite");
    RegCloseKey(kalmora);
    EXPECT_TRUE(list.DeleteRemovalKeys());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserScratch));
}

// Option "-1" is never applied by Setup and is deleted by Unsetup; a root that is none of the
// four creates nothing; unselected entries are left alone.
TEST_F(RegistryEntries, RemovalEntriesUnknownRootsAndUnselectedEntries)
{
    ScratchFile log("klg");
    CRegEntryList list;
    list.AddFromSection(MakeSection("Registry", {{"key", "HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Old"},
                                                 {"name", ""}, {"data", ""}, {"option", "-1"}}));
    list.AddFromSection(MakeSection("Registry", {{"key", "HKEY_NOWHERE\\Software\\KalmoraScratch"},
                                                 {"name", "v"}, {"data", "x"}, {"option", "0"}}));
    list.AddFromSection(MakeSection("Registry", {{"key", "HKEY_CURRENT_USER\\Software\\KalmoraScratch\\Minimal"},
                                                 {"name", "v"}, {"data", "x"}, {"option", "1"}}));
    list.SelectByOption("2");
    ApplySelectedLogged(list, log.Path());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserScratch));
    EXPECT_TRUE(IniSection(log.Path(), "Registry").empty());

    WriteDword(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Old", "Stale", 1);
    list.DeleteRemovalKeys();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\KalmoraScratch\\Old"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserScratch));
}

}  // namespace

// The runs for each Windows version say which one they should see: make sure Wine shows it.
TEST(WindowsVersion, IsTheOneTheRunAskedFor)
{
    const char* expected = getenv("KALMORA_EXPECTED_WINDOWS");
    if (!expected)
        return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    const std::string seen = version.dwPlatformId != VER_PLATFORM_WIN32_NT ? "win95"
                             : version.dwMajorVersion == 3            ? "nt351"
                             : version.dwMajorVersion == 4            ? "nt40"
                                                                      : "a later NT";
    EXPECT_EQ(seen, expected);
}
