#include "tools/exepack/CExePacker.h"

#include "tools/exepack/Lh5Stream.h"
#include "tools/exepack/ResourceTree.h"
#include "tools/exepack/stub/Lh5Inflate.h"
#include "tools/exepack/stub/UnpackImage.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <set>

static_assert(sizeof(KmLh5State) <= KM_UNPACK_WORK_SIZE, "the decoder's state fits its work area");

namespace {
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kPackedCharacteristics = 0xE0000080;  // uninitialised, read, write, execute
constexpr std::uint32_t kStubCharacteristics = 0xE0000060;    // code, initialised, read, write, execute
constexpr std::uint32_t kWritable = 0x80000000;
// What is read from the file rather than from the running program: icons, icon groups, the
// version, the manifest.
const std::set<std::uint32_t> kResourcesReadFromTheFile = {3, 14, 16, 24};
constexpr std::uint16_t kRelocationsStripped = 0x0001;
constexpr std::uint16_t kDynamicBase = 0x0040;
constexpr std::uint16_t kHighEntropyVa = 0x0020;
constexpr unsigned kDebugDirectory = 6;

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
    bool packed = false;      // a range without data in the file
    bool overlaid = false;    // its data in the file is decoded over at start-up
    std::vector<std::uint8_t> raw;  // what the file holds of a section that is not packed
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
    for (const PeSection& section : stub_.Sections())
        if (&section != text && section.name != ".idata" && section.name != ".reloc")
            throw ExePackError(stub_.What() + ": has data in " + section.name + ", which the copy would not carry");
    std::vector<std::uint8_t> code = stub_.SectionBytes(*text);
    if (ReadLe32(code, KM_UNPACK_TABLE_FIELD) != KM_UNPACK_TABLE_PLACEHOLDER)
        throw ExePackError(stub_.What() + ": is not the start-up code this packer writes a table for");
    return code;
}

// What becomes of each section: the sections the loader reads before the entry point runs stay in
// the file as they are; the resources' own section, when it holds nothing else the loader reads,
// stays as a small tree of what others read from the file; every other section is packed.
std::vector<CExePacker::Disposal> CExePacker::SectionDisposals(const std::vector<std::uint8_t>& image) const
{
    std::vector<std::uint32_t> readByLoader = {
        program_.Directory(pe::kImportDirectory).rva,
        program_.Directory(pe::kImportAddressDirectory).rva,
    };
    PeDirectory tls = program_.Directory(pe::kTlsDirectory);
    if (tls.size != 0) {
        std::uint64_t start = program_.Is64() ? ReadLe64(image, tls.rva) : ReadLe32(image, tls.rva);
        if (start != 0)
            readByLoader.push_back(static_cast<std::uint32_t>(start - program_.ImageBase()));
    }
    std::vector<Disposal> disposals(program_.Sections().size(), Disposal::packed);
    auto indexOf = [&](std::uint32_t rva) {
        const PeSection* section = program_.SectionHolding(rva);
        if (!section)
            throw ExePackError(program_.What() + ": a directory lies outside its sections");
        return static_cast<std::size_t>(section - program_.Sections().data());
    };
    for (std::uint32_t rva : readByLoader)
        if (rva != 0)
            disposals[indexOf(rva)] = Disposal::kept;
    if (std::uint32_t resources = program_.Directory(pe::kResourceDirectory).rva) {
        std::size_t index = indexOf(resources);
        bool alone = disposals[index] == Disposal::packed && program_.Sections()[index].virtualAddress == resources;
        disposals[index] = alone ? Disposal::resources : Disposal::kept;
    }
    return disposals;
}

