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
    std::map<std::string, Disposal> disposals;  // of files and directories; gone when not named
    bool keysStay = false;

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
    void RemoveProgramFolder() override { calls.push_back("program folder"); }
    bool DeleteRemovalKeys() override
    {
        calls.push_back("removal keys");
        return !keysStay;
    }
    void UnregisterDlls(const CDestinationStore& destinations) override
    {
        calls.push_back("unregister " + destinations.GetDirectory(5));
    }
    bool RemoveLoggedKeys() override
    {
        calls.push_back("logged keys");
        return true;
    }
    Disposal DecrementCounts(const std::function<bool(const std::string&)>&) override
    {
        calls.push_back("shared dlls");
        return Disposal::gone;
    }
    Disposal RemoveTemporaryCopies(const std::function<bool(const std::string&)>&) override
    {
        calls.push_back("temporary copies");
        return Disposal::gone;
    }
    std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) override
    {
        return log[group];
    }
    void ClearReadOnly(const std::string& path) override { calls.push_back("read-only off " + path); }
    Disposal DeleteInstalledFile(const std::string& path) override
    {
        calls.push_back("delete " + path);
        return DisposalOf(path);
    }
    void DeleteSettingsFile() override { calls.push_back("settings file"); }
    Disposal RemoveEmptyDirectory(const std::string& path) override
    {
        calls.push_back("rmdir " + path);
        return DisposalOf(path);
    }
    bool RemoveDirectoryAtRestart(const std::string& path) override
    {
        calls.push_back("rmdir at restart " + path);
        return true;
    }
    void DeleteLog() override { calls.push_back("log"); }

    Disposal DisposalOf(const std::string& path) const
    {
        auto found = disposals.find(path);
        return found == disposals.end() ? Disposal::gone : found->second;
    }

    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

// Short names as the system would expand them.
std::string LongForm(const std::string& path)
{
    for (const auto& [shortName, longName] : {std::pair<std::string, std::string>{"C:\\WINDOW~1", "C:\\WINDOWS"},
                                              {"C:\\KALMOR~1", "C:\\KALMORA"}})
        if (path.compare(0, shortName.size(), shortName) == 0)
            return longName + path.substr(shortName.size());
    return path;
}

