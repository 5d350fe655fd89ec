#pragma once
// The product's icons: a program folder with one icon per target and the scheduler's icon in
// Startup. Windows 95 and NT 4 get shell links in the user's Start-menu folders, older Windows NT
// gets Program Manager groups. No failure is reported: each step goes on with the next icon.
#include <windows.h>

#include <string>

#include "profile/CTargetStore.h"

class ILogWriter;

struct ShortcutPlace {
    bool shellLinks = true;       // false: Program Manager
    std::string programFolder;    // the folder or group the user chose
    std::string mainDirectory;    // destination 0, with its trailing backslash
    ILogWriter* log = nullptr;    // where a Program Manager group that Setup makes is recorded
};

// Setup: the program folder with the targets' icons and the scheduler's Startup icon; then the
// main window is brought to the top and repainted. Program Manager also gets an item that starts
// the uninstaller.
void CreateShortcuts(const CTargetStore::Map& targets, const ShortcutPlace& place, HWND mainWindow);
// Unsetup: one target's icon, and with shell links the program folder once it is empty. The
// folder's name is read from the log.
void RemoveShortcut(const CShortcutTarget& target, bool shellLinks, const std::string& logPath);
// Unsetup, once the targets' icons are gone: the program folder when it is empty. A Program
// Manager group loses the uninstaller's item first, and goes only when Program Manager shows it
// empty, or, where it will not tell, when Setup made it: a group the user chose ("Accessories")
// keeps its other icons.
void RemoveProgramFolder(bool shellLinks, const std::string& logPath);
// Unsetup: ends the running scheduler (WM_CLOSE, then after 2 seconds by force) and removes its
// Startup icon.
void RemoveSchedulerIcon(bool shellLinks);
// The program-folder page: the existing folders (or groups) into the list box.
void FillFolderList(HWND listBox, bool shellLinks);
