#include "uninstall/CRemoval.h"

#include "framework/TextCompare.h"
#include "profile/ManifestValue.h"
#include "resources/resource.h"
#include "transfer/CFilePath.h"

bool CRemoval::IsSafeLoggedName(const std::string& key)
{
    return CFilePath::IsPlainName(key);
}

bool CRemoval::Run()
{
    if (!actions_.ShowStatus(IDS_REMOVING, IDS_PROGRAM_ICONS))
        return false;
    actions_.RemoveSchedulerIcon();
    if (inPlace)
        for (const auto& target : targets_.All())
            actions_.RemoveShortcut(target.second);
    AdvanceGauge();
    actions_.DeleteRemovalKeys();

    if (!actions_.ShowStatus(IDS_UNREGISTERING, IDS_SELF_REGISTERING_DLLS))
        return false;
    actions_.UnregisterDlls(destinations_);
    AdvanceGauge();

    if (!actions_.ShowStatus(IDS_REMOVING, IDS_REGISTRY_ENTRIES))
        return false;
    actions_.RemoveLoggedKeys();
    AdvanceGauge();

    if (!actions_.ShowStatus(IDS_UNREGISTERING, IDS_SHARED_DLLS))
        return false;
    actions_.DecrementCounts();

    if (!RemoveFiles())
        return false;
    AdvanceGauge();
    actions_.DeleteSettingsFile();

    if (!actions_.ShowStatus(IDS_REMOVING, IDS_PROGRAM_DIRECTORIES))
        return false;
    RemoveDirectories();
    AdvanceGauge();
    actions_.DeleteLog();
    return true;
}

bool CRemoval::RemoveFiles()
{
    // Every group of the log, whatever its installed flag.
    for (const auto& group : groups_.All())
        for (const auto& record : actions_.LoggedFiles(group.second.name))
            if (!RemoveFile(record.first, record.second))
                return false;
    return true;
}

bool CRemoval::RemoveFile(const std::string& name, const std::string& value)
{
    if (!IsSafeLoggedName(name))
        return true;
    long destination = ManifestValue(value).Number(0);
    // Only the product's own destinations: the negative ones are the system's directories, and
    // a destination that is not Setup's own has no directory here. Without a directory the name
    // would be taken relative to wherever Unsetup stands.
    std::string directory = destination < 0 ? std::string() : destinations_.GetDirectory(static_cast<int>(destination));
    if (directory.empty() || !scope_.MayRemoveDirectory(directory))
        return true;
    std::string path = directory + name;
    if (!actions_.ShowFileStatus(IDS_REMOVING_FILE, path))
        return false;
    actions_.ClearReadOnly(path);
    for (const auto& target : targets_.All())
        if (EqualsIgnoreCase(target.first, name) &&
            CanonicalPath::Same(scope_.Canonical(target.second.programPath.Path()), scope_.Canonical(path)))
            actions_.RemoveShortcut(target.second);
    if (destination < kFirstKeptDestination)
        actions_.DeleteInstalledFile(path);
    return true;
}

void CRemoval::RemoveDirectories()
{
    // The negative destinations (Windows, system, temporary, the program's own directory) are
    // the system's, not the product's.
    std::vector<std::string> directories;
    for (const auto& destination : destinations_.All()) {
        std::string directory = destination.second.directory.Path();
        if (destination.first >= 0 && !directory.empty() && scope_.MayRemoveDirectory(directory))
            directories.push_back(directory);
    }
    // One full pass per directory: nested directories empty themselves from the inside out.
    for (std::size_t pass = 0; pass < directories.size(); ++pass)
        for (const std::string& directory : directories)
            actions_.RemoveEmptyDirectory(directory);
}

void CRemoval::AdvanceGauge()
{
    gauge_ = gauge_ + kGaugeStep > kGaugeMaximum ? kGaugeMaximum : gauge_ + kGaugeStep;
    actions_.SetGauge(gauge_);
}
