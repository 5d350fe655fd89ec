#pragma once
// One file on its way from the medium to its destination: extracted next to it under a random
// name, then put in place, kept, or left for the next start of Windows, and logged.
#include <string>

#include "transfer/archive/CMultiFileEntry.h"
#include "transfer/install/InstallContext.h"
#include "transfer/paths/CFilePath.h"

class CSourceArchive;

class CInstallFile : public CMultiFileEntry {
public:
    CInstallFile(CSourceArchive& archive, InstallContext& context) : archive(&archive), context_(context) {}
    ~CInstallFile() override { CloseTemporaryCopy(); }
    CInstallFile(const CInstallFile&) = delete;
    CInstallFile& operator=(const CInstallFile&) = delete;

    // The whole treatment of an entry whose header has been read.
    void Install();
    // A plain file of the medium, installed as if it were a stored entry, under its own name or
    // the installed name when one is given.
    void InstallPlainFile(const std::string& sourcePath, const std::string& installedName, int destinationId,
                          std::uint32_t size);

    void PreparePaths();
    void CreateTemporaryCopy();
    void Commit();
    bool FindExistingTarget(CFilePath& existing) const;
    bool ShouldReplace(const CFilePath& existing) const;
    void ScheduleRenameAtRestart(const CFilePath& existing);
    void ForceRemoveTemp();
    bool IsSharedDll() const;
    bool IsProtectedRuntimeDll() const;
    void WriteLogRecord() const;
    void RecordInstalledPath() const;

    // The seven run-time DLLs that Windows 95 systems share and that the log never lists.
    static bool IsProtectedRuntimeName(const std::string& fileName);
    // Whether a shared DLL's path (possibly starting with a destination macro) names the file.
    static bool SharedDllNames(const std::string& dllPath, const std::string& fileName);

    CFilePath destinationPath;
    CFilePath tempPath;
    CSourceArchive* archive;
    int installedNow = 0;
    int replacedExisting = 0;

    // The time is set while the file is open; the attributes only where they differ.
    void Close() override;
    void ApplyStatus() override;

protected:
    std::FILE* OpenStream(const std::string& path, OpenMode mode) override;

private:
    void AdoptTemporaryCopy(void* handle);
    void CloseTemporaryCopy();
    int SignedDestination() const;
    bool IsWindowsOrSystemDestination() const;
    void RemoveTempQuietly();
    void ForgetTemporaryFile();

    InstallContext& context_;
    bool tempGone_ = false;          // renamed into place: no need to look for it again
    std::FILE* openCopy_ = nullptr;  // the temporary copy, made open, until the extraction takes it
};
