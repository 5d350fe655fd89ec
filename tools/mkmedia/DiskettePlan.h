#pragma once
// Where each source of a product goes on a diskette set, in the order Setup asks for them: the
// sources fill the diskettes one after the other; an archive that does not fit the room left is
// split into two volumes, the first filling the diskette and the second beginning the next one.
// Setup reads a split archive last among the sources of its first diskette (its number is
// written with a minus sign), so that it never has to ask for that diskette again. An archive
// never spans more than two diskettes: Setup asks for the next volume on the diskette after the
// archive's first, however many volumes came before.
//
// Space is counted as a FAT file system counts it: every file takes whole clusters, and every
// name takes entries of the root directory (one for a short name, more for a long one), of which
// a diskette has a fixed number.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct DisketteFormat {
    std::uint64_t dataBytes = 0;     // room for files: clusters times cluster size
    std::uint32_t clusterBytes = 512;
    int rootEntries = 0;             // 0: no limit
    std::string name;

    static DisketteFormat Megabytes144();  // 1.44 MB: 2847 clusters of 512 bytes, 224 entries
    static DisketteFormat Kilobytes720();  // 720 KB: 713 clusters of 1024 bytes, 112 entries
    static DisketteFormat OfSize(std::uint64_t bytes);  // a size of one's own, in 512-byte clusters
    static DisketteFormat CdRom();         // a 650 MB CD: 333,000 sectors of 2048 bytes
};

class PlanError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SourcePlacement {
    std::string name;
    int disk = 0;
    bool afterOthers = false;
    // For a split archive: the bytes of its first volume (which fills its diskette) and the name
    // and bytes of the second, on the next diskette.
    bool split = false;
    std::uint64_t firstVolumeBytes = 0;
    std::string secondVolumeName;
    std::uint64_t secondVolumeBytes = 0;
};

struct PlannedDiskette {
    int number = 0;
    std::vector<std::string> files;  // names on the diskette, the tag file included
    std::uint64_t usedBytes = 0;     // in whole clusters
    int usedEntries = 0;
};

class DiskettePlan {
public:
    // The setup program and its files go onto the first diskette before any source.
    DiskettePlan(DisketteFormat format, const std::vector<std::pair<std::string, std::uint64_t>>& setupFiles);

    // Places a plain file (archive false) or an archive of `bytes` bytes.
    SourcePlacement Place(const std::string& name, std::uint64_t bytes, bool archive);

    const std::vector<PlannedDiskette>& Diskettes() const { return diskettes_; }
    const DisketteFormat& Format() const { return format_; }

    // The name of the tag file that makes a diskette known to Setup: "diskette.001" for the first.
    static std::string TagFileName(int disk);
    // Directory entries that a name takes: 1 for a short (8.3, upper-case) name, more for a long one.
    static int EntriesOf(const std::string& name);

private:
    std::uint64_t Clustered(std::uint64_t bytes) const;
    std::uint64_t FreeBytes() const;
    bool Fits(std::uint64_t bytes, const std::string& name) const;
    void Add(const std::string& name, std::uint64_t bytes);
    void NewDiskette();
    std::uint64_t EmptyDisketteBytes() const;
    bool PlaceOnCurrent(const std::string& name, std::uint64_t bytes, bool archive, SourcePlacement& placement);
    bool TrySplit(const std::string& name, std::uint64_t bytes, SourcePlacement& placement);

    DisketteFormat format_;
    std::vector<PlannedDiskette> diskettes_;
};
