#pragma once
// Packs a Windows program: the sections the loader reads before the program runs (imports, the
// thread-local storage template) stay as they are; every other section becomes a range of
// uninitialised memory at its own address, and a stub section at the end carries the ranges
// compressed, the code that decodes them in place at start-up, and then jumps to the program's own
// entry point. The resources are a range too, decoded over a small tree of the few that are read
// from the file itself (the icons that Explorer shows, the version, a manifest). Addresses do not move, so the program needs no relocations; it must
// have none, as it is mapped at its own base.
#include "tools/exepack/PeImage.h"
#include "tools/exepack/stub/UnpackTable.h"

#include <cstdint>
#include <string>
#include <vector>

struct ExePackText {
    std::string message = "This program is damaged and cannot start. Copy it again from its original disk.";
    std::string caption = "Setup";
};

struct PackedRange {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    std::uint32_t packedSize = 0;
};

struct PackedProgram {
    std::vector<std::uint8_t> bytes;
    std::vector<PackedRange> ranges;
    std::uint32_t stubCodeSize = 0;
};

class CExePacker {
public:
    // stub: the start-up code, linked as a program of its own for the same machine.
    CExePacker(const PeImage& program, const PeImage& stub, ExePackText text = {});
    // The packed program, checked by unpacking it again as its start-up code will.
    PackedProgram Pack() const;

private:
    struct OutputSection;
    struct StubLayout;
    struct PackedRanges {
        std::vector<PackedRange> ranges;
        std::vector<std::uint8_t> records;
        std::vector<std::uint8_t> streams;
    };
    struct ThreadStorage {
        std::vector<std::uint8_t> directory;  // empty: the program has none
        std::uint32_t indexRva = 0;
        std::vector<std::uint32_t> callbacks;
    };

    enum class Disposal { packed, kept, resources };

    void CheckProgram() const;
    std::vector<std::uint8_t> StubCode() const;
    std::vector<Disposal> SectionDisposals(const std::vector<std::uint8_t>& image) const;
    std::vector<OutputSection> PlanSections(const std::vector<std::uint8_t>& image) const;
    PackedRanges CompressRanges(const std::vector<std::uint8_t>& image, const std::vector<OutputSection>& sections) const;
    ThreadStorage ReadThreadStorage(const std::vector<std::uint8_t>& image) const;
    static void WriteTable(std::vector<std::uint8_t>& raw, std::uint32_t offset, const KmUnpackTable& table);
    StubLayout BuildStub(const std::vector<std::uint8_t>& image, const std::vector<OutputSection>& sections,
                         std::uint32_t stubRva, PackedProgram& result) const;
    OutputSection KeptSection(const std::vector<std::uint8_t>& image, const PeSection& section, bool resources) const;
    std::uint32_t FindImportSlot(const std::vector<std::uint8_t>& image, const std::string& module,
                                 const std::string& function) const;
    std::vector<std::uint8_t> WriteFile(const std::vector<OutputSection>& sections, const StubLayout& stub,
                                        std::uint32_t stubRva) const;
    void CheckUnpacks(const std::vector<std::uint8_t>& packed, const std::vector<std::uint8_t>& image,
                      const std::vector<PackedRange>& ranges, std::uint32_t stubRva) const;

    const PeImage& program_;
    const PeImage& stub_;
    ExePackText text_;
};
