#include "app/CRemovalActions.h"

#include "app/CSetupApp.h"
#include "integration/CSelfRegDll.h"
#include "integration/CSharedDllEntry.h"
#include "integration/Shortcuts.h"
#include "profile/CPrivateProfileSource.h"

namespace {
constexpr char kSettingsFile[] = "Kmwin40.ini";

std::string WithBackslash(std::string directory)
{
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    return directory;
}
}

CRemovalActions::CRemovalActions(CSetupApp& app, IRemovalProgress& progress)
    : app_(app), progress_(progress), shellLinks_(app.UsesShellLinks()),
      windowsDirectory_(WithBackslash(CFilePath(CFilePath::Known::windowsDir).Path())),
      systemDirectory_(WithBackslash(CFilePath(CFilePath::Known::systemDir).Path()))
{
}

void CRemovalActions::RemoveSchedulerIcon()
{
    ::RemoveSchedulerIcon(shellLinks_);
}

void CRemovalActions::RemoveShortcut(const CShortcutTarget& target)
{
    ::RemoveShortcut(target, shellLinks_, app_.logPath);
}

void CRemovalActions::DeleteRemovalKeys()
{
    app_.profileContents->registryEntries.DeleteRemovalKeys();
}

void CRemovalActions::UnregisterDlls(const CDestinationStore& destinations)
{
    // Under /B the load failure is not shown: nobody would answer it.
    ::UnregisterDlls(destinations, app_.unattended);
}

void CRemovalActions::RemoveLoggedKeys()
{
    ::RemoveLoggedKeys(app_.logPath);
}

void CRemovalActions::DecrementCounts()
{
    ::DecrementCounts(app_.logPath, windowsDirectory_, systemDirectory_, AskBeforeDeletingSharedDll(app_.unattended));
}

std::vector<std::pair<std::string, std::string>> CRemovalActions::LoggedFiles(const std::string& group)
{
    return CPrivateProfileSource(app_.logPath).Entries(group);
}

void CRemovalActions::ClearReadOnly(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void CRemovalActions::DeleteInstalledFile(const std::string& path)
{
    DeleteFileA(path.c_str());
}

void CRemovalActions::DeleteSettingsFile()
{
    DeleteFileA((windowsDirectory_ + kSettingsFile).c_str());
}

void CRemovalActions::RemoveEmptyDirectory(const std::string& path)
{
    CFilePath directory(path);
    directory.RemoveTrailingBackslash();
    RemoveDirectoryA(directory.c_str());
}

void CRemovalActions::DeleteLog()
{
    DeleteFileA(app_.logPath.c_str());
}
