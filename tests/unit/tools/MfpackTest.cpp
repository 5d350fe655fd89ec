// mfpack end to end: archives it creates (also split into volumes) extract to the same bytes,
// hostile stored names stay inside the target directory, and errors give their exit codes.
#include "../transfer/archive/ArchiveTestSupport.h"
#include "transfer/archive/ArchiveFormat.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
int Mfpack(const std::string& arguments, const std::string& output = "/dev/null")
{
    int status = std::system((std::string(MFPACK_PATH) + " " + arguments + " >" + output + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& path)
{
    return "'" + path + "'";
}

std::size_t CountFiles(const std::string& directory)
{
    std::size_t count = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(directory)) {
        (void)item;
        ++count;
    }
    return count;
}
}  // namespace

TEST(Mfpack, VolumesOfManySizesExtractToTheSameBytes)
{
    ScratchDir dir;
    struct File { const char* name; Bytes data; } files[] = {
        {"a.txt", TextData(9000, 1)}, {"empty1", {}}, {"empty2", {}}, {"b.bin", RandomData(3000, 2)},
        {"c.txt", TextData(400, 3)}, {"empty3", {}},
    };
    std::string list;
    for (const File& file : files) {
        WriteWholeFile(dir.Path(file.name), file.data);
        list += " " + Quote(dir.Path(file.name));
    }
    // Three headers follow a.txt without data between them: a volume needs 8 + 3 * 346 + 1 bytes.
    std::filesystem::create_directories(dir.Path("small"));
    EXPECT_EQ(Mfpack("create " + Quote(dir.Path("small/disk.m1")) + " --volume-size 1046" + list), 7);
    for (unsigned volumeSize : {0u, 1047u, 1100u, 1400u, 2000u, 4096u, 5000u}) {
        for (const char* mode : {"", "--store"}) {
            std::string archive = dir.Path("out/disk.m1");
            std::filesystem::remove_all(dir.Path("out"));
            std::filesystem::create_directories(dir.Path("out"));
            std::string sizeOption = volumeSize ? " --volume-size " + std::to_string(volumeSize) : "";
            ASSERT_EQ(Mfpack("create " + Quote(archive) + sizeOption + " " + mode + list), 0) << volumeSize << mode;
            for (const auto& volume : std::filesystem::directory_iterator(dir.Path("out"))) {
                if (volumeSize) {
                    EXPECT_LE(std::filesystem::file_size(volume.path()), volumeSize) << volume.path();
                }
            }
            ASSERT_EQ(Mfpack("test " + Quote(archive)), 0) << volumeSize << mode;
            ASSERT_EQ(Mfpack("extract " + Quote(archive) + " " + Quote(dir.Path("x"))), 0) << volumeSize << mode;
            for (const File& file : files)
                EXPECT_EQ(ReadWholeFile(dir.Path(std::string("x/") + file.name)), file.data)
                    << file.name << " volume size " << volumeSize << mode;
            std::filesystem::remove_all(dir.Path("x"));
        }
    }
}

TEST(Mfpack, StoredNamesCannotLeaveTheDirectory)
{
    ScratchDir dir;
    WriteWholeFile(dir.Path("src"), TextData(500, 4));
    std::string archive = dir.Path("evil.mf");
    ASSERT_EQ(Mfpack("create " + Quote(archive) + " --name '..\\..\\up.txt' " + Quote(dir.Path("src")) +
                     " --name 'C:\\Windows\\sys.dll' " + Quote(dir.Path("src")) + " --name '../../slash' " +
                     Quote(dir.Path("src")) + " --name '..' " + Quote(dir.Path("src"))),
              0);
    std::filesystem::create_directories(dir.Path("deep/target"));
    ASSERT_EQ(Mfpack("extract " + Quote(archive) + " " + Quote(dir.Path("deep/target"))), 0);
    EXPECT_TRUE(FileExists(dir.Path("deep/target/up.txt")));
    EXPECT_TRUE(FileExists(dir.Path("deep/target/sys.dll")));
    EXPECT_TRUE(FileExists(dir.Path("deep/target/slash")));
    EXPECT_EQ(CountFiles(dir.Path("deep")), 5u);  // target and its four files, nothing else
}

TEST(Mfpack, ErrorsExitWithTheArchiveCodes)
{
    ScratchDir dir;
    Bytes data = TextData(2000, 5);
    WriteWholeFile(dir.Path("plain"), data);
    ASSERT_EQ(Mfpack("create " + Quote(dir.Path("good.mf")) + " --dest 4 --attr 21 " + Quote(dir.Path("plain"))), 0);
    Bytes good = ReadWholeFile(dir.Path("good.mf"));

    Bytes notArchive = good;
    notArchive[0] = 'X';
    Bytes badMethod = good;
    badMethod[8 + ArchiveFormat::kOffMethod] = 9;
    Bytes badCrc = good;
    badCrc[8 + ArchiveFormat::kOffCrc] ^= 1;
    Bytes garbage = good;
    Append(garbage, Bytes(400, 'g'));
    Bytes shortHeader(good.begin(), good.begin() + 5);
    struct Row { const char* what; Bytes bytes; int code; } rows[] = {
        {"good", good, 0}, {"not an archive", notArchive, 2}, {"unknown method", badMethod, 1},
        {"checksum", badCrc, 5}, {"missing entry header", garbage, 3}, {"short volume header", shortHeader, 6},
    };
    for (const Row& row : rows) {
        WriteWholeFile(dir.Path("case.mf"), row.bytes);
        EXPECT_EQ(Mfpack("test " + Quote(dir.Path("case.mf"))), row.code) << row.what;
    }
    EXPECT_EQ(Mfpack("test " + Quote(dir.Path("missing.mf"))), 6);
    EXPECT_EQ(Mfpack("frobnicate"), 64);
    EXPECT_EQ(Mfpack("--help"), 0);

    WriteWholeFile(dir.Path("case.mf"), badCrc);
    Mfpack("test " + Quote(dir.Path("case.mf")), dir.Path("message"));
    Bytes message = ReadWholeFile(dir.Path("message"));
    EXPECT_NE(std::string(message.begin(), message.end()).find("Archive file damaged (CRC Mismatch)"), std::string::npos);

    Mfpack("list " + Quote(dir.Path("good.mf")), dir.Path("listing"));
    Bytes listing = ReadWholeFile(dir.Path("listing"));
    std::string text(listing.begin(), listing.end());
    EXPECT_NE(text.find("plain"), std::string::npos);
    EXPECT_NE(text.find(" r--a "), std::string::npos);
    EXPECT_NE(text.find("lh5"), std::string::npos);
}
