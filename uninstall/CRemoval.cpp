#include "uninstall/CRemoval.h"

#include <algorithm>

#include "framework/RunReport.h"
#include "framework/TextCompare.h"
#include "profile/ManifestValue.h"
#include "resources/resource.h"
#include "transfer/paths/CFilePath.h"

namespace {
const char* DisposalText(Disposal disposal)
{
    switch (disposal) {
    case Disposal::gone: return "removed";
    case Disposal::atRestart: return "in use: goes at the next start of Windows";
    case Disposal::kept: return "kept: not empty";
    case Disposal::stays: return "stays: it could be neither removed nor arranged to go at the next start";
    }
    return "";
}
}

bool CRemoval::IsSafeLoggedName(const std::string& key)
{
    return CFilePath::IsPlainName(key);
}

RemovalEnd CRemoval::Run()
{
    if (!actions_.ShowStatus(IDS_REMOVING, IDS_PROGRAM_ICONS))
        return RemovalEnd::stopped;
    actions_.RemoveSchedulerIcon();
    if (inPlace)
        for (const auto& target : targets_.All())
            actions_.RemoveShortcut(target.second);
    AdvanceGauge();
    if (!actions_.DeleteRemovalKeys())
        somethingStays_ = true;

    if (!actions_.ShowStatus(IDS_UNREGISTERING, IDS_SELF_REGISTERING_DLLS))
        return RemovalEnd::stopped;
    actions_.UnregisterDlls(destinations_);
    AdvanceGauge();

    if (!actions_.ShowStatus(IDS_REMOVING, IDS_REGISTRY_ENTRIES))
        return RemovalEnd::stopped;
    if (!actions_.RemoveLoggedKeys())
        somethingStays_ = true;
    AdvanceGauge();

    if (!actions_.ShowStatus(IDS_UNREGISTERING, IDS_SHARED_DLLS))
        return RemovalEnd::stopped;
    Note(actions_.DecrementCounts([this](const std::string& path) { return IsProductFile(path); }));
    RunReport::Say("removal: the installed files");

    if (!RemoveFiles())
        return RemovalEnd::stopped;
    actions_.RemoveProgramFolder();
    AdvanceGauge();
    actions_.DeleteSettingsFile();

    if (!actions_.ShowStatus(IDS_REMOVING, IDS_PROGRAM_DIRECTORIES))
        return RemovalEnd::stopped;
    RemoveDirectories();
    AdvanceGauge();
    // What stays is still in the log, and the log is what another Unsetup works from.
    if (somethingStays_) {
        RunReport::Say("uninstall log: kept, for another Unsetup to remove what stays");
        return RemovalEnd::incomplete;
    }
    actions_.DeleteLog();
    RunReport::Say("uninstall log: deleted");
    return restartNeeded_ ? RemovalEnd::removedAtRestart : RemovalEnd::removed;
}

void CRemoval::Note(Disposal disposal)
{
    if (disposal == Disposal::atRestart)
        restartNeeded_ = true;
    else if (disposal == Disposal::stays)
        somethingStays_ = true;
}

bool CRemoval::RemoveFiles()
{
    Note(actions_.RemoveTemporaryCopies([this](const std::string& path) { return IsProductFile(path); }));
    // Every group of the log, whatever its installed flag.
    for (const auto& group : groups_.All())
        for (const auto& record : actions_.LoggedFiles(group.second.name))
            if (!RemoveFile(record.first, record.second))
                return false;
    return true;
}

std::string CRemoval::DirectoryOf(long destination) const
{
    // Only the product's own destinations: the negative ones are the system's directories, and
    // a destination that is not Setup's own has no directory here. Without a directory the name
    // would be taken relative to wherever Unsetup stands.
    std::string directory = destination < 0 ? std::string() : destinations_.GetDirectory(static_cast<int>(destination));
    return directory.empty() || !scope_.MayRemoveDirectory(directory) ? std::string() : directory;
}

