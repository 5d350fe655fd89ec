#include "tools/exepack/CExePacker.h"

#include "tools/exepack/Lh5Stream.h"
#include "tools/exepack/stub/Lh5Inflate.h"
#include "tools/exepack/stub/UnpackImage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

static_assert(sizeof(KmLh5State) <= KM_UNPACK_WORK_SIZE, "the decoder's state fits its work area");

namespace {
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kPackedCharacteristics = 0xE0000080;  // uninitialised, read, write, execute
constexpr std::uint32_t kStubCharacteristics = 0xE0000060;    // code, initialised, read, write, execute
constexpr std::uint16_t kRelocationsStripped = 0x0001;
constexpr std::uint16_t kDynamicBase = 0x0040;
constexpr std::uint16_t kHighEntropyVa = 0x0020;
constexpr unsigned kDebugDirectory = 6;
constexpr std::uint32_t kTableWords = sizeof(KmUnpackTable) / 4;

std::uint32_t AlignUp(std::uint32_t value, std::uint32_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

void Append32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PadTo(std::vector<std::uint8_t>& bytes, std::uint32_t alignment)
{
    bytes.resize(AlignUp(static_cast<std::uint32_t>(bytes.size()), alignment), 0);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

struct CExePacker::OutputSection {
    PeSection header;
    bool packed = false;
    std::vector<std::uint8_t> raw;  // kept sections only
};

struct CExePacker::StubLayout {
    std::vector<std::uint8_t> raw;
    std::uint32_t virtualSize = 0;
    PeDirectory tlsDirectory;
};

CExePacker::CExePacker(const PeImage& program, const PeImage& stub, ExePackText text)
    : program_(program), stub_(stub), text_(std::move(text))
{
}

void CExePacker::CheckProgram() const
{
    const std::string& what = program_.What();
    if (program_.Machine() != stub_.Machine())
        throw ExePackError(what + ": its machine is not the start-up code's (" + stub_.What() + ")");
    if (program_.Directory(pe::kRelocationDirectory).size != 0)
        throw ExePackError(what + ": has base relocations; a packed program is mapped at its own base only");
    if (program_.Directory(pe::kLoadConfigDirectory).size != 0 || program_.Directory(pe::kBoundImportDirectory).size != 0)
        throw ExePackError(what + ": the loader reads its load configuration or bound imports before it runs");
    if (program_.Directory(pe::kImportDirectory).size == 0)
        throw ExePackError(what + ": imports nothing, so its start-up code could not say that it is damaged");
    for (const PeSection& section : program_.Sections())
        if (section.name == ".unpack")
            throw ExePackError(what + ": is packed already");
}

// The start-up code: the stub's code section, checked to be the entry code with the word that
// receives the table's offset, and to need no relocation wherever it is copied.
std::vector<std::uint8_t> CExePacker::StubCode() const
{
    const PeSection* text = stub_.SectionNamed(".text");
    if (!text)
        throw ExePackError(stub_.What() + ": has no code section");
    if (stub_.EntryRva() != text->virtualAddress)
        throw ExePackError(stub_.What() + ": its entry point is not the start of its code");
    PeDirectory relocations = stub_.Directory(pe::kRelocationDirectory);
    if (relocations.size > 8)  // an empty block at most
        throw ExePackError(stub_.What() + ": its code needs relocations, so it cannot be moved");
    if (stub_.Sections().size() > 1) {
        for (const PeSection& section : stub_.Sections())
            if (&section != text && section.name != ".idata" && section.name != ".reloc")
                throw ExePackError(stub_.What() + ": has data in " + section.name + ", which the copy would not carry");
    }
    std::vector<std::uint8_t> code = stub_.SectionBytes(*text);
    if (ReadLe32(code, KM_UNPACK_TABLE_FIELD) != KM_UNPACK_TABLE_PLACEHOLDER)
        throw ExePackError(stub_.What() + ": is not the start-up code this packer writes a table for");
    return code;
}

// The sections the loader reads before the entry point runs: they stay in the file as they are.
std::vector<bool> CExePacker::KeptSections() const
{
    std::vector<std::uint32_t> readByLoader = {
        program_.Directory(pe::kImportDirectory).rva,
        program_.Directory(pe::kImportAddressDirectory).rva,
        program_.Directory(pe::kResourceDirectory).rva,
    };
    PeDirectory tls = program_.Directory(pe::kTlsDirectory);
    if (tls.size != 0) {
        std::vector<std::uint8_t> image = program_.MappedImage();
        std::uint64_t start = program_.Is64() ? ReadLe64(image, tls.rva) : ReadLe32(image, tls.rva);
        if (start != 0)
            readByLoader.push_back(static_cast<std::uint32_t>(start - program_.ImageBase()));
    }
    std::vector<bool> kept(program_.Sections().size(), false);
    for (std::uint32_t rva : readByLoader) {
        if (rva == 0)
            continue;
        const PeSection* section = program_.SectionHolding(rva);
        if (!section)
            throw ExePackError(program_.What() + ": a directory lies outside its sections");
        kept[section - program_.Sections().data()] = true;
    }
    return kept;
}

// Kept sections as they are; each run of other sections becomes one range without raw data that
// reaches to the next kept section.
std::vector<CExePacker::OutputSection> CExePacker::PlanSections() const
{
    const std::vector<PeSection>& sections = program_.Sections();
    std::vector<bool> kept = KeptSections();
    std::vector<OutputSection> plan;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (kept[i]) {
            OutputSection out;
            out.header = sections[i];
            out.raw = program_.SectionBytes(sections[i]);
            plan.push_back(std::move(out));
            continue;
        }
        std::size_t last = i;
        while (last + 1 < sections.size() && !kept[last + 1])
            ++last;
        std::uint32_t end = last + 1 < sections.size() ? sections[last + 1].virtualAddress
                                                       : AlignUp(sections[last].End(), program_.SectionAlignment());
        OutputSection out;
        out.packed = true;
        out.header.name = ".packed";
        out.header.virtualAddress = sections[i].virtualAddress;
        out.header.virtualSize = end - sections[i].virtualAddress;
        out.header.characteristics = kPackedCharacteristics;
        plan.push_back(std::move(out));
        i = last;
    }
    return plan;
}

std::uint32_t CExePacker::FindImportSlot(const std::vector<std::uint8_t>& image, const std::string& module,
                                         const std::string& function) const
{
    PeDirectory imports = program_.Directory(pe::kImportDirectory);
    std::size_t pointer = program_.PointerSize();
    for (std::uint32_t at = imports.rva; at + 20 <= imports.rva + imports.size; at += 20) {
        std::uint32_t lookup = ReadLe32(image, at), name = ReadLe32(image, at + 12), slots = ReadLe32(image, at + 16);
        if (name == 0 && slots == 0)
            break;
        if (Lower(ReadCString(image, name)) != Lower(module))
            continue;
        std::uint32_t names = lookup != 0 ? lookup : slots;
        for (std::uint32_t index = 0;; ++index) {
            std::uint64_t entry = pointer == 8 ? ReadLe64(image, names + index * 8) : ReadLe32(image, names + index * 4);
            if (entry == 0)
                break;
            bool byOrdinal = (entry >> (pointer * 8 - 1)) != 0;
            if (!byOrdinal && ReadCString(image, static_cast<std::uint32_t>(entry) + 2) == function)
                return slots + static_cast<std::uint32_t>(index * pointer);
        }
    }
    return 0;
}

CExePacker::StubLayout CExePacker::BuildStub(const std::vector<std::uint8_t>& image,
                                             const std::vector<OutputSection>& sections, std::uint32_t stubRva,
                                             PackedProgram& result) const
{
    StubLayout stub;
    std::vector<std::uint8_t>& raw = stub.raw;
    raw = StubCode();
    result.stubCodeSize = static_cast<std::uint32_t>(raw.size());
    PadTo(raw, 16);
    const std::uint32_t tableOffset = static_cast<std::uint32_t>(raw.size());
    WriteLe32(raw, KM_UNPACK_TABLE_FIELD, tableOffset);
    raw.resize(raw.size() + kTableWords * 4, 0);

    std::uint32_t rangeCount = 0;
    for (const OutputSection& section : sections) {
        if (!section.packed)
            continue;
        auto begin = image.begin() + section.header.virtualAddress;
        auto end = begin + section.header.virtualSize;
        // Memory past the last nonzero byte is zero at load already.
        auto lastNonZero = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(begin),
                                        [](std::uint8_t b) { return b != 0; });
        std::vector<std::uint8_t> data(begin, lastNonZero.base());
        if (data.empty())
            continue;
        std::vector<std::uint8_t> stream = CompressLh5(data);
        PackedRange range{section.header.virtualAddress, static_cast<std::uint32_t>(data.size()),
                          static_cast<std::uint32_t>(stream.size())};
        Append32(raw, range.rva);
        Append32(raw, range.size);
        Append32(raw, range.packedSize);
        Append32(raw, kmAdler32(data.data(), range.size));
        raw.insert(raw.end(), stream.begin(), stream.end());
        result.ranges.push_back(range);
        ++rangeCount;
    }

    // Thread-local storage: the loader gets a directory of the stub's own.
    std::vector<std::uint32_t> callbacks;
    std::uint32_t tlsIndexRva = 0;
    PeDirectory tls = program_.Directory(pe::kTlsDirectory);
    std::vector<std::uint8_t> tlsDirectory;
    if (tls.size != 0) {
        std::size_t pointer = program_.PointerSize();
        auto readPointer = [&](std::uint32_t rva) {
            return pointer == 8 ? ReadLe64(image, rva) : ReadLe32(image, rva);
        };
        tlsDirectory.assign(image.begin() + tls.rva, image.begin() + tls.rva + 4 * pointer + 8);
        tlsIndexRva = static_cast<std::uint32_t>(readPointer(tls.rva + 2 * pointer) - program_.ImageBase());
        std::uint64_t list = readPointer(tls.rva + 3 * pointer);
        for (std::uint32_t at = list ? static_cast<std::uint32_t>(list - program_.ImageBase()) : 0; list != 0;
             at += static_cast<std::uint32_t>(pointer)) {
            std::uint64_t callback = readPointer(at);
            if (callback == 0)
                break;
            callbacks.push_back(static_cast<std::uint32_t>(callback - program_.ImageBase()));
        }
    }
    const std::uint32_t callbacksOffset = static_cast<std::uint32_t>(raw.size());
    for (std::uint32_t callback : callbacks)
        Append32(raw, callback);
    PadTo(raw, 16);
    const std::uint32_t tlsDirectoryOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), tlsDirectory.begin(), tlsDirectory.end());
    const std::uint32_t messageOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), text_.message.begin(), text_.message.end());
    raw.push_back(0);
    const std::uint32_t captionOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), text_.caption.begin(), text_.caption.end());
    raw.push_back(0);
    PadTo(raw, 16);

    // The uninitialised tail: the live callback list, the index slot, the decoder's work area.
    const std::uint32_t callbackListOffset = static_cast<std::uint32_t>(raw.size());
    const std::uint32_t indexSlotOffset =
        AlignUp(callbackListOffset + static_cast<std::uint32_t>((callbacks.size() + 1) * program_.PointerSize()), 16);
    const std::uint32_t workOffset = indexSlotOffset + 16;
    stub.virtualSize = workOffset + KM_UNPACK_WORK_SIZE;

    if (!tlsDirectory.empty()) {
        std::size_t pointer = program_.PointerSize();
        std::uint64_t base = program_.ImageBase();
        auto writePointer = [&](std::size_t offset, std::uint64_t value) {
            if (pointer == 8)
                WriteLe64(raw, offset, value);
            else
                WriteLe32(raw, offset, static_cast<std::uint32_t>(value));
        };
        writePointer(tlsDirectoryOffset + 2 * pointer, base + stubRva + indexSlotOffset);
        writePointer(tlsDirectoryOffset + 3 * pointer, base + stubRva + callbackListOffset);
        stub.tlsDirectory = {stubRva + tlsDirectoryOffset, static_cast<std::uint32_t>(tlsDirectory.size())};
    }

    const std::uint32_t fields[kTableWords] = {
        KM_UNPACK_MAGIC,
        stubRva,
        program_.EntryRva(),
        stubRva + workOffset,
        rangeCount,
        tlsDirectory.empty() ? 0 : stubRva + indexSlotOffset,
        tlsIndexRva,
        stubRva + callbackListOffset,
        static_cast<std::uint32_t>(callbacks.size()),
        callbacksOffset,
        FindImportSlot(image, "user32.dll", "MessageBoxA"),
        messageOffset,
        captionOffset,
    };
    for (std::uint32_t i = 0; i < kTableWords; ++i)
        WriteLe32(raw, tableOffset + 4 * i, fields[i]);
    return stub;
}

