#include "ArchiveTestSupport.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CMultiFile.h"
#include "transfer/archive/CMultiFileException.h"

#include <gtest/gtest.h>
#include <cstring>
#include <sys/stat.h>

namespace {
std::uint32_t Checksum(const Bytes& data)
{
    return UpdateArchiveChecksum(0, data.data(), data.size());
}

// Opens the next volume when a continued entry runs out, as the installer's media code does.
class SpanningArchive : public CMultiFile {
public:
    bool OnEndOfData() override
    {
        ++endEvents;
        if (nextVolume.empty() || !CurrentEntry() || !CurrentEntry()->header.continued)
            return true;
        OpenCounted(nextVolume);
        nextVolume.clear();
        std::uint8_t header[8];
        RawRead(header, sizeof header);
        return false;
    }
    void OnBlockBoundary() override { ++blockEvents; }
    std::string nextVolume;
    int endEvents = 0;
    int blockEvents = 0;
};

class CMultiFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes)
    {
        std::string path = dir.Path(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    // Extracts every entry to out<N>; returns the names read.
    std::vector<std::string> ExtractAll(CMultiFile& archive)
    {
        std::vector<std::string> names;
        CMultiFileEntry entry;
        while (archive.ReadNextEntry(entry, false)) {
            names.push_back(entry.GetName());
            entry.SetOutputPath(dir.Path("out" + std::to_string(names.size())));
            archive.Extract(entry);
        }
        return names;
    }
    ScratchDir dir;
};
}  // namespace

TEST_F(CMultiFileTest, ReadsEntriesToACleanEnd)
{
    Bytes text = TextData(30000, 1);
    Bytes packed = CompressLzh(text);
    Bytes raw = RandomData(5000, 2);
    Bytes archive = VolumeHeader();
    Append(archive, EntryHeaderBytes("a.txt", 3, packed, 30000, Checksum(text)));
    Append(archive, packed);
    Append(archive, EntryHeaderBytes("b.bin", 2, raw, 5000, Checksum(raw)));
    Append(archive, raw);
    CMultiFile reader;
    reader.OpenArchive(Write("arc", archive));
    EXPECT_EQ(ExtractAll(reader), (std::vector<std::string>{"a.txt", "b.bin"}));
    EXPECT_EQ(ReadWholeFile(dir.Path("out1")), text);
    EXPECT_EQ(ReadWholeFile(dir.Path("out2")), raw);
}

TEST_F(CMultiFileTest, TrailingGarbage)
{
    Bytes raw = RandomData(100, 3);
    for (std::size_t garbage : {std::size_t(1), std::size_t(345), std::size_t(346), std::size_t(1000)}) {
        Bytes archive = VolumeHeader();
        Append(archive, EntryHeaderBytes("a", 2, raw, 100, Checksum(raw)));
        Append(archive, raw);
        Append(archive, Bytes(garbage, 'g'));
        CMultiFile reader;
        reader.OpenArchive(Write("arc", archive));
        if (garbage < 346) {
            EXPECT_EQ(ExtractAll(reader).size(), 1u) << garbage;
            continue;
        }
        try {
            ExtractAll(reader);
            ADD_FAILURE() << garbage;
        } catch (const CMultiFileException& error) {
            EXPECT_EQ(error.cause, CMultiFileException::missingEntryHeader) << garbage;
        }
    }
}

TEST_F(CMultiFileTest, VolumeHeaderChecks)
{
    CMultiFile notArchive;
    try {
        notArchive.OpenArchive(Write("x", Bytes{'M', 'F', 'L', 'H', 1, 0, 8, 0}));
        ADD_FAILURE();
    } catch (const CMultiFileException& error) {
        EXPECT_EQ(error.cause, CMultiFileException::notAnArchive);
    }
    CMultiFile shortHeader;
    try {
        shortHeader.OpenArchive(Write("y", Bytes{'m', 'f', 'l'}));
        ADD_FAILURE();
    } catch (const CFileException& error) {
        EXPECT_EQ(error.cause, CFileException::endOfFile);
    }
    CMultiFile missing;
    try {
        missing.OpenArchive(dir.Path("none"));
        ADD_FAILURE();
    } catch (const CFileException& error) {
        EXPECT_EQ(error.cause, CFileException::fileNotFound);
    }
}

