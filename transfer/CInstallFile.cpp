#include "transfer/CInstallFile.h"

#include <windows.h>

#include "framework/CFrameworkException.h"
#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "transfer/CSourceArchive.h"
#include "transfer/CVersionInfo.h"
#include "transfer/RenameAtRestart.h"
#include "uninstall/CUninstallLog.h"
#include "uninstall/LogRecords.h"

namespace {
constexpr int kMaxNameTries = 1000;

bool IsInUse(const CFilePath& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    return false;
}
}

int CInstallFile::SignedDestination() const
{
    // The header's 16-bit field carries the predefined negative destinations as 0xFFFE and so on.
    return static_cast<std::int16_t>(header.destinationId);
}

void CInstallFile::Install()
{
    installedNow = 0;
    replacedExisting = 0;
    PreparePaths();
    // The log is never behind the disk: the file and its temporary copy are in it before the copy
    // exists, so that whenever Setup stops, Unsetup and the next Setup find both.
    bool shared = IsSharedDll();
    bool logged = !shared && !IsProtectedRuntimeDll();
    if (logged)
        WriteLogRecord();
    if (shared)
        context_.log->Write(LogRecords::kSharedFileSection, destinationPath.Path(), "1");
    context_.log->Write(LogRecords::kTemporarySection, tempPath.Path(), LogRecords::kTemporaryNow);
    try {
        archive->Extract(*this);
    } catch (...) {
        // Nothing would ever remove a temporary file left under its random name.
        RemoveTempQuietly();
        ForgetTemporaryFile();
        throw;
    }
    Commit();
    if (logged && (installedNow || replacedExisting))
        WriteLogRecord();
    if (replacedExisting && !installedNow)
        context_.log->Write(LogRecords::kTemporarySection, tempPath.Path(), LogRecords::kTemporaryAtRestart);
    else
        ForgetTemporaryFile();
    RecordInstalledPath();
}

void CInstallFile::InstallPlainFile(const std::string& sourcePath, const std::string& installedName,
                                    int destinationId, std::uint32_t size)
{
    entryOffset = 0;
    SetName(sourcePath);
    header.destinationId = static_cast<std::uint16_t>(destinationId);
    header.methodParam = 0;
    header.originalSize = size;
    header.packedSize = size;
    header.crc = 0;
    header.method = 2;
    header.continued = 0;
    FillFromFile();
    if (!installedName.empty())
        SetName(installedName);
    // The copy moves the file's real length: a stale size in the manifest must not cut it short.
    header.packedSize = header.originalSize;
    Install();
}

void CInstallFile::PreparePaths()
{
    std::string directory = context_.destinations->GetDirectory(SignedDestination());
    if (directory.empty())
        throw CFileException(CFileException::badPath, -1, GetName());
    CFilePath directoryPath(directory);
    directoryPath.MakeDirectoryOrThrow(true);

    std::string fileName = GetLastNameComponent();
    // A file whose name the log could not give back would be left behind by Unsetup, or another
    // file taken in its place: such a file is not installed at all.
    if (!CFilePath::IsPlainName(fileName) || !LogRecords::ReadsBackAsKey(fileName))
        throw CFileException(CFileException::badPath, -1, GetName());
    destinationPath = directoryPath;
    destinationPath.SetFileName(fileName);

    tempPath = destinationPath;
    if (!tempPath.MakeUniqueName(true, kMaxNameTries))
        throw CFileException(CFileException::tooManyOpenFiles, -1, tempPath.Path());
    SetOutputPath(tempPath.Path());
}

bool CInstallFile::FindExistingTarget(CFilePath& existing) const
{
    int destination = SignedDestination();
    if (destination == CDestinationStore::kWindows || destination == CDestinationStore::kSystem) {
        for (int place : {CDestinationStore::kWindows, CDestinationStore::kSystem}) {
            CFilePath candidate(context_.destinations->GetDirectory(place));
            candidate.SetFileName(destinationPath.GetFileName());
            if (candidate.Exists()) {
                existing = candidate;
                return true;
            }
        }
        return false;
    }
    if (!destinationPath.Exists())
        return false;
    existing = destinationPath;
    return true;
}

bool CInstallFile::ShouldReplace(const CFilePath& existing) const
{
    CVersionInfo oldVersion;
    CVersionInfo newVersion;
    FileVersion unused;
    bool oldHas = oldVersion.Load(existing.Path()) && oldVersion.GetFileVersion(unused);
    bool newHas = newVersion.Load(tempPath.Path()) && newVersion.GetFileVersion(unused);
    if (oldHas && !newHas)
        return false;
    if (!oldHas && newHas)
        return true;
    if (oldHas && newHas)
        return newVersion.IsNewerThan(oldVersion);
    return tempPath.GetModifyTime() > existing.GetModifyTime();
}

void CInstallFile::Commit()
{
    CFilePath existing;
    if (FindExistingTarget(existing)) {
        if (!ShouldReplace(existing)) {
            if (!tempPath.Delete())
                ForceRemoveTemp();
            return;
        }
        replacedExisting = 1;
        if (IsInUse(existing) || !existing.Delete()) {
            if (context_.isNT)
                MoveFileExA(tempPath.c_str(), destinationPath.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT);
            else
                ScheduleRenameAtRestart(existing);
            *context_.noRestartNeeded = false;
            return;
        }
    }
    installedNow = 1;
    tempPath.RenameTo(destinationPath);
}

void CInstallFile::ScheduleRenameAtRestart(const CFilePath&)
{
    RenameAtRestart::AddToWininit(destinationPath.ShortForm(), tempPath.ShortForm());
    *context_.noRestartNeeded = false;
}

void CInstallFile::ForceRemoveTemp()
{
    SetFileAttributesA(tempPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    tempPath.Delete();
}

void CInstallFile::ForgetTemporaryFile()
{
    // One that could not be removed stays in the log, for the next run to remove.
    if (!tempPath.Exists())
        context_.log->Remove(LogRecords::kTemporarySection, tempPath.Path());
}

void CInstallFile::RemoveTempQuietly()
{
    if (tempPath.IsEmpty())
        return;
    if (!tempPath.Delete())
        ForceRemoveTemp();
}

bool CInstallFile::IsSharedDll() const
{
    std::string fileName = destinationPath.GetFileName();
    for (const std::string& dll : context_.sharedDllNames)
        if (SharedDllNames(dll, fileName))
            return true;
    return false;
}

bool CInstallFile::IsProtectedRuntimeDll() const
{
    return !context_.isNT && IsProtectedRuntimeName(destinationPath.GetFileName());
}

void CInstallFile::WriteLogRecord() const
{
    const std::string section = archive->owner ? archive->owner->name : std::string();
    context_.log->WriteFile(section, destinationPath.GetFileName(), header.destinationId,
                            installedNow != 0, replacedExisting != 0);
}

void CInstallFile::RecordInstalledPath() const
{
    if (CShortcutTarget* target = context_.targets->Find(GetLastNameComponent()))
        target->installedPath = destinationPath;
}
