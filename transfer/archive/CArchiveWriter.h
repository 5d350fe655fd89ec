#pragma once
// Writes a multi-file archive, split into volumes of at most volumeSize bytes when that is
// nonzero. Each entry's data is packed into a scratch file first (so no entry is held in
// memory), then laid out: a volume only ever ends inside the data of a continued entry.
#include "transfer/archive/MultiFileEntryHeader.h"

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveInput {
    std::string sourcePath;
    std::string storedName;
    std::uint16_t destinationId = 0;
    int attributes = -1;  // -1: the source file's own attribute byte
    bool store = false;   // method 2 instead of compressing
};

class CArchiveWriter {
public:
    CArchiveWriter(std::string archivePath, std::uint32_t volumeSize, bool store, bool showProgress = false);
    ~CArchiveWriter();
    CArchiveWriter(const CArchiveWriter&) = delete;
    CArchiveWriter& operator=(const CArchiveWriter&) = delete;

    // Packs every input and writes the volumes; returns the names of the volumes written.
    std::vector<std::string> Write(const std::vector<ArchiveInput>& inputs);

    // The same in two steps, for a caller that places the archive by its size: Pack packs the
    // inputs into scratch files (kept until the writer goes), ArchiveBytes is then the size of
    // the archive in one volume, and WriteVolumes lays it out, its first volume holding at most
    // firstVolumeBytes when that is nonzero (the following ones the volume size).
    void Pack(const std::vector<ArchiveInput>& inputs);
    std::uint64_t ArchiveBytes() const;
    std::vector<std::string> WriteVolumes(std::uint64_t firstVolumeBytes = 0);

    // The name of the volume after path: its file name in lower case, last character plus one.
    static std::string NextVolumeName(const std::string& path);

private:
    struct PackedEntry {
        MultiFileEntryHeader header;
        std::string packedPath;
    };
    PackedEntry PackOne(const ArchiveInput& input, std::size_t index);
    std::uint32_t RoomNeededAfter(std::size_t index) const;
    void RemoveScratchFiles();

    std::string archivePath_;
    std::uint32_t volumeSize_;
    bool store_;
    bool showProgress_;
    std::vector<PackedEntry> entries_;
};