// Kept sections as they are; each run of packed sections becomes one range without raw data that
// reaches to the next section that is not packed.
std::vector<CExePacker::OutputSection> CExePacker::PlanSections(const std::vector<std::uint8_t>& image) const
{
    const std::vector<PeSection>& sections = program_.Sections();
    std::vector<Disposal> disposals = SectionDisposals(image);
    std::vector<OutputSection> plan;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (disposals[i] != Disposal::packed) {
            plan.push_back(KeptSection(image, sections[i], disposals[i] == Disposal::resources));
            continue;
        }
        std::size_t last = i;
        while (last + 1 < sections.size() && disposals[last + 1] == Disposal::packed)
            ++last;
        std::uint32_t end = last + 1 < sections.size()
                                ? sections[last + 1].virtualAddress
                                : std::min(AlignUp(sections[last].End(), program_.SectionAlignment()), program_.SizeOfImage());
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

// A kept section as it is; the resources' section as the small tree that stands in for the whole
// until the start-up code has decoded it.
CExePacker::OutputSection CExePacker::KeptSection(const std::vector<std::uint8_t>& image, const PeSection& section,
                                                  bool resources) const
{
    OutputSection out;
    out.header = section;
    out.raw = program_.SectionBytes(section);
    if (!resources)
        return out;
    std::vector<std::uint8_t> small = WriteResourceTree(
        KeepResourceTypes(ReadResourceTree(image, section.virtualAddress), kResourcesReadFromTheFile),
        section.virtualAddress);
    if (small.size() >= out.raw.size())
        return out;
    out.raw = std::move(small);
    out.overlaid = true;
    out.header.characteristics |= kWritable;
    return out;
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

// Each packed section run's bytes (and an overlaid section's) up to its last nonzero one (the rest is zero at load already),
// compressed: a record per range for the table, and the streams one after the other.
CExePacker::PackedRanges CExePacker::CompressRanges(const std::vector<std::uint8_t>& image,
                                                    const std::vector<OutputSection>& sections) const
{
    PackedRanges packed;
    for (const OutputSection& section : sections) {
        if (!section.packed && !section.overlaid)
            continue;
        auto begin = image.begin() + section.header.virtualAddress;
        auto end = begin + section.header.virtualSize;
        auto lastNonZero = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(begin),
                                        [](std::uint8_t b) { return b != 0; });
        std::vector<std::uint8_t> data(begin, lastNonZero.base());
        if (data.empty())
            continue;
        std::vector<std::uint8_t> stream = CompressLh5(data);
        PackedRange range{section.header.virtualAddress, static_cast<std::uint32_t>(data.size()),
                          static_cast<std::uint32_t>(stream.size())};
        Append32(packed.records, range.rva);
        Append32(packed.records, range.size);
        Append32(packed.records, range.packedSize);
        Append32(packed.records, kmAdler32(data.data(), range.size));
        packed.streams.insert(packed.streams.end(), stream.begin(), stream.end());
        packed.ranges.push_back(range);
    }
    return packed;
}

// The program's thread-local storage directory, where its index goes, and its callbacks.
CExePacker::ThreadStorage CExePacker::ReadThreadStorage(const std::vector<std::uint8_t>& image) const
{
    ThreadStorage storage;
    PeDirectory tls = program_.Directory(pe::kTlsDirectory);
    if (tls.size == 0)
        return storage;
    const std::size_t pointer = program_.PointerSize();
    auto readPointer = [&](std::uint32_t rva) { return pointer == 8 ? ReadLe64(image, rva) : ReadLe32(image, rva); };
    auto rvaOf = [&](std::uint64_t address, std::uint64_t size) {
        std::uint64_t rva = address - program_.ImageBase();
        if (address < program_.ImageBase() || rva > image.size() || image.size() - rva < size)
            throw ExePackError(program_.What() + ": its thread-local storage points outside the image");
        return static_cast<std::uint32_t>(rva);
    };
    const std::size_t directorySize = 4 * pointer + 8;
    if (tls.rva > image.size() || image.size() - tls.rva < directorySize)
        throw ExePackError(program_.What() + ": its thread-local storage directory lies outside the image");
    storage.directory.assign(image.begin() + tls.rva, image.begin() + tls.rva + directorySize);
    storage.indexRva = rvaOf(readPointer(tls.rva + 2 * pointer), 4);
    if (std::uint64_t list = readPointer(tls.rva + 3 * pointer)) {
        for (std::uint32_t at = rvaOf(list, pointer);; at += static_cast<std::uint32_t>(pointer)) {
            std::uint64_t callback = readPointer(at);
            if (callback == 0)
                break;
            storage.callbacks.push_back(rvaOf(callback, 1));
        }
    }
    return storage;
}

// The stub section: the start-up code, its table and the table's data (range records, callbacks,
// the loader's thread-local storage directory, the texts), the streams; then, uninitialised, the
// live callback list, the index slot and the decoder's work area.
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
    raw.resize(raw.size() + sizeof(KmUnpackTable), 0);

    PackedRanges packed = CompressRanges(image, sections);
    result.ranges = packed.ranges;
    raw.insert(raw.end(), packed.records.begin(), packed.records.end());
    ThreadStorage storage = ReadThreadStorage(image);
    const auto callbacksOffset = static_cast<std::uint32_t>(raw.size());
    for (std::uint32_t callback : storage.callbacks)
        Append32(raw, callback);
    PadTo(raw, 16);
    const auto tlsDirectoryOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), storage.directory.begin(), storage.directory.end());
    const auto messageOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), text_.message.c_str(), text_.message.c_str() + text_.message.size() + 1);
    const auto captionOffset = static_cast<std::uint32_t>(raw.size());
    raw.insert(raw.end(), text_.caption.c_str(), text_.caption.c_str() + text_.caption.size() + 1);
    const auto dataEnd = static_cast<std::uint32_t>(raw.size());
    if (dataEnd - tableOffset - sizeof(KmUnpackTable) > KM_UNPACK_TABLE_DATA_LIMIT)
        throw ExePackError(program_.What() + ": too many ranges or callbacks for the start-up code's table");
    raw.insert(raw.end(), packed.streams.begin(), packed.streams.end());
    const auto streamsEnd = static_cast<std::uint32_t>(raw.size());
    PadTo(raw, 16);

    const auto callbackListOffset = static_cast<std::uint32_t>(raw.size());
    const std::uint32_t indexSlotOffset = AlignUp(
        callbackListOffset + static_cast<std::uint32_t>((storage.callbacks.size() + 1) * program_.PointerSize()), 16);
    const std::uint32_t workOffset = indexSlotOffset + 16;
    stub.virtualSize = workOffset + KM_UNPACK_WORK_SIZE;

    const bool hasThreadStorage = !storage.directory.empty();
    if (hasThreadStorage) {
        // The loader's directory: the program's template, the stub's index slot and callback list.
        const std::size_t pointer = program_.PointerSize();
        auto writeAddress = [&](std::size_t offset, std::uint32_t rva) {
            std::uint64_t address = program_.ImageBase() + rva;
            pointer == 8 ? WriteLe64(raw, offset, address) : WriteLe32(raw, offset, static_cast<std::uint32_t>(address));
        };
        writeAddress(tlsDirectoryOffset + 2 * pointer, stubRva + indexSlotOffset);
        writeAddress(tlsDirectoryOffset + 3 * pointer, stubRva + callbackListOffset);
        stub.tlsDirectory = {stubRva + tlsDirectoryOffset, static_cast<std::uint32_t>(storage.directory.size())};
    }

    KmUnpackTable table = {};
    table.magic = KM_UNPACK_MAGIC;
    table.stubRva = stubRva;
    table.entryRva = program_.EntryRva();
    table.workRva = stubRva + workOffset;
    table.rangeCount = static_cast<std::uint32_t>(packed.ranges.size());
    table.tlsIndexSlotRva = hasThreadStorage ? stubRva + indexSlotOffset : 0;
    table.tlsIndexRva = storage.indexRva;
    table.tlsCallbackListRva = stubRva + callbackListOffset;
    table.tlsCallbackCount = static_cast<std::uint32_t>(storage.callbacks.size());
    table.tlsCallbacksOffset = callbacksOffset;
    table.messageBoxSlotRva = FindImportSlot(image, "user32.dll", "MessageBoxA");
    table.messageOffset = messageOffset;
    table.captionOffset = captionOffset;
    table.dataEnd = dataEnd;
    table.streamsEnd = streamsEnd;
    WriteTable(raw, tableOffset, table);
    table.checksum = kmUnpackTableChecksum(raw.data(), reinterpret_cast<const KmUnpackTable*>(raw.data() + tableOffset));
    WriteTable(raw, tableOffset, table);
    return stub;
}

