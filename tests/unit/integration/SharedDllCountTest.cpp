#include "integration/SharedDllCount.h"
#include "integration/CSharedDllEntry.h"

#include <gtest/gtest.h>

#include "ProfileSections.h"

using namespace SharedDllCount;

namespace {
std::string Dword(std::uint32_t number)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}
}

TEST(SharedDllCount, ReadsDwordsAndOtherInstallersDecimalText)
{
    const struct {
        std::uint32_t type;
        std::string bytes;
        std::optional<std::uint32_t> count;
    } rows[] = {
        {4, Dword(3), 3u},
        {4, Dword(0x7FFFFFFFu), 0x7FFFFFFFu},
        {4, Dword(0x80000000u), std::nullopt},  // negative to the other programs: damaged
        {4, Dword(0xFFFFFFFFu), std::nullopt},
        {1, "2147483648", std::nullopt},
        {4, Dword(300).substr(0, 2), std::nullopt},  // too short to be a number
        {1, "3", 3u},
        {1, " 12 users", 12u},
        {2, "7", 7u},
        {1, "", std::nullopt},
        {1, "three", std::nullopt},
        {1, "-1", std::nullopt},
        {1, "4294967296", std::nullopt},
        {3, Dword(5), std::nullopt},  // REG_BINARY
    };
    for (std::size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
        EXPECT_EQ(Read(rows[row].type, rows[row].bytes), rows[row].count) << "row " << row;
}

TEST(SharedDllCount, SetupCountsUpFromOneWithoutWrapping)
{
    EXPECT_EQ(Incremented(std::nullopt), 1u);
    EXPECT_EQ(Incremented(3u), 4u);
    EXPECT_EQ(Incremented(kMaxCount), kMaxCount);
    // What Setup stores reads back as the same count: registry and log never disagree.
    EXPECT_EQ(Read(4, Dword(Incremented(Read(4, Dword(0x80000000u))))), 1u);
    EXPECT_EQ(DataText(12), "#12");
}

TEST(SharedDllCount, UnsetupKeepsUsedDllsAndAsksOnlyInTheWindowsDirectories)
{
    const std::string windows = "C:\\WINDOWS";
    const std::string system = "C:\\WINDOWS\\SYSTEM\\";
    constexpr CountState present = CountState::present, missing = CountState::missing;
    const struct {
        CountState state;
        std::uint32_t count;
        bool installed;
        const char* dll;
        Removal removal;
        std::uint32_t countToKeep;
    } rows[] = {
        {present, 12, true, "C:\\KALMORA\\kmshare.dll", Removal::keepCount, 11},
        {present, 4, true, "c:\\windows\\system\\kmshare.dll", Removal::keepCount, 3},
        {present, 1, true, "C:\\KALMORA\\kmshare.dll", Removal::delete_, 0},
        {present, 1, false, "C:\\KALMORA\\kmshare.dll", Removal::delete_, 0},
        {present, 1, true, "c:\\windows\\system\\kmshare.dll", Removal::askThenDelete, 0},
        {present, 1, true, "C:\\Windows\\kmshare.dll", Removal::askThenDelete, 0},
        {present, 1, true, "C:\\WINDOWS\\SYSTEM32\\kmshare.dll", Removal::delete_, 0},
        {missing, 0, true, "C:\\WINDOWS\\SYSTEM\\kmshare.dll", Removal::askThenDelete, 0},
        {present, 0, true, "C:\\KALMORA\\kmshare.dll", Removal::delete_, 0},
        // Without a count, only a file that the product installed: never a user's document that
        // a damaged log names.
        {missing, 0, false, "C:\\Users\\thesis.doc", Removal::skip, 0},
        // A count that cannot be read keeps file and count.
        {CountState::unreadable, 0, true, "C:\\KALMORA\\kmshare.dll", Removal::skip, 0},
        // A log's name that is no full path of a file in a directory is passed over.
        {present, 1, true, "kmshare.dll", Removal::skip, 0},
        {present, 1, true, "C:\\kmshare.dll", Removal::skip, 0},
        {present, 3, true, "..\\KALMORA\\kmshare.dll", Removal::skip, 0},
        {present, 1, true, "C:\\KALMORA\\..\\kmshare.dll", Removal::skip, 0},
    };
    for (std::size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
        Decision decision =
            DecideRemoval(rows[row].state, rows[row].count, rows[row].installed, rows[row].dll, windows, system);
        EXPECT_EQ(decision.removal, rows[row].removal) << "row " << row;
        EXPECT_EQ(decision.countToKeep, rows[row].countToKeep) << "row " << row;
    }
    EXPECT_EQ(FileNameOf("C:\\WINDOWS\\SYSTEM\\KMSHARE.DLL"), "KMSHARE.DLL");
}

TEST(CSharedDllEntry, CountsTheDllThatItsSectionNamesOnceMacrosAreExpanded)
{
    CSharedDllList list;
    list.AddFromSection(MakeSection("SharedDLL95", {{"NAME", "?3?kmshare.dll"}, {"option", "1"}, {"data", "#9"}}));
    list.ExpandMacros({"?3?"}, {"C:\\WINDOWS\\SYSTEM\\"});
    const CRegEntry& entry = list[0];
    EXPECT_EQ(entry.path, kKeyPath);
    EXPECT_EQ(entry.components.size(), 6u);
    EXPECT_EQ(entry.valueName, "C:\\WINDOWS\\SYSTEM\\kmshare.dll");
    EXPECT_EQ(entry.data, "#1");
    EXPECT_EQ(entry.valueType, CRegEntry::kTypeDword);
    EXPECT_EQ(entry.option, "1");
    // A copy of the list keeps the entries' kind.
    CSharedDllList copy;
    static_cast<CRegEntryList&>(copy) = list;
    EXPECT_NE(dynamic_cast<const CSharedDllEntry*>(&copy[0]), nullptr);
}
