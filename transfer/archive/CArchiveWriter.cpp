#include "transfer/archive/CArchiveWriter.h"

#include "framework/CFrameworkException.h"
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CLzhCodec.h"
#include "transfer/archive/CMultiFileStream.h"
#include "transfer/archive/CStoredCodec.h"
#include "transfer/archive/FileStatus.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

using namespace ArchiveFormat;

namespace {
constexpr std::size_t kCopyBufferSize = 16384;

// The source of an entry being packed; shows its progress on a terminal for large files.
class PackingSource : public CMultiFileStream {
public:
    PackingSource(const std::string& label, std::uint32_t total, bool show)
        : label_(label), total_(total), show_(show && total >= (1u << 20))
    {
        blockSize = 64 * 1024;
    }
    ~PackingSource() override
    {
        if (show_)
            std::fprintf(stderr, "\r%-60s\r", "");
    }
    void OnBlockBoundary() override
    {
        if (show_)
            std::fprintf(stderr, "\r  packing %-40.40s %3u%%", label_.c_str(),
                         static_cast<unsigned>(std::uint64_t(bytesRead) * 100 / total_));
    }

private:
    std::string label_;
    std::uint32_t total_;
    bool show_;
};

// A volume being written: counts its bytes and starts the next volume on demand.
class VolumeOutput {
public:
    // Volumes hold volumeSize bytes each (0: no limit), the first firstSize when that is nonzero.
    VolumeOutput(std::string firstName, std::uint64_t firstSize, std::uint64_t volumeSize)
        : name_(std::move(firstName)), capacity_(firstSize != 0 ? firstSize : volumeSize), volumeSize_(volumeSize)
    {
    }

    void Begin()
    {
        file_.Open(name_, CPathFile::modeCreate);
        names_.push_back(name_);
        used_ = 0;
        std::uint8_t header[kVolumeHeaderSize] = {};
        std::memcpy(header, kVolumeMagic, 4);
        PutLittleEndian16(header + 4, kVolumeVersion);
        PutLittleEndian16(header + 6, static_cast<std::uint16_t>(kVolumeHeaderSize));
        Put(header, sizeof header);
    }
    void Next()
    {
        file_.Close();
        name_ = CArchiveWriter::NextVolumeName(name_);
        capacity_ = volumeSize_;
        Begin();
    }
    void Put(const void* data, std::size_t size)
    {
        file_.Write(data, size);
        used_ += size;
    }
    // Bytes left in this volume; unlimited when no size was given.
    std::uint64_t Room() const { return capacity_ == 0 ? UINT64_MAX : capacity_ - std::min<std::uint64_t>(used_, capacity_); }
    std::uint64_t Capacity() const { return capacity_; }
    void Finish() { file_.Close(); }
    const std::vector<std::string>& Names() const { return names_; }

private:
    CPathFile file_;
    std::string name_;
    std::vector<std::string> names_;
    std::uint64_t capacity_;
    std::uint64_t volumeSize_;
    std::uint64_t used_ = 0;
};
}  // namespace

CArchiveWriter::CArchiveWriter(std::string archivePath, std::uint32_t volumeSize, bool store, bool showProgress)
    : archivePath_(std::move(archivePath)), volumeSize_(volumeSize), store_(store), showProgress_(showProgress)
{
}

CArchiveWriter::~CArchiveWriter()
{
    RemoveScratchFiles();
}

void CArchiveWriter::RemoveScratchFiles()
{
    for (const PackedEntry& entry : entries_)
        std::remove(entry.packedPath.c_str());
    entries_.clear();
}

std::string CArchiveWriter::NextVolumeName(const std::string& path)
{
    // Only the file name is lower-cased: directories keep their case on case-sensitive systems.
    std::string next = path;
    std::size_t nameStart = next.find_last_of("\\/:");
    for (std::size_t i = nameStart == std::string::npos ? 0 : nameStart + 1; i < next.size(); ++i)
        next[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(next[i])));
    if (!next.empty())
        next.back() = static_cast<char>(next.back() + 1);
    return next;
}

