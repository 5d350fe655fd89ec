#pragma once
// One source of the copy list: an archive or a plain file on the installation medium, with the
// diskette that holds it and the group it belongs to.
#include <cstdint>
#include <string>

#include "transfer/archive/CMultiFile.h"
#include "transfer/install/InstallContext.h"

struct CGroup;

class CSourceArchive : public CMultiFile {
public:
    enum Type { kPlainFile = 0, kArchive = 1 };

    CSourceArchive() = default;

    std::string fileName;          // relative to the source directory
    int sourceType = kPlainFile;   // other values are skipped
    std::uint32_t totalSize = 0;   // bytes after installation
    int fileCount = 0;
    int diskNumber = 0;            // diskette of the first volume
    bool afterOthers = false;      // listed with a minus sign: after the others of its diskette
    std::string text;
    int destinationId = 0;         // for a plain file
    // A plain file from outside the medium (the running program): read from this full path,
    // never prompted for, and installed under installedName when that is given.
    std::string fixedSourcePath;
    std::string installedName;
    CGroup* owner = nullptr;

    // Estimated disk space for a cluster size (bytes); 0 means no rounding.
    std::uint64_t RequiredSpace(std::uint32_t clusterSize) const;
    // The list order: true when this source must come after `other`.
    bool SortsAfter(const CSourceArchive& other) const;

    // Windows build: installs everything that the source yields. Errors are reported here; a
    // cancel sets the context's cancel flag.
    void Process(InstallContext& context);
    // true when the file should now be reachable; false when the user cancelled the prompt.
    static bool EnsureSourceFile(InstallContext& context, const std::string& name, int diskNumber);
    // The name of the volume after `name`: lower case, last character one higher.
    static std::string NextVolumeName(const std::string& name);

    void OnBlockBoundary() override;
    bool OnEndOfData() override;

private:
    void InstallEntries();
    void InstallPlainFile();

    InstallContext* context_ = nullptr;
    int volumeDisk_ = 0;  // diskette of the volume being read
};
