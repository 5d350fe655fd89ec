#include "transfer/archive/CVolumeReader.h"

#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CArchiveWriter.h"
#include "transfer/archive/CMultiFileException.h"

#include <cstdio>
#include <cstring>

void CVolumeReader::StartProgress(const std::string& label, std::uint32_t total)
{
    label_ = label;
    progressStart_ = bytesRead;
    progressTotal_ = total;
}

void CVolumeReader::EndProgress()
{
    if (showProgress_ && progressTotal_ >= (256u << 10))
        std::fprintf(stderr, "\r%-60s\r", "");
    progressTotal_ = 0;
}

void CVolumeReader::OnBlockBoundary()
{
    // Only entries of a quarter megabyte or more of data are worth a progress line.
    if (!showProgress_ || progressTotal_ < (256u << 10) || (bytesRead % (64 * 1024)) != 0)
        return;
    unsigned percent = static_cast<unsigned>((std::uint64_t(bytesRead - progressStart_) * 100) / progressTotal_);
    std::fprintf(stderr, "\r  %-48.48s %3u%%", label_.c_str(), percent > 100 ? 100 : percent);
    std::fflush(stderr);
}

// A continued entry goes on in the next volume: open it, check its header and read on.
bool CVolumeReader::OnEndOfData()
{
    CMultiFileEntry* entry = CurrentEntry();
    if (!entry || entry->header.continued == 0)
        return true;
    std::string next = CArchiveWriter::NextVolumeName(GetPath());
    OpenCounted(next);
    std::uint8_t header[ArchiveFormat::kVolumeHeaderSize];
    if (RawRead(header, sizeof header) < sizeof header)
        throw CFileException(CFileException::endOfFile, -1, next);
    if (std::memcmp(header, ArchiveFormat::kVolumeMagic, 4) != 0)
        throw CMultiFileException(CMultiFileException::notAnArchive);
    return false;
}
