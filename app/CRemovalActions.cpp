#include "app/CRemovalActions.h"

#include "app/CSetupApp.h"
#include "integration/CSelfRegDll.h"
#include "integration/CSharedDllEntry.h"
#include "integration/Shortcuts.h"

namespace {
constexpr char kSettingsFile[] = "Kmwin40.ini";
constexpr DWORD kFirstSectionBuffer = 32 * 1024;
constexpr DWORD kLargestSectionBuffer = 64 * 1024 * 1024;

std::string WithBackslash(std::string directory)
{
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    return directory;
}

// The whole section in one read ("key=value" lines, each ended by a zero); a section that does
// not fit is read again into a larger buffer.
std::string ReadSection(const std::string& section, const std::string& file)
{
    for (DWORD size = kFirstSectionBuffer; size <= kLargestSectionBuffer; size *= 4) {
        std::string buffer(size, '\0');
        DWORD length = GetPrivateProfileSectionA(section.c_str(), &buffer[0], size, file.c_str());
        if (length < size - 2) {
            buffer.resize(length);
            return buffer;
        }
    }
    return std::string();
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

void CRemovalActions::UnregisterDlls()
{
    // Under /B the load failure is not shown: nobody would answer it.
    ::UnregisterDlls(*app_.destinations, app_.unattended);
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
    std::vector<std::pair<std::string, std::string>> records;
    std::string section = ReadSection(group, app_.logPath);
    std::size_t start = 0;
    while (start < section.size()) {
        std::size_t end = section.find('\0', start);
        if (end == std::string::npos)
            end = section.size();
        std::string line = section.substr(start, end - start);
        std::size_t equal = line.find('=');
        if (equal != std::string::npos)
            records.emplace_back(line.substr(0, equal), line.substr(equal + 1));
        start = end + 1;
    }
    return records;
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
