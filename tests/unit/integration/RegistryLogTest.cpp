#include "integration/RegistryLog.h"

#include <gtest/gtest.h>

#include <map>

#include "integration/CRegEntry.h"
#include "integration/CRegistryRecord.h"
#include "uninstall/ILogWriter.h"

using Names = std::vector<std::string>;

// Value names come back from the key's line exactly as they went in: the default value, blanks,
// the separator, the escape itself and control characters included. Older logs hold a bare "x".
TEST(RegistryLog, KeyLinesCarryTheProductsValueNames)
{
    const Names rows[] = {
        {}, {""}, {"Path"}, {"Path", "", "Version"}, {"a|b", "100%", "tab\there", "ends in a blank "},
        {" leading", "%41 is not an escape of ours"},
    };
    for (const Names& names : rows) {
        std::string line = RegistryLog::KeyLine(names);
        EXPECT_EQ(RegistryLog::ValueNames(line), names) << line;
        EXPECT_EQ(line.find_first_of("\t"), std::string::npos) << line;
        EXPECT_NE(line.back(), ' ') << line;
    }
    EXPECT_EQ(RegistryLog::KeyLine({"Path", ""}), "x|Path|");
    EXPECT_EQ(RegistryLog::ValueNames("x"), Names{});
    EXPECT_EQ(RegistryLog::ValueNames("y|Path"), Names{});
    EXPECT_EQ(RegistryLog::ValueNames("x|50%"), Names{"50%"});
}

// A logged key goes only when it holds nothing of anyone else; what cannot be read keeps it.
TEST(RegistryLog, ACreatedKeyGoesOnlyWithNothingOfOthersInIt)
{
    const struct {
        long subkeys;
        std::optional<Names> values;
        Names product;
        bool deleted;
    } rows[] = {
        {0, Names{}, {}, true},
        {0, Names{"Path", "VERSION"}, {"path", "Version", "Samples"}, true},
        {0, Names{""}, {""}, true},
        {0, Names{"", "Content Type"}, {""}, false},   // a file type that another program filled
        {0, Names{"C:\\KALMORA\\kmshare.dll"}, {}, false},  // a damaged log naming the SharedDLLs key
        {1, Names{}, {}, false},
        {-1, Names{}, {}, false},
        {0, std::nullopt, {}, false},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row)
        EXPECT_EQ(RegistryLog::MayDeleteCreatedKey(rows[row].subkeys, rows[row].values, rows[row].product),
                  rows[row].deleted)
            << "row " << row;
}

// The product's own settings key goes with its values; a vendor's key above it only when empty.
TEST(RegistryLog, ARemovalKeyNeverTakesSubkeysAndAContainerNeverTakesValues)
{
    EXPECT_TRUE(RegistryLog::MayDeleteRemovalKey(0, 3, false));
    EXPECT_TRUE(RegistryLog::MayDeleteRemovalKey(0, 0, true));
    EXPECT_FALSE(RegistryLog::MayDeleteRemovalKey(0, 1, true));
    EXPECT_FALSE(RegistryLog::MayDeleteRemovalKey(1, 0, false));
    EXPECT_FALSE(RegistryLog::MayDeleteRemovalKey(-1, 0, false));
    EXPECT_FALSE(RegistryLog::MayDeleteRemovalKey(0, -1, false));

    EXPECT_TRUE(RegistryLog::IsBelow("HKEY_CURRENT_USER\\Software\\Orvane\\Kalmora", "hkey_current_user\\software\\orvane"));
    EXPECT_FALSE(RegistryLog::IsBelow("HKEY_CURRENT_USER\\Software\\OrvaneX", "HKEY_CURRENT_USER\\Software\\Orvane"));
    EXPECT_FALSE(RegistryLog::IsBelow("HKEY_CURRENT_USER\\Software\\Orvane", "HKEY_CURRENT_USER\\Software\\Orvane"));
}

// Entries that write into one key the first of them created: the key's line gathers every value,
// however its path was spelled; values written into keys that existed are not the record's.
TEST(RegistryLog, TheRecordGathersTheValuesOfTheKeysItSawCreated)
{
    struct Writes : ILogWriter {
        std::vector<std::string> lines;
        void Write(const std::string& section, const std::string& key, const std::string& value) override
        {
            lines.push_back(section + ":" + key + "=" + value);
        }
        void Remove(const std::string&, const std::string&) override {}
        const std::string* Find(const std::string& section, const std::string& key) const override
        {
            auto logged = earlier.find(section + ":" + key);
            return logged == earlier.end() ? nullptr : &logged->second;
        }
        std::map<std::string, std::string> earlier;
    } log;
    CRegistryRecord record(&log);
    CRegEntry path, version, elsewhere;
    path.Set("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora", "Path", "C:\\KALMORA", "0");
    version.Set("hkey_local_machine\\\\software\\orvane\\kalmora\\", "Version", "#400", "0");
    elsewhere.Set("HKEY_LOCAL_MACHINE\\SOFTWARE", "Other", "1", "0");
    record.KeyCreated("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane", path);
    record.KeyCreated("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora", path);
    record.ValueWritten(path);
    record.ValueWritten(version);
    record.ValueWritten(elsewhere);
    EXPECT_EQ(record.Line("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane"), "x");
    EXPECT_EQ(record.Line("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora"), "x|Path|Version");
    EXPECT_EQ(record.Line("HKEY_LOCAL_MACHINE\\SOFTWARE"), "");
    // Each key is logged when it is about to be made, and again as values join it.
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Registry:HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane=x",
                                                   "Registry:HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora=x|Path",
                                                   "Registry:HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora=x|Path|Version"}));

    // A run that stopped after it made a key: the next run finds the key there, and its values
    // still join the line the log holds.
    log.lines.clear();
    log.earlier["Registry:HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora"] = "x|Path";
    CRegistryRecord again(&log);
    again.ValueWritten(path);
    again.ValueWritten(version);
    again.ValueWritten(elsewhere);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Registry:HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora=x|Path|Version"}));
}
