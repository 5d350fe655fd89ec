#include "app/DirectoryChecks.h"

#include <windows.h>

#include "app/CSetupApp.h"
#include "app/PathValidation.h"
#include "framework/FormatText.h"
#include "framework/Win32Helpers.h"
#include "resources/resource.h"
#include "transfer/paths/CFilePath.h"

namespace {
constexpr unsigned long long kDisketteBytes = 1474560;

CFilePath DirectoryPath(const std::string& directory)
{
    CFilePath path;
    path.SetDirectory(directory);
    return path;
}
}

bool RefuseDiskette(const std::string& directory)
{
    CFilePath path = DirectoryPath(directory);
    if (!path.IsRemovable() || path.GetTotalSpace() > kDisketteBytes)
        return false;
    ShowMessageBox(LoadResString(IDS_FLOPPY_REFUSED), MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool ValidatePathWithMessage(const std::string& directory)
{
    PathVerdict verdict = ValidateDirectoryText(directory);
    std::string message;
    switch (verdict.kind) {
    case PathVerdict::valid:
        return true;
    case PathVerdict::forbiddenCharacter:
        message = FormatText(LoadResString(IDS_INVALID_CHARACTER).c_str(), verdict.character);
        break;
    case PathVerdict::misplacedColon:
        message = LoadResString(IDS_INVALID_COLON);
        break;
    case PathVerdict::driveMissing:
        message = LoadResString(IDS_DRIVE_REQUIRED);
        break;
    }
    ShowMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

unsigned long long FreeSpaceOf(const std::string& directory)
{
    return DirectoryPath(directory).GetFreeSpace();
}

bool RefuseFullDrive(const std::string& directory)
{
    if (FreeSpaceOf(directory) > 0)
        return false;
    ShowMessageBox(LoadResString(IDS_WRITE_PROTECTED), MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool TargetDrivesHaveRoom(const SpaceNeed& need)
{
    CSetupApp& app = App();
    CFilePath main = DirectoryPath(app.destinations->GetDirectory(CDestinationStore::kMain));
    CFilePath system = DirectoryPath(app.destinations->GetDirectory(CDestinationStore::kWindows));
    DriveFree drives;
    drives.mainDrive = main.GetDrive();
    drives.systemDrive = system.GetDrive();
    drives.mainFree = main.GetFreeSpace();
    drives.systemFree = system.GetFreeSpace();
    return HasEnoughSpace(need, drives);
}
