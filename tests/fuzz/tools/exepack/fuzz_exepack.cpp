// The input is both a stream for the start-up code's decoder (after two bytes that give the size
// it must decode to) and a program file for the packer, which must refuse or pack it, and whose
// packing checks itself by decoding again. Neither may read or write out of bounds.
#include "tools/exepack/CExePacker.h"
#include "tools/exepack/stub/Lh5Inflate.h"
#include "tools/exepack/stub/UnpackTable.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {
// The smallest start-up code the packer takes: an entry, the table's word, nothing else.
std::vector<std::uint8_t> Stub(std::uint16_t machine)
{
    std::vector<std::uint8_t> file(0x600, 0);
    WriteLe16(file, 0, 0x5A4D);
    WriteLe32(file, 0x3C, 0x40);
    WriteLe32(file, 0x40, 0x4550);
    WriteLe16(file, 0x44, machine);
    WriteLe16(file, 0x46, 1);
    WriteLe16(file, 0x54, 0xE0);
    WriteLe16(file, 0x58, 0x10B);
    WriteLe32(file, 0x58 + 16, 0x1000);
    WriteLe32(file, 0x58 + 28, 0x400000);
    WriteLe32(file, 0x58 + 32, 0x1000);
    WriteLe32(file, 0x58 + 36, 0x200);
    WriteLe32(file, 0x58 + 56, 0x2000);
    WriteLe32(file, 0x58 + 60, 0x400);
    WriteLe32(file, 0x58 + 92, 16);
    const std::size_t section = 0x58 + 0xE0;
    file[section] = '.', file[section + 1] = 't', file[section + 2] = 'e', file[section + 3] = 'x', file[section + 4] = 't';
    WriteLe32(file, section + 8, 0x10);
    WriteLe32(file, section + 12, 0x1000);
    WriteLe32(file, section + 16, 0x200);
    WriteLe32(file, section + 20, 0x400);
    WriteLe32(file, 0x400 + KM_UNPACK_TABLE_FIELD, KM_UNPACK_TABLE_PLACEHOLDER);
    return file;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static auto state = std::make_unique<KmLh5State>();
    std::vector<std::uint8_t> out((data[0] | data[1] << 8) * 4u);
    kmLh5Inflate(state.get(), data + 2, static_cast<std::uint32_t>(size - 2), out.data(),
                 static_cast<std::uint32_t>(out.size()));

    try {
        PeImage program(std::vector<std::uint8_t>(data, data + size), "fuzz.exe");
        if (program.SizeOfImage() > (4u << 20))
            return 0;  // large images are slow to pack, not different
        PeImage stub(Stub(program.Machine()), "stub.exe");
        CExePacker(program, stub).Pack();
    } catch (const ExePackError&) {
    }
    return 0;
}
