#include "integration/Shortcuts.h"

#include "framework/Win32Helpers.h"
#include "integration/CProgmanConversation.h"
#include "integration/CShellLink.h"
#include "integration/ProductFiles.h"
#include "integration/ShortcutRules.h"
#include "resources/resource.h"
#include "uninstall/ILogWriter.h"
#include "uninstall/LogRecords.h"

namespace {
constexpr DWORD kSchedulerGraceMs = 2000;
constexpr DWORD kFolderNameLength = 50;

std::string IconPath(const CShortcutTarget& target, const ShortcutPlace& place)
{
    return target.iconFile.empty() ? std::string() : place.mainDirectory + target.iconFile;
}

void SaveTargetLink(CShellLink& link, const CShortcutTarget& target, const ShortcutPlace& place,
                    const std::string& folder)
{
    const CFilePath& program = target.programPath;
    link->SetDescription(target.itemName.c_str());
    link->SetPath(program.c_str());
    link->SetArguments(target.arguments.c_str());
    link->SetIconLocation(IconPath(target, place).c_str(), static_cast<int>(target.iconIndex));
    link->SetWorkingDirectory(program.GetDirectory().c_str());
    link->SetHotkey(static_cast<WORD>(target.hotKey < 0 ? 0 : target.hotKey));
    link->SetShowCmd(target.minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    link.Save(folder + "\\" + LinkFileName(target.itemName));
}

void CreateShellLinks(const CTargetStore::Map& targets, const ShortcutPlace& place)
{
    std::string programs = ShellFolder("Programs");
    // Without the user's Programs folder the links would land wherever Setup happens to stand.
    if (!programs.empty()) {
        std::string folder = programs + "\\" + place.programFolder;
        CShellLink link;
        for (const auto& entry : targets) {
            CFilePath(folder + "\\").MakeDirectory(true);
            SaveTargetLink(link, entry.second, place, folder);
        }
    }
    std::string startup = ShellFolder("Startup");
    if (startup.empty())
        return;
    CShellLink link;
    CFilePath scheduler(place.mainDirectory + ProductFiles::kScheduler);
    std::string name = LoadResString(IDS_SCHEDULER_NAME);
    link->SetDescription(name.c_str());
    link->SetPath(scheduler.c_str());
    link->SetWorkingDirectory(scheduler.GetDirectory().c_str());
    link->SetShowCmd(SW_SHOWMINIMIZED);
    link.Save(startup + "\\" + LinkFileName(name));
}

CShortcutTarget UnsetupTarget(const ShortcutPlace& place)
{
    CShortcutTarget target;
    target.fileName = ProductFiles::kUninstaller;
    target.itemName = LoadResString(IDS_UNINSTALL_ITEM);
    target.hotKey = -1;
    target.programPath = CFilePath(place.mainDirectory + ProductFiles::kUninstaller);
    return target;
}

void AddProgmanItems(const CTargetStore::Map& targets, const ShortcutPlace& place)
{
    CTargetStore::Map withUnsetup = targets;
    withUnsetup.emplace(ProductFiles::kUninstaller, UnsetupTarget(place));
    CProgmanConversation progman;
    // A group that Setup makes is recorded before it is made, so that Unsetup may take it away;
    // one that existed (the user chose "Accessories") is not the product's.
    std::vector<std::string> groups;
    if (progman.GroupNames(groups) && !HasGroup(groups, place.programFolder) && place.log)
        place.log->Write(LogRecords::kProgramFolderSection, LogRecords::kProgramFolderCreatedKey, "1");
    progman.OpenConversation(true);
    for (const auto& entry : withUnsetup) {
        const CShortcutTarget& target = entry.second;
        progman.CreateGroup(place.programFolder);
        progman.ReplaceItem(target.itemName);
        ProgmanItem item;
        item.commandLine = QuotedCommandLine(target.programPath.Path(), target.arguments);
        item.name = target.itemName;
        item.iconPath = IconPath(target, place);
        item.iconIndex = static_cast<int>(target.iconIndex);
        item.hotKey = target.hotKey;
        item.minimized = target.minimized != 0;
        progman.AddItem(item);
    }
    progman.Disconnect();

    std::string name = LoadResString(IDS_SCHEDULER_NAME);
    progman.OpenConversation(true);
    progman.CreateGroup(LoadResString(IDS_STARTUP_GROUP));
    progman.ReplaceItem(name);
    ProgmanItem scheduler;
    scheduler.commandLine = QuotedCommandLine(place.mainDirectory + ProductFiles::kScheduler, "");
    scheduler.name = name;
    progman.AddItem(scheduler);
    progman.Disconnect();
}

std::string LoggedProgramFolder(const std::string& logPath)
{
    char folder[kFolderNameLength + 1] = {};
    GetPrivateProfileStringA(LogRecords::kProgramFolderSection, LogRecords::kProgramFolderKey, "", folder,
                             sizeof folder, logPath.c_str());
    return folder;
}

void DeleteLinkFile(const std::string& folder, const std::string& itemName)
{
    std::string fileName = LinkFileName(itemName);
    // A damaged log must not name a file outside the folder.
    if (CFilePath::IsPlainName(fileName))
        CFilePath(folder + "\\" + fileName).Delete();
}

// Items are deleted from the active group, which after a restart is whichever the user left open:
// the program's group is made the active one first, if it is there at all (making it active would
// make it anew). Where Program Manager will not list its groups, it is made active all the same.
bool ActivateExistingGroup(CProgmanConversation& progman, const std::string& group)
{
    std::vector<std::string> groups;
    if (progman.GroupNames(groups) && !HasGroup(groups, group))
        return false;
    progman.CreateGroup(group);
    return true;
}

void EndScheduler()
{
    HWND window = FindWindowA(ProductFiles::kSchedulerWindowClass, nullptr);
    if (!window)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kSchedulerGraceMs, &ignored);
    if (!process)
        return;
    // The scheduler may be saving its data: it gets its time before it is ended by force.
    if (WaitForSingleObject(process, kSchedulerGraceMs) == WAIT_TIMEOUT)
        TerminateProcess(process, 0);
    CloseHandle(process);
}
}

