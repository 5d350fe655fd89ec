#pragma once
// A Windows program file read into memory: its headers, its sections, and the image the loader
// would map from it. Every read is checked against the file, so a damaged file is an error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class ExePackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PeSection {
    std::string name;
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
    std::uint32_t characteristics = 0;

    std::uint32_t End() const { return virtualAddress + virtualSize; }
    bool Holds(std::uint32_t rva) const { return rva >= virtualAddress && rva < End(); }
};

struct PeDirectory {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
};

namespace pe {
constexpr unsigned kImportDirectory = 1;
constexpr unsigned kResourceDirectory = 2;
constexpr unsigned kRelocationDirectory = 5;
constexpr unsigned kTlsDirectory = 9;
constexpr unsigned kLoadConfigDirectory = 10;
constexpr unsigned kBoundImportDirectory = 11;
constexpr unsigned kImportAddressDirectory = 12;
constexpr std::uint16_t kMachineI386 = 0x14C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
}  // namespace pe

class PeImage {
public:
    // what names the file in errors.
    PeImage(std::vector<std::uint8_t> bytes, std::string what);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    const std::string& What() const { return what_; }
    bool Is64() const { return is64_; }
    std::uint16_t Machine() const { return machine_; }
    std::uint64_t ImageBase() const { return imageBase_; }
    std::uint32_t EntryRva() const { return Field32(16); }
    std::uint32_t SectionAlignment() const { return Field32(32); }
    std::uint32_t FileAlignment() const { return Field32(36); }
    std::uint32_t SizeOfImage() const { return Field32(56); }
    std::uint32_t SizeOfHeaders() const { return Field32(60); }
    std::size_t PointerSize() const { return is64_ ? 8 : 4; }

    std::size_t CoffHeaderOffset() const { return coffOffset_; }
    std::size_t OptionalHeaderOffset() const { return coffOffset_ + 20; }
    std::size_t SectionTableOffset() const { return sectionTableOffset_; }
    std::size_t DirectoryOffset(unsigned index) const;
    PeDirectory Directory(unsigned index) const;

    const std::vector<PeSection>& Sections() const { return sections_; }
    const PeSection* SectionHolding(std::uint32_t rva) const;
    const PeSection* SectionNamed(const std::string& name) const;
    // A section's bytes as stored in the file (its raw data, at most its virtual size).
    std::vector<std::uint8_t> SectionBytes(const PeSection& section) const;

    // The program as mapped: headers, then each section's raw data at its address, zeros elsewhere.
    std::vector<std::uint8_t> MappedImage() const;

private:
    std::uint32_t Field32(std::size_t offsetInOptionalHeader) const;

    std::vector<std::uint8_t> bytes_;
    std::string what_;
    std::size_t coffOffset_ = 0;
    std::size_t sectionTableOffset_ = 0;
    std::uint16_t machine_ = 0;
    bool is64_ = false;
    std::uint64_t imageBase_ = 0;
    std::uint32_t directoryCount_ = 0;
    std::vector<PeSection> sections_;
};

// Little-endian access to a byte buffer, refusing reads and writes past its end.
std::uint16_t ReadLe16(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint32_t ReadLe32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint64_t ReadLe64(const std::vector<std::uint8_t>& bytes, std::size_t offset);
void WriteLe16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void WriteLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);
void WriteLe64(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value);
// The zero-terminated text at offset, at most limit characters.
std::string ReadCString(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t limit = 256);
