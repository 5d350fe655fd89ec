#include "uninstall/CRemoval.h"

#include <map>
#include <gtest/gtest.h>

#include "resources/resource.h"

namespace {
// Records what the removal asks of the platform, one line a call.
class RecordingActions : public IRemovalActions {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> log;
    std::string stopAtFile;  // the user confirms a stop when this file's status is shown

    bool ShowStatus(int label, int text) override
    {
        calls.push_back("status " + std::to_string(label) + "/" + std::to_string(text));
        return true;
    }
    bool ShowFileStatus(int label, const std::string& path) override
    {
        calls.push_back("file status " + path);
        return path != stopAtFile;
    }
    void SetGauge(int position) override { calls.push_back("gauge " + std::to_string(position)); }
    void RemoveSchedulerIcon() override { calls.push_back("scheduler"); }
    void RemoveShortcut(const CShortcutTarget& target) override { calls.push_back("shortcut " + target.itemName); }
    void DeleteRemovalKeys() override { calls.push_back("removal keys"); }
    void UnregisterDlls() override { calls.push_back("unregister"); }
    void RemoveLoggedKeys() override { calls.push_back("logged keys"); }
    void DecrementCounts() override { calls.push_back("shared dlls"); }
    std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) override
    {
        return log[group];
    }
    void ClearReadOnly(const std::string& path) override { calls.push_back("read-only off " + path); }
    void DeleteInstalledFile(const std::string& path) override { calls.push_back("delete " + path); }
    void DeleteSettingsFile() override { calls.push_back("settings file"); }
    void RemoveEmptyDirectory(const std::string& path) override { calls.push_back("rmdir " + path); }
    void DeleteLog() override { calls.push_back("log"); }

    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

struct Installation {
    CDestinationStore destinations{"C:\\KALMORA\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\"};
    CGroupStore groups;
    CTargetStore targets;
    RecordingActions actions;

    Installation()
    {
        destinations.SetNameAndParent(0, "Kalmora", -1);
        destinations.SetDirectory(0, "C:\\KALMORA\\");
        destinations.SetNameAndParent(1, "Samples", 0);
        destinations.SetDirectory(1, "C:\\KALMORA\\SAMPLES\\");
        destinations.SetNameAndParent(1000, "Shared", -1);
        destinations.SetDirectory(1000, "C:\\SHARED\\");
        CGroup program;
        program.name = "program";
        groups.Put(program);
        CGroup samples;
        samples.name = "samples";
        groups.Put(samples);
        CShortcutTarget target;
        target.fileName = "kmwin.exe";
        target.itemName = "Kalmora 4.0";
        target.programPath = CFilePath("C:\\KALMORA\\kmwin.exe");
        targets.Put(target);
        actions.log["program"] = {{"kmwin.exe", "0|1|0"}, {"kmshare.dat", "1000|1|0"}};
        actions.log["samples"] = {{"letter.kmd", "1|1|1"}};
    }

    bool Run(bool inPlace = false)
    {
        CRemoval removal(destinations, groups, targets, actions);
        removal.inPlace = inPlace;
        removal.windowsDirectory = "C:\\WINDOWS";
        removal.systemDirectory = "C:\\WINDOWS\\SYSTEM";
        return removal.Run();
    }
};

std::string Status(int label, int text)
{
    return "status " + std::to_string(label) + "/" + std::to_string(text);
}
}

TEST(CRemoval, RemovesEverythingInItsFixedOrder)
{
    Installation installation;
    EXPECT_TRUE(installation.Run());
    std::vector<std::string> expected = {
        Status(IDS_REMOVING, IDS_PROGRAM_ICONS), "scheduler", "gauge 20", "removal keys",
        Status(IDS_UNREGISTERING, IDS_SELF_REGISTERING_DLLS), "unregister", "gauge 40",
        Status(IDS_REMOVING, IDS_REGISTRY_ENTRIES), "logged keys", "gauge 60",
        Status(IDS_UNREGISTERING, IDS_SHARED_DLLS), "shared dlls",
        "file status C:\\KALMORA\\kmwin.exe", "read-only off C:\\KALMORA\\kmwin.exe", "shortcut Kalmora 4.0",
        "delete C:\\KALMORA\\kmwin.exe",
        // A file of a destination numbered 1000 or more is passed over but stays.
        "file status C:\\SHARED\\kmshare.dat", "read-only off C:\\SHARED\\kmshare.dat",
        "file status C:\\KALMORA\\SAMPLES\\letter.kmd", "read-only off C:\\KALMORA\\SAMPLES\\letter.kmd",
        "delete C:\\KALMORA\\SAMPLES\\letter.kmd",
        "gauge 80", "settings file", Status(IDS_REMOVING, IDS_PROGRAM_DIRECTORIES)};
    // Three passes over the three directories, so that nested ones empty from the inside out.
    for (int pass = 0; pass < 3; ++pass)
        for (const char* directory : {"C:\\KALMORA\\", "C:\\KALMORA\\SAMPLES\\", "C:\\SHARED\\"})
            expected.push_back(std::string("rmdir ") + directory);
    expected.insert(expected.end(), {"gauge 99", "log"});
    EXPECT_EQ(installation.actions.calls, expected);
}

TEST(CRemoval, AConfirmedStopKeepsEverythingAfterIt)
{
    Installation installation;
    installation.actions.stopAtFile = "C:\\KALMORA\\kmwin.exe";
    EXPECT_FALSE(installation.Run());
    const auto& calls = installation.actions.calls;
    EXPECT_EQ(calls.back(), "file status C:\\KALMORA\\kmwin.exe");
    EXPECT_FALSE(installation.actions.Called("delete C:\\KALMORA\\kmwin.exe"));
    EXPECT_FALSE(installation.actions.Called("log"));
    EXPECT_FALSE(installation.actions.Called("settings file"));
}

TEST(CRemoval, AHostileLogCannotReachOutsideTheProductsDirectories)
{
    Installation installation;
    installation.actions.log["program"] = {
        {"..", "0|1|0"}, {"..\\..\\WINDOWS\\win.ini", "0|1|0"}, {"C:boot.ini", "0|1|0"}, {"/etc", "0|1|0"},
        {"", "0|1|0"}, {"orphan.dat", "7|1|0"}, {"junk", "not a number at all"}, {"huge", "99999999999999999999|1"},
        {"tmp.dat", "-4|1|0"}, {"win.ini", "-2|1|0"}, {"boot.ini", "2|1|0"}, {"kernel32.dll", "3|1|0"}};
    installation.destinations.SetNameAndParent(2, "Root", -1);
    installation.destinations.SetDirectory(2, "C:\\");
    installation.destinations.SetNameAndParent(3, "Windows", -1);
    installation.destinations.SetDirectory(3, "c:\\windows\\");
    EXPECT_TRUE(installation.Run());
    std::vector<std::string> deleted, removedDirectories;
    for (const std::string& call : installation.actions.calls) {
        if (call.rfind("delete ", 0) == 0)
            deleted.push_back(call);
        if (call.rfind("rmdir ", 0) == 0)
            removedDirectories.push_back(call);
    }
    // "junk" falls back to destination 0; "huge" saturates past 1000 and stays.
    EXPECT_EQ(deleted, (std::vector<std::string>{"delete C:\\KALMORA\\junk", "delete C:\\KALMORA\\SAMPLES\\letter.kmd"}));
    for (const std::string& call : removedDirectories) {
        EXPECT_NE(call, "rmdir C:\\") << "a drive root";
        EXPECT_NE(call, "rmdir c:\\windows\\") << "the Windows directory";
        EXPECT_NE(call, "rmdir C:\\TEMP\\") << "the temporary directory";
    }
}

TEST(CRemoval, UnsetupInPlaceRemovesTheTargetsIcons)
{
    Installation installation;
    installation.actions.log.clear();
    EXPECT_TRUE(installation.Run(true));
    const auto& calls = installation.actions.calls;
    EXPECT_EQ(calls[1], "scheduler");
    EXPECT_EQ(calls[2], "shortcut Kalmora 4.0");
}

TEST(CRemoval, NeverRemovesARootOrAWindowsDirectory)
{
    const struct {
        const char* directory;
        bool removable;
    } rows[] = {
        {"C:\\KALMORA\\", true}, {"C:\\KALMORA", true}, {"C:\\", false}, {"C:", false}, {"", false},
        {"KALMORA", false}, {"c:\\windows\\", false}, {"C:\\WINDOWS\\SYSTEM", false},
        {"C:\\WINDOWS\\SYSTEM\\KALMORA\\", true}, {"KALMORA\\Data\\", false}, {"\\KALMORA\\", false},
        {"C:\\KALMORA\\..\\", false}, {"C:\\\\", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CRemoval::IsRemovableDirectory(row.directory, "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\"), row.removable)
            << row.directory;
}
