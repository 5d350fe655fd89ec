// The packer and the start-up code's decoder, run natively on small programs made here: a packed
// program must unpack to the image of the program, keep what the loader reads, and refuse what
// it cannot pack; a damaged one must be found out rather than started.
#include "tools/exepack/CExePacker.h"
#include "tools/exepack/Lh5Stream.h"
#include "tools/exepack/ResourceTree.h"
#include "tools/exepack/stub/Lh5Inflate.h"
#include "tools/exepack/stub/UnpackImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace {
constexpr std::uint32_t kBase = 0x400000;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;

struct SectionSpec {
    std::string name;
    std::vector<std::uint8_t> data;
    std::uint32_t virtualSize;
};

// A 32-bit program: DOS and PE headers, then each section a page apart.
class ProgramBuilder {
public:
    std::uint32_t Add(const std::string& name, std::vector<std::uint8_t> data, std::uint32_t virtualSize = 0)
    {
        std::uint32_t rva = NextRva();
        if (virtualSize == 0)
            virtualSize = static_cast<std::uint32_t>(data.size());
        sections_.push_back({name, std::move(data), virtualSize});
        return rva;
    }
    std::uint32_t NextRva() const
    {
        std::uint32_t rva = kSectionAlignment;
        for (const SectionSpec& s : sections_)
            rva += (s.virtualSize + kSectionAlignment - 1) / kSectionAlignment * kSectionAlignment;
        return rva;
    }
    void SetDirectory(unsigned index, std::uint32_t rva, std::uint32_t size) { directories_[index] = {rva, size}; }
    void SetEntry(std::uint32_t rva) { entry_ = rva; }
    void SetMachine(std::uint16_t machine) { machine_ = machine; }

    std::vector<std::uint8_t> Build() const
    {
        std::vector<std::uint8_t> file(0x400, 0);
        WriteLe16(file, 0, 0x5A4D);
        WriteLe32(file, 0x3C, 0x40);
        WriteLe32(file, 0x40, 0x4550);
        const std::size_t coff = 0x44, optional = coff + 20;
        WriteLe16(file, coff, machine_);
        WriteLe16(file, coff + 2, static_cast<std::uint16_t>(sections_.size()));
        WriteLe16(file, coff + 16, 0xE0);
        WriteLe16(file, optional, 0x10B);
        WriteLe32(file, optional + 16, entry_);
        WriteLe32(file, optional + 28, kBase);
        WriteLe32(file, optional + 32, kSectionAlignment);
        WriteLe32(file, optional + 36, kFileAlignment);
        WriteLe32(file, optional + 56, NextRva());
        WriteLe32(file, optional + 60, 0x400);
        WriteLe32(file, optional + 92, 16);
        for (unsigned i = 0; i < 16; ++i) {
            WriteLe32(file, optional + 96 + i * 8, directories_[i].rva);
            WriteLe32(file, optional + 100 + i * 8, directories_[i].size);
        }
        std::uint32_t rva = kSectionAlignment;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const SectionSpec& s = sections_[i];
            std::size_t at = optional + 0xE0 + i * 40;
            std::memcpy(file.data() + at, s.name.data(), s.name.size());
            std::uint32_t raw = (static_cast<std::uint32_t>(s.data.size()) + kFileAlignment - 1) / kFileAlignment * kFileAlignment;
            WriteLe32(file, at + 8, s.virtualSize);
            WriteLe32(file, at + 12, rva);
            WriteLe32(file, at + 16, raw);
            WriteLe32(file, at + 20, raw ? static_cast<std::uint32_t>(file.size()) : 0);
            WriteLe32(file, at + 36, 0xC0000040);
            file.insert(file.end(), s.data.begin(), s.data.end());
            file.resize(file.size() + raw - s.data.size(), 0);
            rva += (s.virtualSize + kSectionAlignment - 1) / kSectionAlignment * kSectionAlignment;
        }
        return file;
    }

private:
    std::vector<SectionSpec> sections_;
    PeDirectory directories_[16];
    std::uint32_t entry_ = kSectionAlignment;
    std::uint16_t machine_ = pe::kMachineI386;
};

