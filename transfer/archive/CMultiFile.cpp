#include "transfer/archive/CMultiFile.h"

#include "framework/CFrameworkException.h"
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CLzhCodec.h"
#include "transfer/archive/CMultiFileException.h"
#include "transfer/archive/CStoredCodec.h"

#include <cstring>

using namespace ArchiveFormat;

namespace {
// Releases the output file when extraction fails; the original error is the one reported.
void CloseQuietly(CMultiFileEntry& entry)
{
    try {
        entry.Close();
    } catch (const CFileException&) {
    }
}
}  // namespace

CMultiFile::CMultiFile()
{
    blockSize = kArchiveBlockSize;
}

void CMultiFile::OpenArchive(const std::string& path)
{
    Open(path, modeRead);
    std::uint8_t volumeHeader[kVolumeHeaderSize];
    if (RawRead(volumeHeader, sizeof volumeHeader) < sizeof volumeHeader)
        throw CFileException(CFileException::endOfFile, -1, path);
    if (std::memcmp(volumeHeader, kVolumeMagic, 4) != 0)
        throw CMultiFileException(CMultiFileException::notAnArchive);
    firstEntryOffset = static_cast<std::uint32_t>(kVolumeHeaderSize);
}

bool CMultiFile::ReadNextEntry(CMultiFileEntry& entry, bool seek)
{
    if (entry.entryOffset == 0)
        entry.entryOffset = firstEntryOffset;
    if (seek)
        Seek(entry.entryOffset - readBase);
    MultiFileEntryHeader::Bytes bytes;
    if (RawRead(bytes.data(), bytes.size()) < bytes.size())
        return false;
    entry.header = MultiFileEntryHeader::FromBytes(bytes);
    if (!entry.header.HasEntryMagic())
        throw CMultiFileException(CMultiFileException::missingEntryHeader);
    entry.entryOffset += entry.header.packedSize + static_cast<std::uint32_t>(kEntryHeaderSize);
    return true;
}

void CMultiFile::Extract(CMultiFileEntry& entry)
{
    entry.Open(entry.outputPath, modeCreate);
    entry.bytesWritten = 0;
    entry.crc = 0;
    codec = CreateCodec(entry.header.method, entry.header.methodParam);
    if (!codec) {
        entry.Close();
        throw CMultiFileException(CMultiFileException::unknownMethod);
    }
    currentEntry = &entry;
    extracting = true;
    bool aborted = false;
    try {
        codec->Decode(*this, entry, entry.header.packedSize, entry.header.originalSize);
        aborted = codec->AbortRequested();
    } catch (...) {
        extracting = false;
        currentEntry = nullptr;
        codec.reset();
        CloseQuietly(entry);
        throw;
    }
    extracting = false;
    currentEntry = nullptr;
    codec.reset();
    entry.Close();
    entry.ApplyStatus();
    if (aborted)
        throw CUserException();
    if (entry.header.crc != 0 && entry.header.crc != entry.crc)
        throw CMultiFileException(CMultiFileException::checksumMismatch);
}

std::unique_ptr<CMultiFileEntry> CMultiFile::CreateEntry()
{
    auto entry = std::make_unique<CMultiFileEntry>();
    entry->entryOffset = firstEntryOffset;
    return entry;
}

std::unique_ptr<CCodec> CMultiFile::CreateCodec(std::uint32_t method, std::uint32_t)
{
    switch (method) {
    case kMethodStored: return std::make_unique<CStoredCodec>();
    case kMethodLzh: return std::make_unique<CLzhCodec>();
    default: return nullptr;
    }
}

void CMultiFile::Abort()
{
    if (extracting && codec)
        codec->SetAbort();
}