void CreateShortcuts(const CTargetStore::Map& targets, const ShortcutPlace& place, HWND mainWindow)
{
    if (place.shellLinks)
        CreateShellLinks(targets, place);
    else
        AddProgmanItems(targets, place);
    if (mainWindow) {
        BringWindowToTop(mainWindow);
        InvalidateRect(mainWindow, nullptr, TRUE);
        UpdateWindow(mainWindow);
    }
}

void RemoveShortcut(const CShortcutTarget& target, bool shellLinks, const std::string& logPath)
{
    std::string folderName = LoggedProgramFolder(logPath);
    bool ownFolder = IsFolderBelowPrograms(folderName);
    if (shellLinks) {
        std::string programs = ShellFolder("Programs");
        if (programs.empty())
            return;
        if (folderName.empty()) {
            DeleteLinkFile(programs, target.itemName);
        } else if (ownFolder) {
            std::string folder = programs + "\\" + folderName;
            DeleteLinkFile(folder, target.itemName);
            RemoveDirectoryA(folder.c_str());
        }
        return;
    }
    // A damaged log must not smuggle further commands into the conversation.
    if (folderName.empty() || !IsPlainProgmanText(folderName) || !IsPlainProgmanText(target.itemName))
        return;
    CProgmanConversation progman;
    if (!ActivateExistingGroup(progman, folderName))
        return;
    progman.DeleteItem(target.itemName);
    progman.Disconnect();
}

void RemoveProgramFolder(bool shellLinks, const std::string& logPath)
{
    std::string folderName = LoggedProgramFolder(logPath);
    if (shellLinks) {
        std::string programs = ShellFolder("Programs");
        if (!programs.empty() && IsFolderBelowPrograms(folderName))
            RemoveDirectoryA((programs + "\\" + folderName).c_str());
        return;
    }
    if (folderName.empty() || !IsPlainProgmanText(folderName))
        return;
    CProgmanConversation progman;
    if (!ActivateExistingGroup(progman, folderName))
        return;
    progman.DeleteItem(LoadResString(IDS_UNINSTALL_ITEM));
    std::optional<bool> empty = progman.IsGroupEmpty(folderName);
    bool madeBySetup = GetPrivateProfileIntA(LogRecords::kProgramFolderSection,
                                             LogRecords::kProgramFolderCreatedKey, 0, logPath.c_str()) == 1;
    if (empty ? *empty : madeBySetup)
        progman.DeleteGroup(folderName);
    progman.Disconnect();
}

void RemoveSchedulerIcon(bool shellLinks)
{
    EndScheduler();
    std::string name = LoadResString(IDS_SCHEDULER_NAME);
    if (shellLinks) {
        std::string startup = ShellFolder("Startup");
        if (!startup.empty())
            DeleteLinkFile(startup, name);
        return;
    }
    CProgmanConversation progman;
    progman.OpenConversation(true);
    progman.CreateGroup(LoadResString(IDS_STARTUP_GROUP));
    progman.DeleteItem(name);
    progman.Disconnect();
}

void FillFolderList(HWND listBox, bool shellLinks)
{
    if (!shellLinks) {
        CProgmanConversation progman;
        progman.GetGroups(listBox);
        return;
    }
    std::string programs = ShellFolder("Programs");
    if (programs.empty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((programs + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        // Folders that are read-only, hidden, system or archived are not offered.
        if (found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY && name != "." && name != "..")
            SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