TEST_F(CMultiFileTest, ChecksumZeroIsNotCheckedAndAMismatchIsCodeFive)
{
    Bytes raw = RandomData(64, 4);
    for (std::uint32_t crc : {0u, Checksum(raw) ^ 1u}) {
        Bytes archive = VolumeHeader();
        Append(archive, EntryHeaderBytes("a", 2, raw, 64, crc));
        Append(archive, raw);
        CMultiFile reader;
        reader.OpenArchive(Write("arc", archive));
        try {
            ExtractAll(reader);
            EXPECT_EQ(crc, 0u);
        } catch (const CMultiFileException& error) {
            EXPECT_NE(crc, 0u);
            EXPECT_EQ(error.cause, CMultiFileException::checksumMismatch);
            EXPECT_EQ(ReadWholeFile(dir.Path("out1")), raw);  // closed and complete before the throw
        }
    }
}

TEST_F(CMultiFileTest, UnknownMethodsLeaveAnEmptyOutputFile)
{
    for (std::uint32_t method : {0u, 1u, 4u, 0xFFFFFFFFu}) {
        Bytes archive = VolumeHeader();
        Append(archive, EntryHeaderBytes("a", method, Bytes(10, 1), 10, 0));
        Append(archive, Bytes(10, 1));
        CMultiFile reader;
        reader.OpenArchive(Write("arc", archive));
        std::remove(dir.Path("out1").c_str());
        try {
            ExtractAll(reader);
            ADD_FAILURE() << method;
        } catch (const CMultiFileException& error) {
            EXPECT_EQ(error.cause, CMultiFileException::unknownMethod) << method;
        }
        EXPECT_TRUE(FileExists(dir.Path("out1"))) << method;
        EXPECT_TRUE(ReadWholeFile(dir.Path("out1")).empty()) << method;
    }
}