std::vector<std::uint8_t> CodeLikeBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes;
    static const char* const words[] = {"\x55\x89\xE5", "\x8B\x45\x08", "\xE8\x10\x20\x00\x00", "\xC3", "\x83\xC4\x04"};
    while (bytes.size() < size) {
        if (random() % 7 == 0)
            bytes.push_back(static_cast<std::uint8_t>(random()));
        else {
            const char* word = words[random() % 5];
            bytes.insert(bytes.end(), word, word + std::strlen(word));
        }
    }
    bytes.resize(size);
    return bytes;
}

// An import section at rva: user32.dll's MessageBoxA, in the slot at rva + 0x80.
std::vector<std::uint8_t> ImportSection(std::uint32_t rva)
{
    std::vector<std::uint8_t> data(0x100, 0);
    WriteLe32(data, 0, rva + 0x60);    // lookup table
    WriteLe32(data, 12, rva + 0xC0);   // module name
    WriteLe32(data, 16, rva + 0x80);   // slots
    WriteLe32(data, 0x60, rva + 0xA0);
    WriteLe32(data, 0x80, rva + 0xA0);
    std::memcpy(data.data() + 0xA2, "MessageBoxA", 11);
    std::memcpy(data.data() + 0xC0, "USER32.dll", 10);
    return data;
}

ResourceEntry ResourceLeaf(std::uint32_t id, std::vector<std::uint8_t> data)
{
    ResourceEntry entry;
    entry.id = id;
    entry.data = std::move(data);
    entry.codePage = 1252;
    return entry;
}

ResourceEntry ResourceBranch(std::uint32_t id, std::vector<ResourceEntry> entries, std::vector<std::uint8_t> name = {})
{
    ResourceEntry entry;
    entry.id = id;
    entry.name = std::move(name);
    entry.directory = std::make_unique<ResourceDirectory>();
    entry.directory->entries = std::move(entries);
    return entry;
}

// A picture (large, named "TITLE"), a string table, an icon and its group, as a resource section.
std::vector<std::uint8_t> ResourceSection(std::uint32_t rva)
{
    auto inLanguage = [](std::uint32_t id, std::vector<std::uint8_t> data, std::vector<std::uint8_t> name = {}) {
        std::vector<ResourceEntry> language;
        language.push_back(ResourceLeaf(1033, std::move(data)));
        return ResourceBranch(id, std::move(language), std::move(name));
    };
    auto type = [](std::uint32_t id, ResourceEntry entry) {
        std::vector<ResourceEntry> names;
        names.push_back(std::move(entry));
        return ResourceBranch(id, std::move(names));
    };
    ResourceDirectory root;
    root.entries.push_back(type(2, inLanguage(0, CodeLikeBytes(9000, 5), {5, 0, 'T', 0, 'I', 0, 'T', 0, 'L', 0, 'E', 0})));
    root.entries.push_back(type(3, inLanguage(1, CodeLikeBytes(744, 6))));
    root.entries.push_back(type(6, inLanguage(7, CodeLikeBytes(500, 7))));
    root.entries.push_back(type(14, inLanguage(4, CodeLikeBytes(34, 8))));
    return WriteResourceTree(root, rva);
}

constexpr std::uint32_t kTlsIndexVariable = 0x10;  // in .data

struct SampleProgram {
    std::vector<std::uint8_t> bytes;
    std::uint32_t importRva = 0, dataRva = 0, tlsRva = 0, entryRva = 0, callbackRva = 0;
};

