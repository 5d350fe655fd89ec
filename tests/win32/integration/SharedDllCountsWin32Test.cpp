// Shared DLL counts in the real SharedDLLs key, for DLLs in scratch directories that stand in for
// the product, Windows and system directories. Every value and file is removed again.
#include "integration/CSharedDllEntry.h"
#include "integration/SharedDllCount.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "ProfileSections.h"
#include "LoggedRun.h"
#include "ScratchRegistry.h"

namespace {
const char kCountKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class SharedDllCounts : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::string* directory : {&product_, &windows_, &system_}) {
            ScratchFile name("kdl");
            DeleteFileA(name.Path().c_str());
            ASSERT_TRUE(CreateDirectoryA(name.Path().c_str(), nullptr));
            *directory = name.Path() + "\\";
        }
    }
    void TearDown() override
    {
        HKEY key = nullptr;
        bool open = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCountKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS;
        for (const std::string& dll : dlls_) {
            if (open)
                RegDeleteValueA(key, dll.c_str());
            SetFileAttributesA(dll.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(dll.c_str());
        }
        if (open)
            RegCloseKey(key);
        for (const std::string* directory : {&product_, &windows_, &system_})
            RemoveDirectoryA(directory->c_str());
    }

    // A DLL file in a directory, with a stored count unless none is given.
    std::string Dll(const std::string& directory, const char* name, std::optional<DWORD> count = std::nullopt)
    {
        std::string path = directory + name;
        std::ofstream(path, std::ios::binary) << "MZ";
        dlls_.push_back(path);
        if (count)
            WriteDword(HKEY_LOCAL_MACHINE, kCountKey, path, *count);
        return path;
    }

    static std::optional<DWORD> Count(const std::string& dll)
    {
        std::optional<StoredValue> stored = ReadValue(HKEY_LOCAL_MACHINE, kCountKey, dll);
        if (!stored)
            return std::nullopt;
        EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD)) << dll;
        return DwordOf(*stored);
    }

    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // Unsetup over the log, answering the question from the table and noting who was asked.
    // Files of the product's directory are the product's.
    SharedDllRemovalResult Decrement(const std::string& log, const std::map<std::string, bool>& answers)
    {
        SharedDllRemoval removal;
        removal.logPath = log;
        removal.windowsDirectory = windows_;
        removal.systemDirectory = system_;
        removal.confirm = [&](const std::string& fileName) {
            asked_.push_back(fileName);
            auto answer = answers.find(fileName);
            return answer != answers.end() && answer->second;
        };
        removal.isProductFile = [&](const std::string& path) { return path.rfind(product_, 0) == 0; };
        removal.isNT = true;
        return DecrementCounts(removal);
    }

    std::string product_, windows_, system_;
    std::vector<std::string> dlls_;
    std::vector<std::string> asked_;
};

// Setup counts from 1, one more for a counted DLL, and from 1 again over a damaged count; the log
// holds each count as "#N". Unsetup lowers them, deleting without a question what nothing uses
// outside the Windows and system directories.
TEST_F(SharedDllCounts, SetupCountsUpAndUnsetupCountsDown)
{
    const std::string fresh = Dll(product_, "kmfresh.dll");
    const std::string used = Dll(product_, "kmused.dll", 3);
    const std::string damaged = Dll(product_, "kmdamage.dll", 0x80000000u);
    ScratchFile log("klg");
    CSharedDllList list;
    for (const std::string* dll : {&fresh, &used, &damaged})
        list.AddFromSection(MakeSection("SharedDLLNT", {{"name", dll->c_str()}, {"option", "1"}}));
    list.SelectByOption("1");
    IncrementCountsLogged(list, log.Path());

    EXPECT_EQ(Count(fresh), 1u);
    EXPECT_EQ(Count(used), 4u);
    EXPECT_EQ(Count(damaged), 1u);
    using Lines = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(IniSection(log.Path(), "SharedDll"), (Lines{{fresh, "#1"}, {used, "#4"}, {damaged, "#1"}}));

    Decrement(log.Path(), {});
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(Count(used), 3u);
    EXPECT_TRUE(Exists(used));
    for (const std::string* gone : {&fresh, &damaged}) {
        EXPECT_FALSE(Count(*gone)) << *gone;
        EXPECT_FALSE(Exists(*gone)) << *gone;
    }
}

// An unused DLL of the Windows or system directory goes only after Yes (read-only or not); after
// No it stays with count 0. A DLL that a program holds open keeps file and count, unasked. A
// name in the log that is no full path in a directory is left alone.
TEST_F(SharedDllCounts, UnusedDllsOfTheSystemGoOnlyWhenTheUserAgrees)
{
    const std::string kept = Dll(system_, "kmkeep.dll", 1);
    const std::string readOnly = Dll(windows_, "kmronly.dll", 1);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string busy = Dll(system_, "kmbusy.dll", 1);
    const std::string many = Dll(system_, "kmmany.dll", 12);
    ScratchFile log("klg");
    for (const std::string* dll : {&kept, &readOnly, &busy, &many})
        WritePrivateProfileStringA("SharedDll", dll->c_str(), "#1", log.Path().c_str());
    WritePrivateProfileStringA("SharedDll", "kmkeep.dll", "#1", log.Path().c_str());

    HANDLE holder = CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Decrement(log.Path(), {{"kmkeep.dll", false}, {"kmronly.dll", true}});
    CloseHandle(holder);

    EXPECT_EQ(asked_, (std::vector<std::string>{"kmronly.dll", "kmkeep.dll"}));  // the last logged first
    EXPECT_TRUE(Exists(kept));
    EXPECT_EQ(Count(kept), 0u);
    EXPECT_FALSE(Exists(readOnly));
    EXPECT_FALSE(Count(readOnly));
    EXPECT_TRUE(Exists(busy));
    EXPECT_EQ(Count(busy), 1u);
    EXPECT_EQ(Count(many), 11u);
}

// A count is missing only when there is no such value: one that holds no count keeps file and
// count, and its line stays in the log for another try. Without a count only the product's own
// file goes, never one of the user's that a damaged log names. Every handled DLL leaves the log,
// so that another Unsetup never lowers its count again.
TEST_F(SharedDllCounts, OnlyAMissingCountCountsAsNoneAndOnlyTheProductsFilesGo)
{
    const std::string unreadable = Dll(product_, "kmbinary.dll");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCountKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, unreadable.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>("\1\2"), 2);
    RegCloseKey(key);
    const std::string uncounted = Dll(product_, "kmnone.dll");
    const std::string document = Dll(system_, "thesis.doc");
    const std::string counted = Dll(product_, "kmused.dll", 2);
    ScratchFile log("klg");
    for (const std::string* dll : {&unreadable, &uncounted, &document, &counted})
        WritePrivateProfileStringA("SharedDll", dll->c_str(), "#1", log.Path().c_str());

    SharedDllRemovalResult result = Decrement(log.Path(), {{"thesis.doc", true}});
    EXPECT_TRUE(result.failed);
    EXPECT_FALSE(result.atRestart);
    EXPECT_TRUE(asked_.empty());
    EXPECT_TRUE(Exists(unreadable));
    EXPECT_FALSE(Exists(uncounted));
    EXPECT_TRUE(Exists(document));
    EXPECT_EQ(Count(counted), 1u);
    using Lines = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(IniSection(log.Path(), "SharedDll"), (Lines{{unreadable, "#1"}}));

    Decrement(log.Path(), {});
    EXPECT_EQ(Count(counted), 1u) << "lowered once only";
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCountKey, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, unreadable.c_str());
    RegCloseKey(key);
}

}  // namespace