TEST_F(CMultiFileTest, EmptyStoredEntryGetsTimeAndAttributes)
{
    Bytes archive = VolumeHeader();
    Bytes header = EntryHeaderBytes("empty", 2, {}, 0, 0);
    header[ArchiveFormat::kOffAttributes] = 0x21;
    Append(archive, header);
    CMultiFile reader;
    reader.OpenArchive(Write("arc", archive));
    ExtractAll(reader);
    struct stat info {};
    ASSERT_EQ(stat(dir.Path("out1").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(info.st_mtime, 820589696);
    EXPECT_EQ(info.st_mode & 0222, 0u);
}

TEST_F(CMultiFileTest, ShortStoredDataIsEndOfFile)
{
    Bytes archive = VolumeHeader();
    Append(archive, EntryHeaderBytes("a", 2, Bytes(100, 1), 100, 0));
    Append(archive, Bytes(40, 1));
    CMultiFile reader;
    reader.OpenArchive(Write("arc", archive));
    try {
        ExtractAll(reader);
        ADD_FAILURE();
    } catch (const CFileException& error) {
        EXPECT_EQ(error.cause, CFileException::endOfFile);
    }
}

TEST_F(CMultiFileTest, EntrySpansTwoVolumes)
{
    for (std::uint32_t method : {2u, 3u}) {
        Bytes data = TextData(20000, 5);
        Bytes packed = method == 2 ? data : CompressLzh(data);
        Bytes after = RandomData(300, 6);
        std::size_t firstPart = packed.size() / 2;
        Bytes one = VolumeHeader();
        Append(one, EntryHeaderBytes("dir\\sub\\span.txt", method, packed, 20000, Checksum(data), 1));
        one.insert(one.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(firstPart));
        Bytes two = VolumeHeader();
        two.insert(two.end(), packed.begin() + static_cast<std::ptrdiff_t>(firstPart), packed.end());
        Append(two, EntryHeaderBytes("next.bin", 2, after, 300, Checksum(after)));
        Append(two, after);
        SpanningArchive reader;
        reader.OpenArchive(Write("disk.mf1", one));
        reader.nextVolume = Write("disk.mf2", two);
        CMultiFileEntry entry;
        ASSERT_TRUE(reader.ReadNextEntry(entry, false));
        EXPECT_EQ(entry.GetLastNameComponent(), "span.txt");
        entry.SetOutputPath(dir.Path("span"));
        reader.Extract(entry);
        EXPECT_EQ(ReadWholeFile(dir.Path("span")), data) << method;
        ASSERT_TRUE(reader.ReadNextEntry(entry, false)) << method;
        EXPECT_EQ(entry.GetName(), "next.bin");
        entry.SetOutputPath(dir.Path("next"));
        reader.Extract(entry);
        EXPECT_EQ(ReadWholeFile(dir.Path("next")), after);
        EXPECT_FALSE(reader.ReadNextEntry(entry, false));
        EXPECT_GE(reader.blockEvents, static_cast<int>((packed.size() + 300) / 4096)) << method;
    }
}

TEST_F(CMultiFileTest, CutVolumeWithoutContinuationStops)
{
    Bytes data = RandomData(5000, 7);
    Bytes archive = VolumeHeader();
    Append(archive, EntryHeaderBytes("a", 2, data, 5000, Checksum(data)));
    archive.insert(archive.end(), data.begin(), data.begin() + 2000);
    SpanningArchive reader;
    reader.OpenArchive(Write("arc", archive));
    EXPECT_THROW(ExtractAll(reader), CFileException);
    EXPECT_GE(reader.endEvents, 1);

    // Compressed data cut short reads as zeros; the damage shows in a table or the checksum.
    Bytes text = TextData(30000, 8);
    Bytes packed = CompressLzh(text);
    Bytes cut = VolumeHeader();
    Append(cut, EntryHeaderBytes("b", 3, packed, 30000, Checksum(text)));
    cut.insert(cut.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packed.size() / 2));
    SpanningArchive compressed;
    compressed.OpenArchive(Write("arc2", cut));
    try {
        ExtractAll(compressed);
        ADD_FAILURE();
    } catch (const CMultiFileException& error) {
        EXPECT_TRUE(error.cause == CMultiFileException::corruptTable || error.cause == CMultiFileException::checksumMismatch);
    }
}

TEST_F(CMultiFileTest, NamesKeepOnlyTheirLastComponent)
{
    struct Row { const char* stored; const char* last; } rows[] = {
        {"file.txt", "file.txt"}, {"dir\\file.txt", "file.txt"}, {"..\\..\\x", "x"}, {"C:\\x.dll", "x.dll"},
        {"C:x", "x"}, {"a/b/c", "c"}, {"dir\\", ""},
    };
    for (const Row& row : rows) {
        CMultiFileEntry entry;
        entry.SetName(row.stored);
        EXPECT_EQ(entry.GetLastNameComponent(), row.last) << row.stored;
    }
    CMultiFileEntry entry;
    entry.SetName(std::string(400, 'n'));
    EXPECT_EQ(entry.GetName().size(), 259u);
}

TEST_F(CMultiFileTest, AbortStopsTheCodecAndCancels)
{
    class AbortingArchive : public CMultiFile {
    public:
        void OnBlockBoundary() override { Abort(); }
    };
    Bytes data = RandomData(20000, 8);
    Bytes archive = VolumeHeader();
    Append(archive, EntryHeaderBytes("a", 2, data, 20000, Checksum(data)));
    Append(archive, data);
    AbortingArchive reader;
    reader.Abort();  // no codec running: nothing happens
    reader.OpenArchive(Write("arc", archive));
    EXPECT_THROW(ExtractAll(reader), CUserException);
    EXPECT_FALSE(reader.IsExtracting());
    EXPECT_LT(ReadWholeFile(dir.Path("out1")).size(), data.size());
}

TEST_F(CMultiFileTest, HeaderFieldsRoundTripByteForByte)
{
    MultiFileEntryHeader header;
    std::strcpy(header.name, "name.ext");
    header.time = 0x01020304;
    header.originalSize = 0x11223344;
    header.packedSize = 0x55667788;
    header.crc = 0x99AABBCC;
    header.method = 3;
    header.destinationId = 0xBEEF;
    header.attributes = 0x0021;
    header.continued = 1;
    auto bytes = header.ToBytes();
    EXPECT_EQ(bytes.size(), 346u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 4), "mfen");
    EXPECT_EQ(bytes[6], 0x5A);  // 346 = 0x015A
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_EQ(bytes[8], 0x04);
    EXPECT_EQ(bytes[276], 0x44);
    EXPECT_EQ(bytes[300], 0xEF);
    EXPECT_EQ(bytes[304], 0x01);
    MultiFileEntryHeader back = MultiFileEntryHeader::FromBytes(bytes);
    EXPECT_EQ(back.ToBytes(), bytes);
}
