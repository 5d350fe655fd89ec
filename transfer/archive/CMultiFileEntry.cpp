#include "transfer/archive/CMultiFileEntry.h"

#include "transfer/archive/FileStatus.h"

#include <algorithm>
#include <cstring>

namespace {
void CopyIntoField(char* field, const std::string& text)
{
    std::size_t length = std::min(text.size(), ArchiveFormat::kNameFieldSize - 1);
    std::memset(field, 0, ArchiveFormat::kNameFieldSize);
    std::memcpy(field, text.data(), length);
}
}  // namespace

void CMultiFileEntry::SetName(const std::string& text)
{
    CopyIntoField(header.name, text);
}

void CMultiFileEntry::SetOutputPath(const std::string& text)
{
    CopyIntoField(outputPath, text);
}

std::string CMultiFileEntry::GetLastNameComponent() const
{
    std::string name = header.name;
    std::size_t cut = name.find_last_of("\\/:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

void CMultiFileEntry::FillFromFile()
{
    FileStatus status = QueryFileStatus(header.name);
    header.time = status.time;
    header.attributes = status.attributes;
    header.originalSize = status.size;
}

void CMultiFileEntry::ApplyStatus()
{
    ApplyFileStatus(outputPath, header.time, static_cast<std::uint8_t>(header.attributes & 0xFF));
}
