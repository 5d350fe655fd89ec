#include "transfer/install/CInstallFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "framework/CFrameworkException.h"
#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "transfer/archive/FileStatus.h"
#include "transfer/install/CVersionInfo.h"
#include "transfer/install/RenameAtRestart.h"
#include "transfer/media/CSourceArchive.h"
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
    tempGone_ = false;
    PreparePaths();
    // The log is never behind the disk: the file and its temporary copy are in it before the copy
    // exists, so that whenever Setup stops, Unsetup and the next Setup find both.
    bool shared = IsSharedDll();
    bool logged = !shared && !IsProtectedRuntimeDll();
    if (logged)
        WriteLogRecord();
    if (shared)
        context_.log->Write(LogRecords::kSharedFileSection, destinationPath.Path(), "1");
    CreateTemporaryCopy();
    try {
        archive->Extract(*this);
        Commit();
    } catch (...) {
        // Nothing would ever remove a temporary file left under its random name.
        CloseTemporaryCopy();
        RemoveTempQuietly();
        ForgetTemporaryFile();
        throw;
    }
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
}

void CInstallFile::CreateTemporaryCopy()
{
    // Made here under a name nothing else holds, and kept open for the extraction to write into.
    // Every name that does not exist yet costs Wine a scan of the whole directory, and every
    // opening a trip to its server: in a folder of thousands of pictures that is most of a small
    // file's time, so the copy is looked up and opened once.
    tempPath = destinationPath;
    for (int tries = 0; tries < kMaxNameTries; ++tries) {
        tempPath.SetFileTitle(CFilePath::RandomHexName(8));
        context_.log->Write(LogRecords::kTemporarySection, tempPath.Path(), LogRecords::kTemporaryNow);
        HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE) {
            SetOutputPath(tempPath.Path());
            AdoptTemporaryCopy(file);
            return;
        }
        context_.log->Remove(LogRecords::kTemporarySection, tempPath.Path());
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            CFileException::ThrowOsError(static_cast<long>(error), tempPath.Path());
    }
    throw CFileException(CFileException::tooManyOpenFiles, -1, tempPath.Path());
}

void CInstallFile::AdoptTemporaryCopy(void* handle)
{
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    openCopy_ = descriptor < 0 ? nullptr : _fdopen(descriptor, "w+b");
    if (openCopy_)
        return;
    if (descriptor < 0)
        CloseHandle(handle);
    else
        _close(descriptor);
    RemoveTempQuietly();
    ForgetTemporaryFile();
    throw CFileException(CFileException::tooManyOpenFiles, -1, tempPath.Path());
}

std::FILE* CInstallFile::OpenStream(const std::string& path, OpenMode mode)
{
    if (mode == modeCreate && openCopy_ && path == tempPath.Path()) {
        std::FILE* copy = openCopy_;
        openCopy_ = nullptr;
        return copy;
    }
    return CMultiFileEntry::OpenStream(path, mode);
}

void CInstallFile::CloseTemporaryCopy()
{
    if (openCopy_)
        std::fclose(openCopy_);
    openCopy_ = nullptr;
}

void CInstallFile::Close()
{
    // The time goes on while the file is still open; the attributes follow by name.
    if (Stream()) {
        try {
            ApplyFileTime(Stream(), GetPath(), header.time);
        } catch (...) {
            CMultiFileEntry::Close();
            throw;
        }
    }
    CMultiFileEntry::Close();
}

void CInstallFile::ApplyStatus()
{
    ApplyFileAttributes(outputPath, static_cast<std::uint8_t>(header.attributes & 0xFF));
}

bool CInstallFile::FindExistingTarget(CFilePath& existing) const
{
    if (IsWindowsOrSystemDestination()) {
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
    // Most files are new: the rename itself says whether one is in the way, where asking first
    // would look the name up twice.
    if (!IsWindowsOrSystemDestination() && tempPath.RenameTo(destinationPath)) {
        installedNow = 1;
        tempGone_ = true;
        return;
    }
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
    // Reported, not passed over: a file counted as installed that is not there would be a
    // success that did not happen. Its temporary copy goes with the error.
    if (!tempPath.RenameTo(destinationPath))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), destinationPath.Path());
    installedNow = 1;
    tempGone_ = true;
}

bool CInstallFile::IsWindowsOrSystemDestination() const
{
    int destination = SignedDestination();
    return destination == CDestinationStore::kWindows || destination == CDestinationStore::kSystem;
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
    if (tempGone_ || !tempPath.Exists())
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
