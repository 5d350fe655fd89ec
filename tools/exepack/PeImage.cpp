#include "tools/exepack/PeImage.h"

#include <algorithm>

namespace {
void RequireRange(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t count)
{
    if (offset > bytes.size() || count > bytes.size() - offset)
        throw ExePackError("read past the end of the data at offset " + std::to_string(offset));
}

constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;
constexpr std::uint32_t kLargestImage = 256u << 20;
}  // namespace

std::uint16_t ReadLe16(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    RequireRange(bytes, offset, 2);
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t ReadLe32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return ReadLe16(bytes, offset) | static_cast<std::uint32_t>(ReadLe16(bytes, offset + 2)) << 16;
}

std::uint64_t ReadLe64(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return ReadLe32(bytes, offset) | static_cast<std::uint64_t>(ReadLe32(bytes, offset + 4)) << 32;
}

void WriteLe16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value)
{
    RequireRange(bytes, offset, 2);
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void WriteLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    WriteLe16(bytes, offset, static_cast<std::uint16_t>(value));
    WriteLe16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

void WriteLe64(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value)
{
    WriteLe32(bytes, offset, static_cast<std::uint32_t>(value));
    WriteLe32(bytes, offset + 4, static_cast<std::uint32_t>(value >> 32));
}

std::string ReadCString(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t limit)
{
    std::string text;
    while (text.size() < limit) {
        RequireRange(bytes, offset, 1);
        char c = static_cast<char>(bytes[offset++]);
        if (c == '\0')
            return text;
        text += c;
    }
    return text;
}

PeImage::PeImage(std::vector<std::uint8_t> bytes, std::string what) : bytes_(std::move(bytes)), what_(std::move(what))
{
    try {
        if (ReadLe16(bytes_, 0) != 0x5A4D)
            throw ExePackError("no MZ header");
        std::size_t peOffset = ReadLe32(bytes_, 0x3C);
        if (ReadLe32(bytes_, peOffset) != 0x00004550)
            throw ExePackError("no PE signature");
        coffOffset_ = peOffset + 4;
        machine_ = ReadLe16(bytes_, coffOffset_);
        unsigned sectionCount = ReadLe16(bytes_, coffOffset_ + 2);
        std::size_t optionalSize = ReadLe16(bytes_, coffOffset_ + 16);
        std::uint16_t magic = ReadLe16(bytes_, OptionalHeaderOffset());
        if (magic != kMagicPe32 && magic != kMagicPe32Plus)
            throw ExePackError("unknown optional header");
        is64_ = magic == kMagicPe32Plus;
        imageBase_ = is64_ ? ReadLe64(bytes_, OptionalHeaderOffset() + 24) : ReadLe32(bytes_, OptionalHeaderOffset() + 28);
        directoryCount_ = ReadLe32(bytes_, OptionalHeaderOffset() + (is64_ ? 108 : 92));
        if (DirectoryOffset(directoryCount_) > OptionalHeaderOffset() + optionalSize)
            throw ExePackError("directories past the optional header");
        auto powerOfTwo = [](std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; };
        if (!powerOfTwo(SectionAlignment()) || !powerOfTwo(FileAlignment()))
            throw ExePackError("alignments that are not powers of two");
        if (SizeOfHeaders() > bytes_.size() || SizeOfImage() > kLargestImage)
            throw ExePackError("headers or image of an impossible size");
        sectionTableOffset_ = OptionalHeaderOffset() + optionalSize;
        RequireRange(bytes_, sectionTableOffset_, sectionCount * kSectionHeaderSize);
        for (unsigned i = 0; i < sectionCount; ++i) {
            std::size_t at = sectionTableOffset_ + i * kSectionHeaderSize;
            PeSection section;
            section.name = ReadCString(bytes_, at, 8);
            section.virtualSize = ReadLe32(bytes_, at + 8);
            section.virtualAddress = ReadLe32(bytes_, at + 12);
            section.rawSize = ReadLe32(bytes_, at + 16);
            section.rawOffset = ReadLe32(bytes_, at + 20);
            section.characteristics = ReadLe32(bytes_, at + 36);
            if (section.virtualSize == 0)
                section.virtualSize = section.rawSize;
            RequireRange(bytes_, section.rawOffset, section.rawSize);
            if (section.End() < section.virtualAddress || section.End() > SizeOfImage())
                throw ExePackError("section " + section.name + " lies outside the image");
            if (!sections_.empty() && section.virtualAddress < sections_.back().End())
                throw ExePackError("section " + section.name + " overlaps the one before it");
            sections_.push_back(section);
        }
    } catch (const ExePackError& error) {
        throw ExePackError(what_ + ": not a Windows program this tool can read (" + error.what() + ")");
    }
}

std::uint32_t PeImage::Field32(std::size_t offsetInOptionalHeader) const
{
    return ReadLe32(bytes_, OptionalHeaderOffset() + offsetInOptionalHeader);
}

std::size_t PeImage::DirectoryOffset(unsigned index) const
{
    return OptionalHeaderOffset() + (is64_ ? 112 : 96) + index * 8;
}

PeDirectory PeImage::Directory(unsigned index) const
{
    if (index >= directoryCount_)
        return {};
    return {ReadLe32(bytes_, DirectoryOffset(index)), ReadLe32(bytes_, DirectoryOffset(index) + 4)};
}

const PeSection* PeImage::SectionHolding(std::uint32_t rva) const
{
    for (const PeSection& section : sections_)
        if (section.Holds(rva))
            return &section;
    return nullptr;
}

const PeSection* PeImage::SectionNamed(const std::string& name) const
{
    for (const PeSection& section : sections_)
        if (section.name == name)
            return &section;
    return nullptr;
}

std::vector<std::uint8_t> PeImage::SectionBytes(const PeSection& section) const
{
    std::size_t count = std::min(section.rawSize, section.virtualSize);
    return {bytes_.begin() + section.rawOffset, bytes_.begin() + section.rawOffset + count};
}

std::vector<std::uint8_t> PeImage::MappedImage() const
{
    std::vector<std::uint8_t> image(SizeOfImage());
    std::size_t headers = std::min<std::size_t>({SizeOfHeaders(), bytes_.size(), image.size()});
    std::copy(bytes_.begin(), bytes_.begin() + headers, image.begin());
    for (const PeSection& section : sections_) {
        std::vector<std::uint8_t> data = SectionBytes(section);
        std::copy(data.begin(), data.end(), image.begin() + section.virtualAddress);
    }
    return image;
}
