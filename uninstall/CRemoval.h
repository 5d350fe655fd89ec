#pragma once
// Unsetup's removal: what goes, in which order, with its status lines, its gauge and the user's
// stop. The platform work is done through IRemovalActions; the decisions here are portable.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "uninstall/CRemovalScope.h"

// What became of something that Unsetup set out to remove.
enum class Disposal {
    gone,       // removed now, or not there to begin with
    atRestart,  // in use now: it goes at the next start of Windows
    kept,       // left on purpose: it holds what is not the product's (a directory with a user's file)
    stays,      // could be neither removed nor arranged to go at the next start
};

// How a removal ended.
enum class RemovalEnd {
    removed,           // everything is gone, the log too
    removedAtRestart,  // the rest goes at the next start of Windows; the log is gone
    incomplete,        // something stays: the log stays with it, for another try
    stopped,           // the user stopped it: nothing after that point was removed
};

class IRemovalActions {
public:
    virtual ~IRemovalActions() = default;

    // Each shows a status line (a label and a text of the string table, or a file's path) after
    // the pending window messages have been dispatched, and returns false when the user has
    // confirmed a stop: nothing further is removed then.
    virtual bool ShowStatus(int labelId, int textId) = 0;
    virtual bool ShowFileStatus(int labelId, const std::string& path) = 0;
    virtual void SetGauge(int position) = 0;

    virtual void RemoveSchedulerIcon() = 0;
    virtual void RemoveShortcut(const CShortcutTarget& target) = 0;
    // Once the targets' icons are gone: the program folder, when nothing else is in it.
    virtual void RemoveProgramFolder() = 0;
    // The two registry steps: false when a key that should go could not.
    virtual bool DeleteRemovalKeys() = 0;
    virtual bool RemoveLoggedKeys() = 0;
    // The COM servers in the destinations that are Setup's own.
    virtual void UnregisterDlls(const CDestinationStore& destinations) = 0;
    // The shared DLL counts; a DLL without a count is deleted only when isProductFile says the
    // product installed it. gone, atRestart or stays for the DLLs that were to be deleted.
    virtual Disposal DecrementCounts(const std::function<bool(const std::string& path)>& isProductFile) = 0;
    // The temporary copies that the log names (a run stopped while they existed, or they wait for
    // the next start), those for which isProductFile holds: gone, or stays for one that could not
    // be removed.
    virtual Disposal RemoveTemporaryCopies(const std::function<bool(const std::string& path)>& isProductFile) = 0;
    // The log's records of one file group: file name and value, in the log's order.
    virtual std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) = 0;
    virtual void ClearReadOnly(const std::string& path) = 0;
    // gone, atRestart or stays.
    virtual Disposal DeleteInstalledFile(const std::string& path) = 0;
    virtual void DeleteSettingsFile() = 0;
    // gone, kept (not empty), atRestart (empty but in use) or stays.
    virtual Disposal RemoveEmptyDirectory(const std::string& path) = 0;
    // A directory that holds files going at the next start: it follows them then, where the
    // system can arrange it (false where it cannot).
    virtual bool RemoveDirectoryAtRestart(const std::string& path) = 0;
    virtual void DeleteLog() = 0;
};

class CRemoval {
public:
    // Destinations numbered this high hold files that other products share: they stay.
    static constexpr long kFirstKeptDestination = 1000;
    static constexpr int kGaugeStep = 20;
    static constexpr int kGaugeMaximum = 99;

    // The logged destinations count only as far as the scope finds them Setup's own.
    CRemoval(const CDestinationStore& logged, const CGroupStore& groups, const CTargetStore& targets,
             IRemovalActions& actions, const CRemovalScope& scope)
        : destinations_(scope.Trusted(logged)), groups_(groups), targets_(targets), actions_(actions), scope_(scope)
    {
    }

    bool inPlace = false;  // "/N": the targets' icons go as well

    // Runs every step. A removal that leaves something behind keeps the log.
    RemovalEnd Run();

    const CDestinationStore& Destinations() const { return destinations_; }
    // Whether the product installed the file at a path: in one of its destinations (below 1000),
    // or named by a file record of the log.
    bool IsProductFile(const std::string& path);

    // A log can only name files safely by plain name: a key with a path, a drive, "." or ".."
    // would reach outside the product's directories.
    static bool IsSafeLoggedName(const std::string& key);

private:
    bool RemoveFiles();
    bool RemoveFile(const std::string& name, const std::string& value);
    // The directory of a file record, "" when it is none that Unsetup may act in.
    std::string DirectoryOf(long destination) const;
    void RemoveDirectories();
    void Note(Disposal disposal);
    void AdvanceGauge();

    const CDestinationStore destinations_;
    const CGroupStore& groups_;
    const CTargetStore& targets_;
    IRemovalActions& actions_;
    const CRemovalScope& scope_;
    int gauge_ = 0;
    bool restartNeeded_ = false;
    bool somethingStays_ = false;
    // Resolved paths of the files that go at the next start.
    std::vector<std::string> filesAtRestart_;
};