bool CRemoval::RemoveFile(const std::string& name, const std::string& value)
{
    if (!IsSafeLoggedName(name)) {
        RunReport::Say("file " + name + ": left, the log names no plain file name");
        return true;
    }
    long destination = ManifestValue(value).Number(0);
    std::string directory = DirectoryOf(destination);
    if (directory.empty()) {
        RunReport::Say("file " + name + ": left, destination " + std::to_string(destination) +
                       " is not one of the product's own directories");
        return true;
    }
    std::string path = directory + name;
    if (!actions_.ShowFileStatus(IDS_REMOVING_FILE, path))
        return false;
    actions_.ClearReadOnly(path);
    for (const auto& target : targets_.All())
        if (EqualsIgnoreCase(target.first, name) &&
            CanonicalPath::Same(scope_.Canonical(target.second.programPath.Path()), scope_.Canonical(path)))
            actions_.RemoveShortcut(target.second);
    // The running uninstaller cannot delete itself: its epilogue removes it once it has ended.
    if (destination < kFirstKeptDestination && !scope_.IsUninstaller(path)) {
        Disposal disposal = actions_.DeleteInstalledFile(path);
        RunReport::Say("file " + path + ": " + DisposalText(disposal));
        Note(disposal);
        if (disposal == Disposal::atRestart)
            filesAtRestart_.push_back(scope_.Canonical(path));
    } else {
        RunReport::Say("file " + path + (destination >= kFirstKeptDestination ? ": kept, other products share its directory"
                                                                            : ": goes with the uninstaller, once it has ended"));
    }
    return true;
}

bool CRemoval::IsProductFile(const std::string& path)
{
    std::string file = scope_.Canonical(path);
    if (file.empty())
        return false;
    for (const auto& [number, destination] : destinations_.All())
        if (number >= 0 && number < kFirstKeptDestination && !destination.directory.IsEmpty() &&
            CanonicalPath::Same(scope_.Canonical(CFilePath(file).GetDirectory()),
                                scope_.Canonical(destination.directory.Path())))
            return true;
    for (const auto& group : groups_.All())
        for (const auto& [name, value] : actions_.LoggedFiles(group.second.name)) {
            long destination = ManifestValue(value).Number(0);
            std::string directory = destination < kFirstKeptDestination ? DirectoryOf(destination) : std::string();
            if (!directory.empty() && IsSafeLoggedName(name) &&
                CanonicalPath::Same(scope_.Canonical(directory + name), file))
                return true;
        }
    return false;
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
    // One full pass per directory: nested directories empty themselves from the inside out. What
    // the last pass found counts.
    std::vector<Disposal> found(directories.size(), Disposal::gone);
    for (std::size_t pass = 0; pass < directories.size(); ++pass)
        for (std::size_t i = 0; i < directories.size(); ++i)
            found[i] = actions_.RemoveEmptyDirectory(directories[i]);
    // A directory kept by files that go at the next start follows them then, the deepest first.
    std::vector<std::size_t> order(directories.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return scope_.Canonical(directories[a]).size() > scope_.Canonical(directories[b]).size();
    });
    for (std::size_t i : order) {
        RunReport::Say("directory " + directories[i] + ": " + DisposalText(found[i]));
        if (found[i] == Disposal::kept) {
            std::string directory = scope_.Canonical(directories[i]);
            bool holdsFileAtRestart = std::any_of(filesAtRestart_.begin(), filesAtRestart_.end(),
                                                  [&](const std::string& file) { return CanonicalPath::Below(file, directory); });
            if (holdsFileAtRestart && actions_.RemoveDirectoryAtRestart(directories[i]))
                RunReport::Say("directory " + directories[i] + ": follows its files at the next start of Windows");
        } else {
            Note(found[i]);
        }
    }
}

void CRemoval::AdvanceGauge()
{
    gauge_ = gauge_ + kGaugeStep > kGaugeMaximum ? kGaugeMaximum : gauge_ + kGaugeStep;
    actions_.SetGauge(gauge_);
}
