// exepack: packs a Windows program so that it takes less room on a diskette and unpacks itself in
// memory when it starts. Usage:
//   exepack STUB PROGRAM OUTPUT [--caption TEXT]
//     STUB     the start-up code, linked for the program's machine
//     PROGRAM  the program as linked, without base relocations
//     OUTPUT   the packed program; written only when it unpacks again to PROGRAM's image
//   exepack --measure PACKED
//     how long the start-up code's decoding of PACKED takes on this machine (run natively)
#include "tools/exepack/CExePacker.h"
#include "tools/exepack/stub/UnpackImage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ExePackError(path + ": cannot be opened");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            throw ExePackError(partial + ": cannot be written");
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        throw ExePackError(path + ": cannot be replaced");
    }
}
// Decodes the packed program's ranges into a mapped copy, as its start-up code does, 21 times.
int Measure(const std::string& path)
{
    PeImage packed(ReadWholeFile(path), path);
    const PeSection* stub = packed.SectionNamed(".unpack");
    if (!stub)
        throw ExePackError(path + ": is not a packed program");
    std::vector<std::uint8_t> image = packed.MappedImage();
    const KmUnpackTable* table = kmUnpackTableOf(image.data() + stub->virtualAddress);
    if (!table)
        throw ExePackError(path + ": its start-up code has no table");
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        auto start = std::chrono::steady_clock::now();
        if (kmUnpackImage(image.data(), table) != 0)
            throw ExePackError(path + ": does not decode");
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("exepack: %s: the start-up code decodes %u ranges in %.2f ms (median of %zu runs, natively on "
                "this machine; %.2f ms the fastest)\n",
                path.c_str(), table->rangeCount, times[times.size() / 2], times.size(), times.front());
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--measure") {
        try {
            return Measure(argv[2]);
        } catch (const ExePackError& error) {
            std::fprintf(stderr, "exepack: %s\n", error.what());
            return 1;
        }
    }
    if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--caption")) {
        std::fprintf(stderr, "usage: exepack STUB PROGRAM OUTPUT [--caption TEXT]\n       exepack --measure PACKED\n");
        return 2;
    }
    try {
        PeImage stub(ReadWholeFile(argv[1]), argv[1]);
        PeImage program(ReadWholeFile(argv[2]), argv[2]);
        ExePackText text;
        if (argc == 6)
            text.caption = argv[5];
        PackedProgram packed = CExePacker(program, stub, text).Pack();
        WriteWholeFile(argv[3], packed.bytes);
        std::filesystem::permissions(argv[3], std::filesystem::status(argv[2]).permissions());
        std::uint64_t unpacked = 0, compressed = 0;
        for (const PackedRange& range : packed.ranges) {
            unpacked += range.size;
            compressed += range.packedSize;
        }
        std::printf("exepack: %s: %zu -> %zu bytes (%zu ranges, %llu -> %llu bytes; start-up code %u bytes)\n",
                    argv[3], program.Bytes().size(), packed.bytes.size(), packed.ranges.size(),
                    static_cast<unsigned long long>(unpacked), static_cast<unsigned long long>(compressed),
                    packed.stubCodeSize);
        return 0;
    } catch (const ExePackError& error) {
        std::fprintf(stderr, "exepack: %s\n", error.what());
        return 1;
    }
}