CRemovalScope Scope(const std::string& uninstaller = "C:\\KALMORA\\")
{
    return CRemovalScope({uninstaller, uninstaller + "unsetup.exe", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\"},
                         LongForm);
}

struct Installation {
    CDestinationStore destinations{"C:\\KALMORA\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\"};
    CRemovalScope scope = Scope();
    CGroupStore groups;
    CTargetStore targets;
    RecordingActions actions;

    Installation()
    {
        destinations.SetNameAndParent(0, "Kalmora", -1);
        destinations.SetDirectory(0, "C:\\KALMORA\\");
        destinations.SetNameAndParent(1, "Samples", 0);
        destinations.SetDirectory(1, "C:\\KALMORA\\SAMPLES\\");
        destinations.SetNameAndParent(1000, "Shared", CDestinationStore::kWindows);
        destinations.SetDirectory(1000, "C:\\WINDOWS\\SHARED\\");
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
        actions.log["program"] = {{"kmwin.exe", "0|1|0"}, {"kmshare.dat", "1000|1|0"}, {"unsetup.exe", "0|1|0"}};
        actions.log["samples"] = {{"letter.kmd", "1|1|1"}};
    }

    RemovalEnd Run(bool inPlace = false)
    {
        CRemoval removal(destinations, groups, targets, actions, scope);
        removal.inPlace = inPlace;
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
    EXPECT_EQ(installation.Run(), RemovalEnd::removed);
    std::vector<std::string> expected = {
        Status(IDS_REMOVING, IDS_PROGRAM_ICONS), "scheduler", "gauge 20", "removal keys",
        Status(IDS_UNREGISTERING, IDS_SELF_REGISTERING_DLLS), "unregister ", "gauge 40",
        Status(IDS_REMOVING, IDS_REGISTRY_ENTRIES), "logged keys", "gauge 60",
        Status(IDS_UNREGISTERING, IDS_SHARED_DLLS), "shared dlls", "temporary copies",
        "file status C:\\KALMORA\\kmwin.exe", "read-only off C:\\KALMORA\\kmwin.exe", "shortcut Kalmora 4.0",
        "delete C:\\KALMORA\\kmwin.exe",
        // A file of a destination numbered 1000 or more is passed over but stays.
        "file status C:\\WINDOWS\\SHARED\\kmshare.dat", "read-only off C:\\WINDOWS\\SHARED\\kmshare.dat",
        // The running uninstaller is shown, and left for its epilogue.
        "file status C:\\KALMORA\\unsetup.exe", "read-only off C:\\KALMORA\\unsetup.exe",
        "file status C:\\KALMORA\\SAMPLES\\letter.kmd", "read-only off C:\\KALMORA\\SAMPLES\\letter.kmd",
        "delete C:\\KALMORA\\SAMPLES\\letter.kmd", "program folder",
        "gauge 80", "settings file", Status(IDS_REMOVING, IDS_PROGRAM_DIRECTORIES)};
    // Three passes over the three directories, so that nested ones empty from the inside out.
    for (int pass = 0; pass < 3; ++pass)
        for (const char* directory : {"C:\\KALMORA\\", "C:\\KALMORA\\SAMPLES\\", "C:\\WINDOWS\\SHARED\\"})
            expected.push_back(std::string("rmdir ") + directory);
    expected.insert(expected.end(), {"gauge 99", "log"});
    EXPECT_EQ(installation.actions.calls, expected);
}

TEST(CRemoval, AConfirmedStopKeepsEverythingAfterIt)
{
    Installation installation;
    installation.actions.stopAtFile = "C:\\KALMORA\\kmwin.exe";
    EXPECT_EQ(installation.Run(), RemovalEnd::stopped);
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
        {"tmp.dat", "-4|1|0"}, {"win.ini", "-2|1|0"}, {"boot.ini", "2|1|0"}, {"kernel32.dll", "3|1|0"},
        {"system.ini", "4|1|0"}, {"user.exe", "5|1|0"}, {"gdi.exe", "6|1|0"}};
    // A root, the Windows directory spelt three ways, a directory outside its parent, and the
    // system directory below the Windows directory: none of them is Setup's own.
    const struct {
        int number;
        int parent;
        const char* directory;
    } logged[] = {{2, -1, "C:\\"},
                  {3, -1, "c:\\windows\\"},
                  {4, 0, "C:\\WINDOWS.\\"},
                  {5, 0, "C:\\KALMORA\\..\\WINDOWS\\SYSTEM\\"},
                  {6, CDestinationStore::kWindows, "C:\\WINDOW~1\\SYSTEM"}};
    for (const auto& destination : logged) {
        installation.destinations.SetNameAndParent(destination.number, "Logged", destination.parent);
        installation.destinations.SetDirectory(destination.number, destination.directory);
    }
    EXPECT_EQ(installation.Run(), RemovalEnd::removed);
    std::vector<std::string> deleted, removedDirectories;
    for (const std::string& call : installation.actions.calls) {
        if (call.rfind("delete ", 0) == 0)
            deleted.push_back(call);
        if (call.rfind("rmdir ", 0) == 0)
            removedDirectories.push_back(call);
    }
    // "junk" falls back to destination 0; "huge" saturates past 1000 and stays.
    EXPECT_EQ(deleted, (std::vector<std::string>{"delete C:\\KALMORA\\junk", "delete C:\\KALMORA\\SAMPLES\\letter.kmd"}));
    EXPECT_EQ(removedDirectories.size(), 9u) << "three passes over the product's and the shared directory";
    for (const std::string& call : removedDirectories)
        EXPECT_TRUE(call == "rmdir C:\\KALMORA\\" || call == "rmdir C:\\KALMORA\\SAMPLES\\" ||
                    call == "rmdir C:\\WINDOWS\\SHARED\\")
            << call;
}

// A file in use goes at the next start, and the directories it keeps follow it then, the deepest
// first; the log goes now. What can be neither removed nor arranged to go keeps the log, and so
// does a key that could not be deleted. A user's file keeping a directory is no failure.
TEST(CRemoval, WhatCannotGoNowGoesAtTheNextStartOrKeepsTheLog)
{
    Installation inUse;
    inUse.actions.disposals = {{"C:\\KALMORA\\SAMPLES\\letter.kmd", Disposal::atRestart},
                               {"C:\\KALMORA\\SAMPLES\\", Disposal::kept},
                               {"C:\\KALMORA\\", Disposal::kept},
                               {"C:\\WINDOWS\\SHARED\\", Disposal::kept}};
    EXPECT_EQ(inUse.Run(), RemovalEnd::removedAtRestart);
    const auto& calls = inUse.actions.calls;
    auto samples = std::find(calls.begin(), calls.end(), "rmdir at restart C:\\KALMORA\\SAMPLES\\");
    auto kalmora = std::find(calls.begin(), calls.end(), "rmdir at restart C:\\KALMORA\\");
    EXPECT_TRUE(samples != calls.end() && kalmora != calls.end() && samples < kalmora);
    EXPECT_FALSE(inUse.actions.Called("rmdir at restart C:\\WINDOWS\\SHARED\\")) << "no file of it waits";
    EXPECT_EQ(calls.back(), "log");

    Installation stuck;
    stuck.actions.disposals = {{"C:\\KALMORA\\kmwin.exe", Disposal::stays}};
    EXPECT_EQ(stuck.Run(), RemovalEnd::incomplete);
    EXPECT_FALSE(stuck.actions.Called("log"));

    Installation key;
    key.actions.keysStay = true;
    EXPECT_EQ(key.Run(), RemovalEnd::incomplete);

    Installation userFile;
    userFile.actions.disposals = {{"C:\\KALMORA\\SAMPLES\\", Disposal::kept}, {"C:\\KALMORA\\", Disposal::kept}};
    EXPECT_EQ(userFile.Run(), RemovalEnd::removed);
    EXPECT_FALSE(userFile.actions.Called("rmdir at restart C:\\KALMORA\\"));
}

// Without a count, a shared DLL is the product's only where the product put files: in one of its
// destinations below 1000, or named by a file record.
TEST(CRemoval, KnowsTheProductsFiles)
{
    Installation installation;
    CRemoval removal(installation.destinations, installation.groups, installation.targets, installation.actions,
                     installation.scope);
    EXPECT_TRUE(removal.IsProductFile("C:\\KALMORA\\kmshare.dll"));
    EXPECT_TRUE(removal.IsProductFile("C:\\KALMOR~1\\SAMPLES.\\letter.kmd"));
    EXPECT_FALSE(removal.IsProductFile("C:\\WINDOWS\\SHARED\\kmshare.dat")) << "a destination of 1000";
    EXPECT_FALSE(removal.IsProductFile("C:\\Users\\thesis.doc"));
    EXPECT_FALSE(removal.IsProductFile("kmshare.dll"));
}

TEST(CRemoval, UnsetupInPlaceRemovesTheTargetsIcons)
{
    Installation installation;
    installation.actions.log.clear();
    EXPECT_EQ(installation.Run(true), RemovalEnd::removed);
    const auto& calls = installation.actions.calls;
    EXPECT_EQ(calls[1], "scheduler");
    EXPECT_EQ(calls[2], "shortcut Kalmora 4.0");
}

TEST(CRemovalScope, NeverRemovesARootOrAWindowsDirectory)
{
    const struct {
        const char* directory;
        bool removable;
    } rows[] = {
        {"C:\\KALMORA\\", true}, {"C:\\KALMORA", true}, {"C:\\", false}, {"C:", false}, {"", false},
        {"KALMORA", false}, {"c:\\windows\\", false}, {"C:\\WINDOWS\\SYSTEM", false},
        {"C:\\WINDOWS.\\", false}, {"C:\\WINDOWS .\\", false}, {"C:\\WINDOW~1", false},
        {"C:\\KALMORA\\..\\WINDOWS\\SYSTEM\\.", false}, {"C:/Windows/", false}, {"C:\\TEMP\\", false},
        {"C:\\WINDOWS\\SYSTEM\\KALMORA\\", true}, {"KALMORA\\Data\\", false}, {"\\KALMORA\\", false},
        {"C:\\KALMORA\\..\\", false}, {"C:\\\\", false}, {"\\\\server\\share\\", false},
    };
    CRemovalScope scope = Scope();
    for (const auto& row : rows)
        EXPECT_EQ(scope.MayRemoveDirectory(row.directory), row.removable) << row.directory;
}

// Destination 0 is the uninstaller's own directory, or the logged one outside Windows' directories
// when the uninstaller runs from elsewhere; every other destination lies below its parent.
TEST(CRemovalScope, TrustsOnlyTheDestinationsThatSetupMade)
{
    const struct {
        const char* uninstaller;
        const char* main;
        int parent;
        const char* child;
        const char* trustedMain;
        const char* trustedChild;
    } rows[] = {
        {"C:\\KALMORA\\", "C:\\KALMOR~1\\", 0, "C:\\KALMORA\\Samples\\", "C:\\KALMORA\\", "C:\\KALMORA\\Samples\\"},
        {"D:\\", "C:\\KALMORA\\", 0, "C:\\KALMORA\\Samples.\\", "C:\\KALMORA\\", "C:\\KALMORA\\Samples\\"},
        {"D:\\", "C:\\WINDOWS\\Kalmora\\", 0, "C:\\WINDOWS\\Kalmora\\Samples\\", "", ""},
        {"C:\\WINDOWS\\Kalmora\\", "C:\\WINDOWS\\Kalmora", 0, "C:\\WINDOWS\\Kalmora\\Samples", "C:\\WINDOWS\\Kalmora\\",
         "C:\\WINDOWS\\Kalmora\\Samples\\"},
        {"C:\\WINDOWS\\", "C:\\WINDOWS.\\", 0, "C:\\WINDOWS\\SYSTEM\\", "", ""},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", 0, "C:\\OTHER\\", "C:\\KALMORA\\", ""},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", 0, "C:\\KALMORA\\", "C:\\KALMORA\\", ""},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", -1, "C:\\FONTS\\", "C:\\KALMORA\\", ""},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", CDestinationStore::kWindows, "C:\\WINDOWS\\Fonts\\", "C:\\KALMORA\\",
         "C:\\WINDOWS\\Fonts\\"},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", CDestinationStore::kWindows, "C:\\WINDOWS\\SYSTEM\\", "C:\\KALMORA\\", ""},
        {"C:\\KALMORA\\", "C:\\KALMORA\\", 7, "C:\\KALMORA\\X\\", "C:\\KALMORA\\", ""},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        CDestinationStore logged("D:\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\");
        logged.SetNameAndParent(0, "Kalmora", -1);
        logged.SetDirectory(0, rows[row].main);
        logged.SetNameAndParent(1, "Child", rows[row].parent);
        logged.SetDirectory(1, rows[row].child);
        logged.SetNameAndParent(-2, "Windows", -1);
        logged.SetDirectory(-2, "C:\\KALMORA\\");  // a log's word on the fixed ones counts for nothing
        CDestinationStore trusted = Scope(rows[row].uninstaller).Trusted(logged);
        EXPECT_EQ(trusted.GetDirectory(0), rows[row].trustedMain) << "row " << row;
        EXPECT_EQ(trusted.GetDirectory(1), rows[row].trustedChild) << "row " << row;
        EXPECT_EQ(trusted.GetDirectory(-2), "C:\\WINDOWS\\") << "row " << row;
    }
}