// Field by field, little-endian, whatever the byte order of the machine that packs.
void CExePacker::WriteTable(std::vector<std::uint8_t>& raw, std::uint32_t offset, const KmUnpackTable& table)
{
    const std::uint32_t fields[] = {
        table.magic, table.stubRva, table.entryRva, table.workRva, table.rangeCount, table.tlsIndexSlotRva,
        table.tlsIndexRva, table.tlsCallbackListRva, table.tlsCallbackCount, table.tlsCallbacksOffset,
        table.messageBoxSlotRva, table.messageOffset, table.captionOffset, table.dataEnd, table.streamsEnd,
        table.checksum,
    };
    static_assert(sizeof fields == sizeof(KmUnpackTable), "every field of the table is written");
    for (std::size_t i = 0; i < sizeof fields / 4; ++i)
        WriteLe32(raw, offset + 4 * i, fields[i]);
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
    std::vector<OutputSection> sections = PlanSections(image);
    const std::uint32_t stubRva = AlignUp(program_.SizeOfImage(), program_.SectionAlignment());
    PackedProgram result;
    StubLayout stub = BuildStub(image, sections, stubRva, result);
    result.bytes = WriteFile(sections, stub, stubRva);
    CheckUnpacks(result.bytes, image, result.ranges, stubRva);
    return result;
}
