#include "tools/mkmedia/DiskettePlan.h"

#include "tools/mkmedia/MediumDescription.h"
#include "transfer/archive/CArchiveWriter.h"

#include <cctype>
#include <cstdio>

namespace {
// A volume file begins with an 8-byte header, an entry with a 346-byte one; a first volume must
// hold both and at least one byte of the entry's data to be worth splitting there.
constexpr std::uint64_t kVolumeHeaderBytes = 8;
constexpr std::uint64_t kEntryHeaderBytes = 346;
constexpr std::uint64_t kSmallestFirstVolume = kVolumeHeaderBytes + kEntryHeaderBytes + 1;

bool IsShortName(const std::string& name)
{
    std::size_t dot = name.find('.');
    std::string base = name.substr(0, dot);
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3 || extension.find('.') != std::string::npos)
        return false;
    for (unsigned char c : name)
        if (std::islower(c) || c == ' ' || c == '+' || c == ',' || c == ';' || c == '=' || c == '[' || c == ']')
            return false;
    return true;
}
}  // namespace

DisketteFormat DisketteFormat::Megabytes144()
{
    return {2847ull * 512, 512, 224, "1.44 MB"};
}

DisketteFormat DisketteFormat::Kilobytes720()
{
    return {713ull * 1024, 1024, 112, "720 KB"};
}

DisketteFormat DisketteFormat::CdRom()
{
    return {333000ull * 2048, 2048, 0, "650 MB CD"};
}

DisketteFormat DisketteFormat::OfSize(std::uint64_t bytes)
{
    return {bytes / 512 * 512, 512, 0, std::to_string(bytes) + " bytes"};
}

DiskettePlan::DiskettePlan(DisketteFormat format, const std::vector<std::pair<std::string, std::uint64_t>>& setupFiles)
    : format_(std::move(format))
{
    NewDiskette();
    for (const auto& [name, bytes] : setupFiles) {
        if (!Fits(bytes, name))
            throw PlanError(name + " (" + std::to_string(bytes) + " bytes) does not fit the first " + format_.name +
                            " diskette beside the other setup files");
        Add(name, bytes);
    }
}

std::string DiskettePlan::TagFileName(int disk)
{
    char name[16];
    std::snprintf(name, sizeof name, "diskette.%03d", disk);
    return name;
}

int DiskettePlan::EntriesOf(const std::string& name)
{
    // A long name keeps its short alias and 13 characters in each further entry.
    return IsShortName(name) ? 1 : 1 + static_cast<int>((name.size() + 12) / 13);
}

std::uint64_t DiskettePlan::Clustered(std::uint64_t bytes) const
{
    return (bytes + format_.clusterBytes - 1) / format_.clusterBytes * format_.clusterBytes;
}

std::uint64_t DiskettePlan::FreeBytes() const
{
    return format_.dataBytes - diskettes_.back().usedBytes;
}

bool DiskettePlan::Fits(std::uint64_t bytes, const std::string& name) const
{
    const PlannedDiskette& disk = diskettes_.back();
    bool entries = format_.rootEntries == 0 || disk.usedEntries + EntriesOf(name) <= format_.rootEntries;
    return entries && Clustered(bytes) <= FreeBytes();
}

void DiskettePlan::Add(const std::string& name, std::uint64_t bytes)
{
    PlannedDiskette& disk = diskettes_.back();
    disk.files.push_back(name);
    disk.usedBytes += Clustered(bytes);
    disk.usedEntries += EntriesOf(name);
}

void DiskettePlan::NewDiskette()
{
    PlannedDiskette disk;
    disk.number = static_cast<int>(diskettes_.size()) + 1;
    disk.usedEntries = 1;  // the volume label
    diskettes_.push_back(disk);
    Add(TagFileName(disk.number), 0);
}

// Room for files on a diskette that holds only its tag file.
std::uint64_t DiskettePlan::EmptyDisketteBytes() const
{
    return format_.dataBytes;
}

SourcePlacement DiskettePlan::Place(const std::string& name, std::uint64_t bytes, bool archive)
{
    SourcePlacement placement;
    placement.name = name;
    if (PlaceOnCurrent(name, bytes, archive, placement))
        return placement;
    // Not here: on a diskette of its own, whole or split once more.
    if (Clustered(bytes) > 2 * EmptyDisketteBytes() || (!archive && Clustered(bytes) > EmptyDisketteBytes()))
        throw PlanError(name + " (" + std::to_string(bytes) + " bytes" + (archive ? " packed" : "") + ") is larger than " +
                        (archive ? "two " + format_.name + " diskettes, the most an archive may span: give its files to "
                                   "more archives"
                                 : "a " + format_.name + " diskette"));
    NewDiskette();
    if (PlaceOnCurrent(name, bytes, archive, placement))
        return placement;
    throw PlanError(name + " (" + std::to_string(bytes) + " bytes packed) does not fit two " + format_.name +
                    " diskettes, the most an archive may span: give its files to more archives");
}

// Whole on the current diskette, or an archive split where it ends.
bool DiskettePlan::PlaceOnCurrent(const std::string& name, std::uint64_t bytes, bool archive, SourcePlacement& placement)
{
    if (Fits(bytes, name)) {
        placement.disk = diskettes_.back().number;
        Add(name, bytes);
        return true;
    }
    return archive && TrySplit(name, bytes, placement);
}

// Splits an archive where the current diskette ends, when the rest fits the next one.
bool DiskettePlan::TrySplit(const std::string& name, std::uint64_t bytes, SourcePlacement& placement)
{
    const PlannedDiskette& disk = diskettes_.back();
    std::string second = CArchiveWriter::NextVolumeName(name);
    if (format_.rootEntries != 0 && disk.usedEntries + EntriesOf(name) > format_.rootEntries)
        return false;
    std::uint64_t first = FreeBytes();
    if (first < Clustered(kSmallestFirstVolume) || first >= bytes)
        return false;
    std::uint64_t rest = bytes - first + kVolumeHeaderBytes;
    // The next diskette holds its tag file and the second volume.
    int nextEntries = 1 + EntriesOf(TagFileName(disk.number + 1)) + EntriesOf(second);
    if (Clustered(rest) > EmptyDisketteBytes() || (format_.rootEntries != 0 && nextEntries > format_.rootEntries))
        return false;
    if (!IsInstallableName(second))
        throw PlanError(name + " must be split over two diskettes, but its next volume's name \"" + second +
                        "\" is not a file name: end the name in a letter or a digit below 9");
    placement.disk = disk.number;
    placement.afterOthers = true;
    placement.split = true;
    placement.firstVolumeBytes = first;
    placement.secondVolumeName = second;
    placement.secondVolumeBytes = rest;
    Add(name, first);
    NewDiskette();
    Add(second, rest);
    return true;
}
