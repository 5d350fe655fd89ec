#include "uninstall/CRemovalActions.h"

#include "framework/RunReport.h"
#include "integration/CRegEntryList.h"
#include "integration/CSelfRegDll.h"
#include "integration/CSharedDllEntry.h"
#include "integration/Shortcuts.h"
#include "profile/CPrivateProfileSource.h"
#include "transfer/install/RenameAtRestart.h"
#include "transfer/paths/CanonicalPath.h"
#include "uninstall/CUninstallLog.h"
#include "uninstall/LogRecords.h"

#include <utility>

namespace {
constexpr char kSettingsFile[] = "Kmwin40.ini";

std::string LongForm(const std::string& path)
{
    return CFilePath(path).LongForm();
}

bool HoldsAnything(const std::string& directory)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool holds = false;
    do {
        std::string name = found.cFileName;
        holds = name != "." && name != "..";
    } while (!holds && FindNextFileA(search, &found));
    FindClose(search);
    return holds;
}

std::string WithBackslash(std::string directory)
{
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    return directory;
}
}

CRemovalActions::CRemovalActions(RemovalSettings settings, IRemovalProgress& progress)
    : settings_(std::move(settings)), progress_(progress),
      windowsDirectory_(WithBackslash(CFilePath(CFilePath::Known::windowsDir).Path())),
      systemDirectory_(WithBackslash(CFilePath(CFilePath::Known::systemDir).Path()))
{
}

void CRemovalActions::RemoveSchedulerIcon()
{
    ::RemoveSchedulerIcon(settings_.shellLinks);
    RunReport::Say("removal: the scheduler stopped, its Startup icon removed");
}

void CRemovalActions::RemoveShortcut(const CShortcutTarget& target)
{
    ::RemoveShortcut(target, settings_.shellLinks, settings_.logPath);
    RunReport::Say("program icon \"" + target.itemName + "\": removed");
}

void CRemovalActions::RemoveProgramFolder()
{
    ::RemoveProgramFolder(settings_.shellLinks, settings_.logPath);
}

bool CRemovalActions::DeleteRemovalKeys()
{
    return settings_.registryEntries->DeleteRemovalKeys();
}

void CRemovalActions::UnregisterDlls(const CDestinationStore& destinations)
{
    // Under /B the load failure is not shown: nobody would answer it.
    ::UnregisterDlls(destinations, settings_.unattended);
}

bool CRemovalActions::RemoveLoggedKeys()
{
    return ::RemoveLoggedKeys(settings_.logPath);
}

Disposal CRemovalActions::DecrementCounts(const std::function<bool(const std::string& path)>& isProductFile)
{
    SharedDllRemoval removal;
    removal.logPath = settings_.logPath;
    removal.windowsDirectory = windowsDirectory_;
    removal.systemDirectory = systemDirectory_;
    removal.confirm = AskBeforeDeletingSharedDll(settings_.unattended);
    removal.isProductFile = isProductFile;
    removal.isNT = settings_.isNT;
    for (const auto& [path, value] : CPrivateProfileSource(settings_.logPath).Entries(LogRecords::kSharedFileSection))
        removal.installedFiles.push_back(path);
    removal.canonical = [](const std::string& path) { return CanonicalPath::Full(path, LongForm); };
    SharedDllRemovalResult result = ::DecrementCounts(removal);
    return result.failed ? Disposal::stays : result.atRestart ? Disposal::atRestart : Disposal::gone;
}

Disposal CRemovalActions::RemoveTemporaryCopies(const std::function<bool(const std::string& path)>& isProductFile)
{
    CUninstallLog log(settings_.logPath);
    log.Open();
    bool allGone = log.RemoveTemporaryCopies(true, isProductFile);
    log.Commit();
    if (!allGone)
        RunReport::Say("temporary copies of a stopped Setup: some could not be removed, they stay in the log");
    return allGone ? Disposal::gone : Disposal::stays;
}

std::vector<std::pair<std::string, std::string>> CRemovalActions::LoggedFiles(const std::string& group)
{
    return CPrivateProfileSource(settings_.logPath).Entries(group);
}

void CRemovalActions::ClearReadOnly(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

Disposal CRemovalActions::DeleteInstalledFile(const std::string& path)
{
    if (DeleteFileA(path.c_str()))
        return Disposal::gone;
    // A file that was logged but never made (Setup stopped before it) is no failure.
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return Disposal::gone;
    return RenameAtRestart::DeleteAtRestart(path, settings_.isNT, false) ? Disposal::atRestart : Disposal::stays;
}

void CRemovalActions::DeleteSettingsFile()
{
    std::string settings = windowsDirectory_ + kSettingsFile;
    RunReport::Say("settings file " + settings + (DeleteFileA(settings.c_str()) ? ": removed" : ": not there"));
}

Disposal CRemovalActions::RemoveEmptyDirectory(const std::string& path)
{
    CFilePath directory(path);
    directory.RemoveTrailingBackslash();
    if (RemoveDirectoryA(directory.c_str()) || GetFileAttributesA(directory.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Disposal::gone;
    // Not empty: a file of the user's (or one that goes at the next start) keeps it, rightly.
    if (HoldsAnything(directory.Path()))
        return Disposal::kept;
    // Empty but in use, say as another program's current directory.
    return RenameAtRestart::DeleteAtRestart(directory.Path(), settings_.isNT, true) ? Disposal::atRestart : Disposal::stays;
}

bool CRemovalActions::RemoveDirectoryAtRestart(const std::string& path)
{
    CFilePath directory(path);
    directory.RemoveTrailingBackslash();
    return RenameAtRestart::DeleteAtRestart(directory.Path(), settings_.isNT, true);
}

void CRemovalActions::DeleteLog()
{
    DeleteFileA(settings_.logPath.c_str());
}
