// Interoperability with independent implementations of the same lh5 stream: Debian's lhasa and
// 7-Zip extract our streams, and we decode the streams that jlha (LHA for Java) makes.
#include "ArchiveTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
bool ToolAvailable(const char* tool)
{
    return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

int RunQuietly(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str());
}

std::uint16_t LhaCrc16(const Bytes& data)
{
    std::uint16_t crc = 0;
    for (std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

// A one-file LHA archive with a level-0 header around a raw lh5 stream.
Bytes WrapInLhaArchive(const Bytes& raw, const Bytes& original, const std::string& name)
{
    Bytes header = {'-', 'l', 'h', '5', '-'};
    Bytes field(4);
    auto put32 = [&](std::uint32_t value) {
        PutLittleEndian32(field.data(), value);
        Append(header, field);
    };
    put32(static_cast<std::uint32_t>(raw.size()));
    put32(static_cast<std::uint32_t>(original.size()));
    put32(0x21000000);  // DOS time: 1996-08-00 00:00
    header.push_back(0x20);
    header.push_back(0);  // level 0
    header.push_back(static_cast<std::uint8_t>(name.size()));
    header.insert(header.end(), name.begin(), name.end());
    std::uint16_t crc = LhaCrc16(original);
    header.push_back(static_cast<std::uint8_t>(crc));
    header.push_back(static_cast<std::uint8_t>(crc >> 8));
    unsigned sum = 0;
    for (std::uint8_t byte : header)
        sum += byte;
    Bytes archive = {static_cast<std::uint8_t>(header.size()), static_cast<std::uint8_t>(sum)};
    Append(archive, header);
    Append(archive, raw);
    archive.push_back(0);
    return archive;
}

// The raw stream of the first member of an LHA archive (header levels 0, 1 and 2).
Bytes RawStreamOfFirstMember(const Bytes& archive, std::uint32_t& originalSize)
{
    if (archive.size() < 24 || std::string(archive.begin() + 2, archive.begin() + 7) != "-lh5-")
        return {};
    std::uint32_t packed = GetLittleEndian32(&archive[7]);
    originalSize = GetLittleEndian32(&archive[11]);
    std::size_t start = 0;
    switch (archive[20]) {
    case 0:
        start = 2u + archive[0];
        break;
    case 1: {
        start = 2u + archive[0];
        for (std::uint16_t next = GetLittleEndian16(&archive[start - 2]); next != 0 && start + next <= archive.size();) {
            start += next;
            packed -= next;
            next = GetLittleEndian16(&archive[start - 2]);
        }
        break;
    }
    case 2:
        start = GetLittleEndian16(&archive[0]);
        break;
    default:
        return {};
    }
    if (start + packed > archive.size())
        return {};
    return Bytes(archive.begin() + static_cast<std::ptrdiff_t>(start),
                 archive.begin() + static_cast<std::ptrdiff_t>(start + packed));
}

struct Sample {
    const char* name;
    Bytes data;
};

std::vector<Sample> Samples()
{
    Bytes mixed = TextData(70000, 21);
    Append(mixed, RandomData(20000, 22));
    Append(mixed, RepetitiveData(30000));
    return {
        {"text.txt", TextData(120000, 20)},
        {"mixed.bin", mixed},
        {"noise.bin", RandomData(40000, 23)},
        {"zeros.bin", Bytes(70000, 0)},
        {"tiny.txt", Bytes{'h', 'i', '\n'}},
    };
}

void ExpectExtractorReads(const char* tool, const std::string& extractCommand)
{
    for (const Sample& sample : Samples()) {
        ScratchDir dir;
        WriteWholeFile(dir.Path("ours.lzh"), WrapInLhaArchive(CompressLzh(sample.data), sample.data, sample.name));
        ASSERT_EQ(RunQuietly("cd " + dir.path() + " && " + extractCommand + " ours.lzh"), 0) << tool << " " << sample.name;
        EXPECT_EQ(ReadWholeFile(dir.Path(sample.name)), sample.data) << tool << " " << sample.name;
    }
}
}  // namespace

TEST(LzhInterop, LhasaExtractsOurStreams)
{
    if (!ToolAvailable("lhasa"))
        GTEST_SKIP() << "lhasa is not installed";
    ExpectExtractorReads("lhasa", "lhasa xq");
}

TEST(LzhInterop, SevenZipExtractsOurStreams)
{
    if (!ToolAvailable("7z"))
        GTEST_SKIP() << "7z is not installed";
    ExpectExtractorReads("7z", "7z x -y");
}

TEST(LzhInterop, WeDecodeStreamsOfJlha)
{
    if (!ToolAvailable("jlha") || !ToolAvailable("java"))
        GTEST_SKIP() << "jlha is not installed";
    for (const Sample& sample : Samples()) {
        if (sample.data.size() < 100)
            continue;  // LHA stores tiny files uncompressed
        ScratchDir dir;
        WriteWholeFile(dir.Path(sample.name), sample.data);
        ASSERT_EQ(RunQuietly("cd " + dir.path() + " && jlha a theirs.lzh " + sample.name), 0) << sample.name;
        std::uint32_t originalSize = 0;
        Bytes raw = RawStreamOfFirstMember(ReadWholeFile(dir.Path("theirs.lzh")), originalSize);
        if (raw.empty() && sample.data.size() > 1000 && std::string(sample.name) == "noise.bin")
            continue;  // stored as -lh0- because it does not shrink
        ASSERT_FALSE(raw.empty()) << sample.name;
        ASSERT_EQ(originalSize, sample.data.size()) << sample.name;
        EXPECT_EQ(DecompressLzh(raw, originalSize), sample.data) << sample.name;
    }
}