// Code, data with the thread-local storage directory and its callback, zero-filled data, imports,
// the thread-local storage template and resources.
SampleProgram MakeProgram()
{
    ProgramBuilder builder;
    SampleProgram sample;
    sample.entryRva = builder.Add(".text", CodeLikeBytes(20000, 1)) + 0x123;
    sample.callbackRva = sample.entryRva + 0x40;
    sample.dataRva = builder.NextRva();
    std::vector<std::uint8_t> data = CodeLikeBytes(3000, 2);
    std::uint32_t tlsTemplateRva = sample.dataRva + 4 * kSectionAlignment;  // after .data, .bss and .idata
    std::uint32_t directory = 0x100, callbacks = 0x140;
    WriteLe32(data, kTlsIndexVariable, 0);
    WriteLe32(data, directory, kBase + tlsTemplateRva);
    WriteLe32(data, directory + 4, kBase + tlsTemplateRva + 8);
    WriteLe32(data, directory + 8, kBase + sample.dataRva + kTlsIndexVariable);
    WriteLe32(data, directory + 12, kBase + sample.dataRva + callbacks);
    WriteLe32(data, callbacks, kBase + sample.callbackRva);
    WriteLe32(data, callbacks + 4, 0);
    builder.Add(".data", data);
    builder.Add(".bss", {}, 0x1800);
    sample.importRva = builder.Add(".idata", ImportSection(builder.NextRva()));
    sample.tlsRva = builder.Add(".tls", {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(tlsTemplateRva, sample.tlsRva);
    std::uint32_t resources = builder.NextRva();
    std::vector<std::uint8_t> tree = ResourceSection(resources);
    builder.Add(".rsrc", tree);
    builder.SetDirectory(pe::kImportDirectory, sample.importRva, 40);
    builder.SetDirectory(pe::kResourceDirectory, resources, static_cast<std::uint32_t>(tree.size()));
    builder.SetDirectory(pe::kTlsDirectory, sample.dataRva + directory, 24);
    builder.SetEntry(sample.entryRva);
    sample.bytes = builder.Build();
    return sample;
}

// The start-up code as the packer expects it: the entry word, then the table's word at offset 4.
std::vector<std::uint8_t> MakeStub(std::uint16_t machine = pe::kMachineI386, std::uint32_t placeholder = KM_UNPACK_TABLE_PLACEHOLDER)
{
    ProgramBuilder builder;
    std::vector<std::uint8_t> code = CodeLikeBytes(300, 4);
    WriteLe32(code, KM_UNPACK_TABLE_FIELD, placeholder);
    builder.Add(".text", code);
    builder.SetMachine(machine);
    return builder.Build();
}

PackedProgram Pack(const std::vector<std::uint8_t>& program, const std::vector<std::uint8_t>& stub = MakeStub())
{
    PeImage programImage(program, "program.exe");
    PeImage stubImage(stub, "stub.exe");
    return CExePacker(programImage, stubImage).Pack();
}

const PeSection& StubSection(const PeImage& packed)
{
    return packed.Sections().back();
}

std::unique_ptr<KmLh5State> NewState()
{
    return std::make_unique<KmLh5State>();
}
}  // namespace

TEST(Lh5Inflate, DecodesWhatTheArchiveCompressorWrites)
{
    std::mt19937 random(7);
    std::vector<std::vector<std::uint8_t>> samples = {
        {42},                                     // one literal
        std::vector<std::uint8_t>(100000, 0xAA),  // one symbol and one distance in every block
        CodeLikeBytes(300000, 9),                 // many blocks, long matches, all distances
    };
    std::vector<std::uint8_t> noise(70000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    samples.push_back(noise);  // literals only, with long codes
    auto state = NewState();
    for (const auto& sample : samples) {
        std::vector<std::uint8_t> stream = CompressLh5(sample);
        std::vector<std::uint8_t> out(sample.size());
        ASSERT_EQ(0, kmLh5Inflate(state.get(), stream.data(), static_cast<std::uint32_t>(stream.size()), out.data(),
                                  static_cast<std::uint32_t>(out.size())));
        EXPECT_EQ(sample, out);
    }
}

TEST(Lh5Inflate, RefusesStreamsThatEndEarlyOrAreDamaged)
{
    std::vector<std::uint8_t> sample = CodeLikeBytes(50000, 11);
    std::vector<std::uint8_t> stream = CompressLh5(sample);
    std::vector<std::uint8_t> out(sample.size() + 1000);
    auto state = NewState();
    // Asked for more than the stream holds; the stream cut short.
    EXPECT_NE(0, kmLh5Inflate(state.get(), stream.data(), static_cast<std::uint32_t>(stream.size()), out.data(),
                              static_cast<std::uint32_t>(out.size())));
    EXPECT_NE(0, kmLh5Inflate(state.get(), stream.data(), static_cast<std::uint32_t>(stream.size() / 2), out.data(),
                              static_cast<std::uint32_t>(sample.size())));
    // Damage anywhere never writes past the output (the sanitizers watch) and is mostly refused.
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> damaged = stream;
        damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        kmLh5Inflate(state.get(), damaged.data(), static_cast<std::uint32_t>(damaged.size()), out.data(),
                     static_cast<std::uint32_t>(sample.size()));
    }
}

TEST(ExePacker, KeepsWhatTheLoaderReadsAndPacksTheRest)
{
    SampleProgram sample = MakeProgram();
    PackedProgram packed = Pack(sample.bytes);
    PeImage original(sample.bytes, "program.exe");
    PeImage result(packed.bytes, "packed.exe");

    std::vector<std::string> names;
    for (const PeSection& section : result.Sections())
        names.push_back(section.name + (section.rawSize ? "" : " (no data)"));
    EXPECT_EQ((std::vector<std::string>{".packed (no data)", ".idata", ".tls", ".rsrc", ".unpack"}), names);
    for (const char* kept : {".idata", ".tls"})
        EXPECT_EQ(original.SectionBytes(*original.SectionNamed(kept)), result.SectionBytes(*result.SectionNamed(kept))) << kept;
    EXPECT_EQ(original.Directory(pe::kImportDirectory).rva, result.Directory(pe::kImportDirectory).rva);
    EXPECT_EQ(StubSection(result).virtualAddress, result.EntryRva());
    EXPECT_LT(packed.bytes.size(), sample.bytes.size());
    // The zero-filled section costs nothing: the range ends with the data's last nonzero byte.
    ASSERT_EQ(2u, packed.ranges.size());
    EXPECT_LE(packed.ranges[0].size, sample.dataRva + 3000 - kSectionAlignment);

    // In the file, the resources are the icon and its group alone, where the whole tree was; the
    // start-up code decodes the whole over them (the second range).
    PeDirectory resources = original.Directory(pe::kResourceDirectory);
    EXPECT_EQ(resources.rva, result.Directory(pe::kResourceDirectory).rva);
    EXPECT_EQ(resources.rva, packed.ranges[1].rva);
    ResourceDirectory whole = ReadResourceTree(original.MappedImage(), resources.rva);
    ResourceDirectory inFile = ReadResourceTree(result.MappedImage(), resources.rva);
    ASSERT_EQ(2u, inFile.entries.size());
    for (std::size_t i = 0; i < 2; ++i) {
        const ResourceEntry& kept = inFile.entries[i];
        const ResourceEntry& before = whole.entries[i == 0 ? 1 : 3];
        EXPECT_EQ(before.id, kept.id);
        const ResourceEntry& keptLeaf = kept.directory->entries[0].directory->entries[0];
        const ResourceEntry& beforeLeaf = before.directory->entries[0].directory->entries[0];
        EXPECT_EQ(beforeLeaf.data, keptLeaf.data);
        EXPECT_EQ(1033u, keptLeaf.id);
        EXPECT_EQ(1252u, keptLeaf.codePage);
    }
    EXPECT_LT(result.SectionNamed(".rsrc")->rawSize, original.SectionNamed(".rsrc")->rawSize);
}

// Where the resources share their section with the imports, the loader needs the section as it
// is: nothing of it is packed.
TEST(ExePacker, KeepsTheResourcesWholeWhenTheLoaderReadsTheirSection)
{
    ProgramBuilder builder;
    builder.SetEntry(builder.Add(".text", CodeLikeBytes(5000, 1)));
    const std::uint32_t rva = builder.NextRva();
    std::vector<std::uint8_t> section = ResourceSection(rva);
    const std::uint32_t treeSize = static_cast<std::uint32_t>(section.size());
    const std::uint32_t importOffset = (treeSize + 15) / 16 * 16;
    section.resize(importOffset);
    std::vector<std::uint8_t> imports = ImportSection(rva + importOffset);
    section.insert(section.end(), imports.begin(), imports.end());
    builder.Add(".rsrc", section);
    builder.SetDirectory(pe::kResourceDirectory, rva, treeSize);
    builder.SetDirectory(pe::kImportDirectory, rva + importOffset, 40);
    std::vector<std::uint8_t> program = builder.Build();

    PackedProgram packed = Pack(program);
    PeImage original(program, "program.exe"), result(packed.bytes, "packed.exe");
    EXPECT_EQ(original.SectionBytes(*original.SectionNamed(".rsrc")), result.SectionBytes(*result.SectionNamed(".rsrc")));
    ASSERT_EQ(1u, packed.ranges.size());
    EXPECT_EQ(original.SectionNamed(".text")->virtualAddress, packed.ranges[0].rva);
}

TEST(ExePacker, UnpacksToTheProgramAndHandsOnTheThreadStorage)
{
    SampleProgram sample = MakeProgram();
    PeImage original(sample.bytes, "program.exe");
    PeImage result(Pack(sample.bytes).bytes, "packed.exe");
    std::vector<std::uint8_t> image = result.MappedImage();
    std::uint8_t* stub = image.data() + StubSection(result).virtualAddress;
    const KmUnpackTable* table = kmUnpackTableOf(stub);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(sample.entryRva, table->entryRva);
    EXPECT_EQ(sample.importRva + 0x80, table->messageBoxSlotRva);
    EXPECT_STREQ("Setup", reinterpret_cast<const char*>(stub + table->captionOffset));

    // The loader sees the stub's directory: the template is the program's, index and callbacks the stub's.
    PeDirectory tls = result.Directory(pe::kTlsDirectory);
    ASSERT_TRUE(StubSection(result).Holds(tls.rva));
    EXPECT_EQ(kBase + sample.tlsRva, ReadLe32(image, tls.rva));
    EXPECT_EQ(kBase + table->tlsIndexSlotRva, ReadLe32(image, tls.rva + 8));
    EXPECT_EQ(kBase + table->tlsCallbackListRva, ReadLe32(image, tls.rva + 12));
    EXPECT_EQ(0u, ReadLe32(image, table->tlsCallbackListRva));  // empty until unpacked
    ASSERT_EQ(1u, table->tlsCallbackCount);
    EXPECT_EQ(sample.callbackRva, ReadLe32(image, StubSection(result).virtualAddress + table->tlsCallbacksOffset));

    WriteLe32(image, table->tlsIndexSlotRva, 3);  // as the loader would
    ASSERT_EQ(0, kmUnpackImage(image.data(), table));
    std::vector<std::uint8_t> expected = original.MappedImage();
    WriteLe32(expected, sample.dataRva + kTlsIndexVariable, 3);
    for (const PeSection& section : original.Sections())
        EXPECT_TRUE(std::equal(expected.begin() + section.virtualAddress, expected.begin() + section.End(),
                               image.begin() + section.virtualAddress))
            << section.name;
}

// Damage in a range's stream fails that range; damage in the table fails its checksum, and the
// start-up code then believes none of it (not even the text it would show).
TEST(ExePacker, ADamagedPackedProgramIsFoundOut)
{
    SampleProgram sample = MakeProgram();
    PeImage result(Pack(sample.bytes).bytes, "packed.exe");
    std::mt19937 random(3);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::uint8_t> image = result.MappedImage();
        std::uint8_t* stub = image.data() + StubSection(result).virtualAddress;
        const KmUnpackTable* table = kmUnpackTableOf(stub);
        ASSERT_NE(nullptr, table);
        bool inTable = round % 3 == 0;
        std::uint8_t* first = inTable ? const_cast<std::uint8_t*>(reinterpret_cast<const std::uint8_t*>(table)) + 4
                                      : stub + table->dataEnd;
        std::uint8_t* last = stub + (inTable ? table->dataEnd : table->streamsEnd);
        first[random() % (last - first)] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        EXPECT_NE(0, kmUnpackImage(image.data(), table)) << round;
        EXPECT_EQ(inTable, kmUnpackTableChecksum(stub, table) != table->checksum) << round;
    }
}

TEST(ExePacker, RefusesWhatItCannotPack)
{
    SampleProgram sample = MakeProgram();
    std::vector<std::uint8_t> relocated = sample.bytes;
    PeImage original(sample.bytes, "program.exe");
    WriteLe32(relocated, original.DirectoryOffset(pe::kRelocationDirectory), original.Sections()[0].virtualAddress);
    WriteLe32(relocated, original.DirectoryOffset(pe::kRelocationDirectory) + 4, 12);
    std::vector<std::uint8_t> truncated(sample.bytes.begin(), sample.bytes.begin() + 0x300);

    EXPECT_THROW(Pack(relocated), ExePackError);
    EXPECT_THROW(Pack(Pack(sample.bytes).bytes), ExePackError);  // packed already
    EXPECT_THROW(Pack(sample.bytes, MakeStub(pe::kMachineAmd64)), ExePackError);
    EXPECT_THROW(Pack(sample.bytes, MakeStub(pe::kMachineI386, 0)), ExePackError);
    EXPECT_THROW(Pack(truncated), ExePackError);
    EXPECT_THROW(Pack({'M', 'Z'}), ExePackError);
}