// Packs one input into a scratch file; a compressed result that is not smaller is stored.
CArchiveWriter::PackedEntry CArchiveWriter::PackOne(const ArchiveInput& input, std::size_t index)
{
    FileStatus status = QueryFileStatus(input.sourcePath);
    std::error_code sizeError;
    if (std::filesystem::file_size(input.sourcePath, sizeError) > 0xFFFFFFFFull && !sizeError)
        throw std::runtime_error(input.sourcePath + ": files of 4 GB or more do not fit an archive entry");
    PackedEntry packed;
    packed.packedPath = archivePath_ + ".pack" + std::to_string(index) + ".tmp";
    MultiFileEntryHeader& header = packed.header;
    std::memset(header.name, 0, sizeof header.name);
    std::strncpy(header.name, input.storedName.c_str(), kNameFieldSize - 1);
    header.time = status.time;
    header.attributes = static_cast<std::uint16_t>(input.attributes < 0 ? status.attributes : input.attributes & 0xFF);
    header.destinationId = input.destinationId;
    header.methodParam = 0;

    for (int attempt = 0; attempt < 2; ++attempt) {
        bool compress = !store_ && !input.store && attempt == 0;
        PackingSource source(input.storedName, status.size, showProgress_);
        source.Open(input.sourcePath, CPathFile::modeRead);
        CMultiFileStream target;
        target.Open(packed.packedPath, CPathFile::modeCreate);
        std::unique_ptr<CCodec> codec;
        if (compress)
            codec = std::make_unique<CLzhCodec>();
        else
            codec = std::make_unique<CStoredCodec>();
        codec->Encode(source, target);
        header.method = compress ? kMethodLzh : kMethodStored;
        header.originalSize = source.bytesRead;
        header.packedSize = target.bytesWritten;
        header.crc = source.crc;
        target.Close();
        if (!compress || header.packedSize < header.originalSize)
            break;
    }
    return packed;
}

// Room that must stay free behind an entry's data when it ends inside a volume: the headers of
// the empty entries that follow and of the next entry with data (headers never straddle).
std::uint32_t CArchiveWriter::RoomNeededAfter(std::size_t index) const
{
    std::uint32_t room = 0;
    for (std::size_t next = index + 1; next < entries_.size(); ++next) {
        room += static_cast<std::uint32_t>(kEntryHeaderSize);
        if (entries_[next].header.packedSize != 0)
            break;
    }
    return room;
}

std::vector<std::string> CArchiveWriter::Write(const std::vector<ArchiveInput>& inputs)
{
    Pack(inputs);
    return WriteVolumes();
}

void CArchiveWriter::Pack(const std::vector<ArchiveInput>& inputs)
{
    RemoveScratchFiles();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        // Known before packing, so that a failed pack still has its scratch file removed.
        entries_.push_back({{}, archivePath_ + ".pack" + std::to_string(i) + ".tmp"});
        entries_.back() = PackOne(inputs[i], i);
    }
}

std::uint64_t CArchiveWriter::ArchiveBytes() const
{
    std::uint64_t bytes = kVolumeHeaderSize;
    for (const PackedEntry& entry : entries_)
        bytes += kEntryHeaderSize + entry.header.packedSize;
    return bytes;
}

std::vector<std::string> CArchiveWriter::WriteVolumes(std::uint64_t firstVolumeBytes)
{
    const std::vector<PackedEntry>& entries = entries_;
    if (volumeSize_ != 0 && volumeSize_ < kVolumeHeaderSize + 2 * kEntryHeaderSize + 1)
        throw std::runtime_error("the volume size is too small (at least 701 bytes)");

    VolumeOutput out(archivePath_, firstVolumeBytes, volumeSize_);
    out.Begin();
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[kCopyBufferSize]);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        MultiFileEntryHeader header = entries[i].header;
        std::uint64_t need = RoomNeededAfter(i);
        if (out.Capacity() != 0 && kVolumeHeaderSize + need + 1 > out.Capacity())
            throw std::runtime_error("the volume size is too small for the empty entries that follow one another");
        if (out.Room() < kEntryHeaderSize + (header.packedSize == 0 ? need : 0))
            throw std::runtime_error("the volume size is too small for the empty entries that follow one another");
        std::uint64_t roomForData = out.Room() - kEntryHeaderSize;
        bool fits = header.packedSize <= roomForData && (need == 0 || roomForData - header.packedSize >= need);
        header.continued = fits ? 0 : 1;
        auto headerBytes = header.ToBytes();
        out.Put(headerBytes.data(), headerBytes.size());

        CPathFile data;
        data.Open(entries[i].packedPath, CPathFile::modeRead);
        std::uint64_t left = header.packedSize;
        while (left > 0) {
            std::uint64_t room = out.Room();
            bool lastPiece = left <= room && (need == 0 || room - left >= need);
            std::uint64_t piece = lastPiece ? left : std::min<std::uint64_t>(room, left - 1);
            for (std::uint64_t done = 0; done < piece;) {
                std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyBufferSize, piece - done));
                data.ReadExact(buffer.get(), chunk);
                out.Put(buffer.get(), chunk);
                done += chunk;
            }
            left -= piece;
            if (left > 0)
                out.Next();
        }
        data.Close();
    }
    out.Finish();
    return out.Names();
}
