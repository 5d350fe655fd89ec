#include "ArchiveTestSupport.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CMultiFileStream.h"

#include <gtest/gtest.h>

namespace {
// Records where the events fire and can continue into a second file once.
class RecordingStream : public CMultiFileStream {
public:
    void OnBlockBoundary() override { boundaries.push_back(bytesRead); }
    bool OnEndOfData() override
    {
        ends.push_back(bytesRead);
        if (nextFile.empty())
            return true;
        OpenCounted(nextFile);
        nextFile.clear();
        return false;
    }
    std::vector<std::uint32_t> boundaries;
    std::vector<std::uint32_t> ends;
    std::string nextFile;
};
}  // namespace

TEST(CMultiFileStream, CountedReadSplitsAtBlockBoundaries)
{
    ScratchDir dir;
    Bytes data = RandomData(10000, 1);
    WriteWholeFile(dir.Path("a"), data);
    struct Row { std::size_t first; std::size_t second; } rows[] = {{4096, 5904}, {100, 9000}, {8192, 1}, {5000, 5000}};
    for (const Row& row : rows) {
        RecordingStream stream;
        stream.blockSize = 4096;
        stream.Open(dir.Path("a"), CPathFile::modeRead);
        Bytes got(row.first + row.second);
        ASSERT_EQ(stream.Read(got.data(), row.first), row.first);
        ASSERT_EQ(stream.Read(got.data() + row.first, row.second), row.second);
        got.resize(10000);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t at = 4096; at <= row.first + row.second && at <= 10000; at += 4096)
            expected.push_back(at);
        EXPECT_EQ(stream.boundaries, expected) << "reads " << row.first << "+" << row.second;
        EXPECT_EQ(stream.crc, UpdateArchiveChecksum(0, data.data(), std::min<std::size_t>(10000, row.first + row.second)));
    }
}

TEST(CMultiFileStream, EndOfDataStopsOrContinuesInTheNextFile)
{
    ScratchDir dir;
    WriteWholeFile(dir.Path("one"), Bytes(3000, 'a'));
    WriteWholeFile(dir.Path("two"), Bytes(3000, 'b'));
    RecordingStream stopping;
    stopping.Open(dir.Path("one"), CPathFile::modeRead);
    Bytes buffer(5000);
    EXPECT_EQ(stopping.Read(buffer.data(), buffer.size()), 3000u);
    EXPECT_EQ(stopping.ends, std::vector<std::uint32_t>{3000});

    RecordingStream spanning;
    spanning.blockSize = 4096;
    spanning.Open(dir.Path("one"), CPathFile::modeRead);
    spanning.nextFile = dir.Path("two");
    EXPECT_EQ(spanning.Read(buffer.data(), buffer.size()), 5000u);
    EXPECT_EQ(buffer[2999], 'a');
    EXPECT_EQ(buffer[3000], 'b');
    EXPECT_EQ(spanning.readBase, 3000u);
    EXPECT_EQ(spanning.boundaries, std::vector<std::uint32_t>{4096});
}

TEST(CMultiFileStream, LimitEndsTheDataAndRawReadsAreNotCounted)
{
    ScratchDir dir;
    WriteWholeFile(dir.Path("a"), Bytes(100, 'x'));
    RecordingStream stream;
    stream.Open(dir.Path("a"), CPathFile::modeRead);
    stream.limit = 10;
    Bytes buffer(50);
    EXPECT_EQ(stream.Read(buffer.data(), 50), 10u);
    EXPECT_EQ(stream.ends, std::vector<std::uint32_t>{10});
    EXPECT_EQ(stream.RawRead(buffer.data(), 20), 20u);
    EXPECT_EQ(stream.bytesRead, 10u);
}

TEST(CMultiFileStream, CountedWriteChecksumsAndCounts)
{
    ScratchDir dir;
    CMultiFileStream stream;
    stream.Open(dir.Path("w"), CPathFile::modeCreate);
    stream.Write("abc", 3);
    stream.RawWrite("zz", 2);
    stream.Close();
    EXPECT_EQ(stream.crc, 0x3E105F31u);
    EXPECT_EQ(stream.bytesWritten, 3u);
    EXPECT_EQ(ReadWholeFile(dir.Path("w")).size(), 5u);
}