std::vector<std::uint8_t> CExePacker::WriteFile(const std::vector<OutputSection>& sections, const StubLayout& stub,
                                                std::uint32_t stubRva) const
{
    const std::uint32_t fileAlignment = program_.FileAlignment();
    const std::uint32_t headersSize = program_.SizeOfHeaders();
    const std::size_t sectionCount = sections.size() + 1;
    if (program_.SectionTableOffset() + sectionCount * kSectionHeaderSize > headersSize)
        throw ExePackError(program_.What() + ": its headers have no room for the packed section table");

    std::vector<std::uint8_t> out(program_.Bytes().begin(), program_.Bytes().begin() + headersSize);
    std::fill(out.begin() + program_.SectionTableOffset(), out.end(), 0);
    auto writeHeader = [&](std::size_t index, const PeSection& header) {
        std::size_t at = program_.SectionTableOffset() + index * kSectionHeaderSize;
        std::memcpy(out.data() + at, header.name.data(), std::min<std::size_t>(header.name.size(), 8));
        WriteLe32(out, at + 8, header.virtualSize);
        WriteLe32(out, at + 12, header.virtualAddress);
        WriteLe32(out, at + 16, header.rawSize);
        WriteLe32(out, at + 20, header.rawOffset);
        WriteLe32(out, at + 36, header.characteristics);
    };
    auto appendRaw = [&](PeSection header, const std::vector<std::uint8_t>& raw) {
        header.rawOffset = raw.empty() ? 0 : static_cast<std::uint32_t>(out.size());
        header.rawSize = AlignUp(static_cast<std::uint32_t>(raw.size()), fileAlignment);
        out.insert(out.end(), raw.begin(), raw.end());
        PadTo(out, fileAlignment);
        return header;
    };

    std::size_t index = 0;
    for (const OutputSection& section : sections)
        writeHeader(index++, section.packed ? section.header : appendRaw(section.header, section.raw));
    PeSection stubHeader;
    stubHeader.name = ".unpack";
    stubHeader.virtualAddress = stubRva;
    stubHeader.virtualSize = stub.virtualSize;
    stubHeader.characteristics = kStubCharacteristics;
    writeHeader(index, appendRaw(stubHeader, stub.raw));

    const std::size_t coff = program_.CoffHeaderOffset();
    const std::size_t optional = program_.OptionalHeaderOffset();
    WriteLe16(out, coff + 2, static_cast<std::uint16_t>(sectionCount));
    WriteLe32(out, coff + 8, 0);   // no symbol table
    WriteLe32(out, coff + 12, 0);
    WriteLe16(out, coff + 18, ReadLe16(out, coff + 18) | kRelocationsStripped);
    WriteLe32(out, optional + 16, stubRva);  // the entry point: the stub's first byte
    WriteLe32(out, optional + 56, AlignUp(stubRva + stub.virtualSize, program_.SectionAlignment()));
    WriteLe32(out, optional + 64, 0);  // checksum: none, as for any program that is not a driver
    WriteLe16(out, optional + 70, ReadLe16(out, optional + 70) & ~(kDynamicBase | kHighEntropyVa));
    if (program_.Directory(kDebugDirectory).size != 0) {
        WriteLe32(out, program_.DirectoryOffset(kDebugDirectory), 0);
        WriteLe32(out, program_.DirectoryOffset(kDebugDirectory) + 4, 0);
    }
    if (program_.Directory(pe::kTlsDirectory).size != 0) {
        WriteLe32(out, program_.DirectoryOffset(pe::kTlsDirectory), stub.tlsDirectory.rva);
        WriteLe32(out, program_.DirectoryOffset(pe::kTlsDirectory) + 4, stub.tlsDirectory.size);
    }
    return out;
}

