#pragma once
// Unsetup's removal: what goes, in which order, with its status lines, its gauge and the user's
// stop. The platform work is done through IRemovalActions; the decisions here are portable.
#include <string>
#include <utility>
#include <vector>

#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "uninstall/CRemovalScope.h"

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
    virtual void DeleteRemovalKeys() = 0;
    // The COM servers in the destinations that are Setup's own.
    virtual void UnregisterDlls(const CDestinationStore& destinations) = 0;
    virtual void RemoveLoggedKeys() = 0;
    virtual void DecrementCounts() = 0;
    // The log's records of one file group: file name and value, in the log's order.
    virtual std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) = 0;
    virtual void ClearReadOnly(const std::string& path) = 0;
    virtual void DeleteInstalledFile(const std::string& path) = 0;
    virtual void DeleteSettingsFile() = 0;
    virtual void RemoveEmptyDirectory(const std::string& path) = 0;
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

    // Runs every step; false when the user stopped it (the log and what remains are kept).
    bool Run();

    const CDestinationStore& Destinations() const { return destinations_; }

    // A log can only name files safely by plain name: a key with a path, a drive, "." or ".."
    // would reach outside the product's directories.
    static bool IsSafeLoggedName(const std::string& key);

private:
    bool RemoveFiles();
    bool RemoveFile(const std::string& name, const std::string& value);
    void RemoveDirectories();
    void AdvanceGauge();

    const CDestinationStore destinations_;
    const CGroupStore& groups_;
    const CTargetStore& targets_;
    IRemovalActions& actions_;
    const CRemovalScope& scope_;
    int gauge_ = 0;
};
