// File types against the real HKEY_CLASSES_ROOT: Setup takes the free extensions only, logs the
// keys it creates, and Unsetup's removal of logged keys takes only those.
#include "integration/CMediaTypeEntry.h"

#include <gtest/gtest.h>

#include "ProfileSections.h"
#include "LoggedRun.h"
#include "ScratchRegistry.h"

namespace {
const char* const kExtensions[] = {".kmzfree", ".kmzclaimed", ".kmzempty", ".kmzlast"};

class MediaTypes : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        for (const char* extension : kExtensions)
            DeleteKeyTree(HKEY_CLASSES_ROOT, extension);
    }

    static void SetDefault(const char* extension, const std::string& text)
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, extension, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  &disposition), ERROR_SUCCESS);
        RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }

    static std::string Default(const char* extension)
    {
        std::optional<StoredValue> value = ReadValue(HKEY_CLASSES_ROOT, extension, "");
        return value ? std::string(value->bytes.c_str()) : std::string("<none>");
    }
};

// Count 5 with no "file3" and no "file5": entries 3 and 5 stand for the bare root and write
// nothing. A free extension is created and logged; a claimed one is untouched; one whose default
// value is empty gets the short name without being logged, so that Unsetup leaves it.
TEST_F(MediaTypes, OnlyFreeExtensionsAreTakenAndOnlyCreatedOnesAreLogged)
{
    SetDefault(".kmzclaimed", "OtherApp.Document");
    SetDefault(".kmzempty", "");
    CMediaTypeList list;
    list.SetNames("Kalmora", "Kalmora 4.0 Picture Album");
    list.AddFromSection(MakeSection("mediatypes", {{"file1", ".kmzfree"}, {"file2", ".kmzclaimed"},
                                                   {"file4", ".kmzempty"}, {"file6", ".kmzlast"}}), 5);
    ScratchFile log("klg");
    list.ResolveConflicts();
    ApplySelectedLogged(list, log.Path());

    EXPECT_EQ(Default(".kmzfree"), "Kalmora");
    EXPECT_EQ(Default(".kmzclaimed"), "OtherApp.Document");
    EXPECT_EQ(Default(".kmzempty"), "Kalmora");
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".kmzlast")) << "beyond the count";
    using Lines = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(IniSection(log.Path(), "Registry"), (Lines{{"HKEY_CLASSES_ROOT\\.kmzfree", "x|"}}));

    RemoveLoggedKeys(log.Path());
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".kmzfree"));
    EXPECT_EQ(Default(".kmzclaimed"), "OtherApp.Document");
    EXPECT_EQ(Default(".kmzempty"), "Kalmora");
}

}  // namespace