// Maps the packed program as a loader would, runs the stub's own decoding over it, and compares
// every range with the program's image.
void CExePacker::CheckUnpacks(const std::vector<std::uint8_t>& packed, const std::vector<std::uint8_t>& image,
                              const std::vector<PackedRange>& ranges, std::uint32_t stubRva) const
{
    PeImage reread(packed, program_.What() + " (packed)");
    std::vector<std::uint8_t> mapped = reread.MappedImage();
    const KmUnpackTable* table = kmUnpackTableOf(mapped.data() + stubRva);
    if (!table)
        throw ExePackError(program_.What() + ": the packed program's table cannot be found");
    if (table->tlsIndexSlotRva != 0)
        std::memcpy(mapped.data() + table->tlsIndexSlotRva, image.data() + table->tlsIndexRva, 4);
    if (kmUnpackImage(mapped.data(), table) != 0)
        throw ExePackError(program_.What() + ": the packed program does not decode");
    for (const PackedRange& range : ranges)
        if (!std::equal(image.begin() + range.rva, image.begin() + range.rva + range.size, mapped.begin() + range.rva))
            throw ExePackError(program_.What() + ": the packed program does not unpack to the program");
}

PackedProgram CExePacker::Pack() const
{
    CheckProgram();
    std::vector<std::uint8_t> image = program_.MappedImage();
    std::vector<OutputSection> sections = PlanSections();
    const std::uint32_t stubRva = AlignUp(program_.SizeOfImage(), program_.SectionAlignment());
    PackedProgram result;
    StubLayout stub = BuildStub(image, sections, stubRva, result);
    result.bytes = WriteFile(sections, stub, stubRva);
    CheckUnpacks(result.bytes, image, result.ranges, stubRva);
    return result;
}
