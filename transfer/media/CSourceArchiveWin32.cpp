#include "transfer/media/CSourceArchive.h"

#include <windows.h>

#include <cstring>

#include "framework/CFrameworkException.h"
#include "framework/FormatText.h"
#include "framework/RunReport.h"
#include "framework/Win32Helpers.h"
#include "profile/CDisketteLabels.h"
#include "resources/resource.h"
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CMultiFileException.h"
#include "transfer/errors/CErrorDialog.h"
#include "transfer/errors/CXUserException.h"
#include "transfer/install/CInstallFile.h"
#include "transfer/media/CInsertDisketteDialog.h"
#include "transfer/paths/CFilePath.h"

namespace {
constexpr DWORD kPumpIntervalMs = 10;

// The numbered-directory layout of a CD: "...\DISK01\" is followed by "...\DISK02\".
bool NextNumberedDirectory(const std::string& directory, std::string& next)
{
    std::string text = directory;
    if (!text.empty() && text.back() == '\\')
        text.pop_back();
    if (text.size() <= 2)
        return false;
    std::string digits = text.substr(text.size() - 2);
    if (digits[0] < '0' || digits[0] > '9' || digits[1] < '0' || digits[1] > '9')
        return false;
    int number = (digits[0] - '0') * 10 + (digits[1] - '0');
    if (number == 0)
        return false;
    next = text.substr(0, text.size() - 2) + FormatText("%02d", number + 1) + "\\";
    return true;
}
}

bool CSourceArchive::EnsureSourceFile(InstallContext& context, const std::string& name, int diskNumber)
{
    std::string& source = *context.sourceDirectory;
    if (CFilePath(source + name).Exists())
        return true;
    const std::string& label = context.diskettes->Get(diskNumber);
    if (!CFilePath(source + CInsertDisketteDialog::TagFileName(diskNumber)).Exists()) {
        std::string sibling;
        if (NextNumberedDirectory(source, sibling) && CFilePath(sibling + name).Exists()) {
            source = sibling;
            return true;
        }
    }
    // Unattended, nobody can insert a diskette: the file is looked for once more, then the prompt
    // counts as cancelled.
    if (context.unattended) {
        bool found = CFilePath(source + name).Exists();
        if (!found)
            RunReport::Say(FormatText("diskette %d (\"%s\") needed for %s: not in %s, and nobody to insert it", diskNumber,
                                      label.c_str(), name.c_str(), source.c_str()));
        return found;
    }
    CInsertDisketteDialog prompt(source + name, source, label, diskNumber);
    bool inserted = prompt.DoModal(static_cast<HWND>(context.ownerWindow)) == IDOK;
    RunReport::Say(FormatText("diskette %d (\"%s\") asked for, for %s: %s", diskNumber, label.c_str(), name.c_str(),
                              inserted ? "inserted" : "cancelled"));
    return inserted;
}

namespace {
void ReportFile(const CInstallFile& file)
{
    if (!RunReport::IsOn())
        return;
    const char* decision = file.installedNow ? (file.replacedExisting ? "installed in place of an older file" : "installed")
                           : file.replacedExisting ? "deferred: takes the place of the file in use at the next start of Windows"
                                                   : "kept: the file there is as new or newer";
    RunReport::Say("file " + file.destinationPath.Path() + ": " + decision);
}
}

void CSourceArchive::Process(InstallContext& context)
{
    context_ = &context;
    blockSize = ArchiveFormat::kArchiveBlockSize;
    volumeDisk_ = diskNumber;
    try {
        if (fixedSourcePath.empty() && !EnsureSourceFile(context, fileName, diskNumber)) {
            RunReport::Say("source " + fileName + ": not reached, the installation stops");
            *context.cancelled = true;
            context_ = nullptr;
            return;
        }
        if (RunReport::IsOn())
            RunReport::Say("source " + fileName + " from " +
                           (fixedSourcePath.empty() ? *context.sourceDirectory : fixedSourcePath) +
                           (diskNumber > 0 ? FormatText(" (diskette %d)", diskNumber) : std::string()));
        if (sourceType == kPlainFile)
            InstallPlainFile();
        else if (sourceType == kArchive)
            InstallEntries();
    } catch (const CUserException&) {
        *context.cancelled = true;
    } catch (const CXUserException&) {
        *context.cancelled = true;
    } catch (const std::exception& error) {
        if (RunReport::IsOn()) {
            CMultiFileEntry* entry = CurrentEntry();
            std::string at = entry && entry->header.name[0] ? " (at " + std::string(entry->header.name) + ")" : std::string();
            RunReport::Say("source " + fileName + at + ": " + ErrorRecordText(IDS_CANNOT_INSTALL_FROM, error, fileName));
        }
        // Unattended, the dialog's default: go on with the next source.
        if (context.unattended || ReportError(IDS_CANNOT_INSTALL_FROM, error, fileName)) {
            RunReport::Say("source " + fileName + ": skipped after the error, the installation goes on");
            if (context.errorsSkipped)
                *context.errorsSkipped = true;
        } else {
            RunReport::Say("source " + fileName + ": the installation stops after the error");
            *context.cancelled = true;
        }
    }
    try {
        Close();
    } catch (const std::exception&) {
    }
    context_ = nullptr;
}

void CSourceArchive::InstallPlainFile()
{
    std::string path = fixedSourcePath.empty() ? *context_->sourceDirectory + fileName : fixedSourcePath;
    Open(path, modeRead);
    CInstallFile file(*this, *context_);
    if (context_->progress)
        context_->progress->BeginFile(file);
    file.InstallPlainFile(path, installedName, destinationId, totalSize);
    ReportFile(file);
    if (context_->progress)
        context_->progress->EndFile(file);
}

void CSourceArchive::InstallEntries()
{
    OpenArchive(*context_->sourceDirectory + fileName);
    CInstallFile file(*this, *context_);
    DWORD lastPump = GetTickCount();
    while (ReadNextEntry(file, false)) {
        // Often enough for the Cancel button, not once for each of a thousand small pictures:
        // each look at the queue is a trip to the window system.
        if (GetTickCount() - lastPump >= kPumpIntervalMs) {
            PumpMessages();
            lastPump = GetTickCount();
        }
        if (*context_->cancelled)
            break;
        if (context_->progress)
            context_->progress->BeginFile(file);
        file.Install();
        ReportFile(file);
        if (context_->progress)
            context_->progress->EndFile(file);
    }
}

void CSourceArchive::OnBlockBoundary()
{
    if (!context_ || *context_->cancelled || !context_->progress)
        return;
    CMultiFileEntry* entry = CurrentEntry();
    context_->progress->ReportProgress(entry ? entry->bytesWritten : 0);
}

bool CSourceArchive::OnEndOfData()
{
    CMultiFileEntry* entry = CurrentEntry();
    if (!context_ || !IsExtracting() || !entry || entry->header.continued == 0)
        return true;
    std::string current = CFilePath(GetPath()).GetFileName();
    Close();
    std::string next = NextVolumeName(current);
    // Each further volume lies on the next diskette.
    ++volumeDisk_;
    if (!EnsureSourceFile(*context_, next, volumeDisk_)) {
        *context_->cancelled = true;
        return true;
    }
    OpenCounted(*context_->sourceDirectory + next);
    char header[ArchiveFormat::kVolumeHeaderSize];
    if (RawRead(header, sizeof header) < sizeof header)
        throw CFileException(CFileException::endOfFile, -1, next);
    if (std::memcmp(header, ArchiveFormat::kVolumeMagic, 4) != 0)
        throw CMultiFileException(CMultiFileException::notAnArchive);
    return false;
}
