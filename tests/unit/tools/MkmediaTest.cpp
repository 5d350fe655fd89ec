// mkmedia end to end: a product that needs two diskettes is split where the first one ends and
// reads back whole; each kind of mistake gives its exit code and leaves no medium behind.
#include "../transfer/archive/ArchiveTestSupport.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CVolumeReader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {
const char* const kDescription = R"([medium]
setup = setup.exe
tree = product
licence = agree.txt
[destinations]
0 = Kalmora|-1|C:\KALMORA
1 = Samples|0|
[groups]
program = Program Files|The program|1|1|1
samples = Samples|Letters|0|1|1
[program]
kmprog.mf1 = archive|bin|0
readme.txt = file|docs\readme.txt|0
[samples]
samples.mf1 = archive|samples|1
[diskettes]
2 = Kalmora Disk 2
)";

class Product {
public:
    Product()
    {
        fs::create_directories(dir_.Path("product/bin"));
        fs::create_directories(dir_.Path("product/docs"));
        fs::create_directories(dir_.Path("product/samples/more"));
        Put("product/bin/kmwin.exe", RandomData(400000, 1));
        Put("product/bin/kmdata.dat", RandomData(1300000, 2));  // beyond the first diskette's room
        Put("product/docs/readme.txt", TextData(3000, 3));
        Put("product/samples/letter.kmd", TextData(30000, 4));
        Put("product/samples/more/poster.kmd", TextData(20000, 5));
        Put("setup.exe", RandomData(200000, 6));
        Put("agree.txt", TextData(500, 7));
        Describe(kDescription);
    }
    void Put(const std::string& name, const Bytes& data) { WriteWholeFile(dir_.Path(name), data); }
    void Describe(const std::string& text) { Put("product.mkd", Bytes(text.begin(), text.end())); }
    std::string Path(const std::string& name) const { return dir_.Path(name); }

    int Mkmedia(const std::string& options, const std::string& output = "out")
    {
        std::string command = std::string(MKMEDIA_PATH) + " --quiet " + options + " '" + Path("product.mkd") + "' '" +
                              Path(output) + "' >'" + Path("said.txt") + "' 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Said() const
    {
        Bytes said = ReadWholeFile(Path("said.txt"));
        return std::string(said.begin(), said.end());
    }

private:
    ScratchDir dir_;
};

// Every entry of an archive, read back through the volumes that have been put in one folder.
std::map<std::string, Bytes> ReadArchive(const std::string& firstVolume)
{
    struct Collect : CMultiFileEntry {
        Bytes bytes;
        void Open(const std::string&, OpenMode) override {}
        void Close() override {}
        void ApplyStatus() override {}
        void Write(const void* buffer, std::size_t count) override
        {
            auto* data = static_cast<const std::uint8_t*>(buffer);
            bytes.insert(bytes.end(), data, data + count);
            crc = UpdateArchiveChecksum(crc, buffer, count);
        }
    };
    std::map<std::string, Bytes> entries;
    CVolumeReader reader(false);
    reader.OpenArchive(firstVolume);
    Collect entry;
    while (reader.ReadNextEntry(entry, false)) {
        entry.bytes.clear();
        reader.Extract(entry);
        entries[entry.header.name] = entry.bytes;
    }
    return entries;
}
}  // namespace

TEST(Mkmedia, ADisketteSetSplitsTheArchiveThatReachesTheNextDiskette)
{
    Product product;
    ASSERT_EQ(product.Mkmedia("--diskettes"), 0) << product.Said();
    std::string out = product.Path("out");
    for (const char* name : {"disk1/setup.exe", "disk1/setup.ini", "disk1/agree.txt", "disk1/diskette.001",
                             "disk1/kmprog.mf1", "disk2/diskette.002", "disk2/kmprog.mf2", "disk2/readme.txt",
                             "disk2/samples.mf1"})
        EXPECT_TRUE(fs::is_regular_file(out + "/" + name)) << name;
    // The first volume fills the first diskette: 2847 clusters less setup.exe, its manifest and the licence.
    EXPECT_EQ(fs::file_size(out + "/disk1/kmprog.mf1"), 2847u * 512 - 200192 - 512 - 512);
    Bytes manifest = ReadWholeFile(out + "/disk1/setup.ini");
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("kmprog.mf1=1700000|1|2|-1|0|\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("readme.txt=3000|0|1|2|0|\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[diskettes]\r\n2=Kalmora Disk 2\r\n"), std::string::npos) << text;

    fs::copy_file(out + "/disk2/kmprog.mf2", out + "/disk1/kmprog.mf2");
    auto entries = ReadArchive(out + "/disk1/kmprog.mf1");
    EXPECT_EQ(entries["kmwin.exe"], ReadWholeFile(product.Path("product/bin/kmwin.exe")));
    EXPECT_EQ(entries["kmdata.dat"], ReadWholeFile(product.Path("product/bin/kmdata.dat")));
    EXPECT_EQ(ReadArchive(out + "/disk2/samples.mf1")["poster.kmd"],
              ReadWholeFile(product.Path("product/samples/more/poster.kmd")));
}

// The images hold what the folders hold, under the labels the description gave, and are full
// exactly where the plan said (mtools reads them as any diskette tool would).
TEST(Mkmedia, DisketteImagesListTheirFilesUnderTheirLabels)
{
    Product product;
    ASSERT_EQ(product.Mkmedia("--diskettes --images"), 0) << product.Said();
    std::string out = product.Path("out");
    auto listing = [&](int disk) {
        std::string command = "mdir -i '" + out + "/disk" + std::to_string(disk) + ".img' :: >'" + out + "/listing' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        Bytes text = ReadWholeFile(out + "/listing");
        return std::string(text.begin(), text.end());
    };
    std::string first = listing(1);
    for (const char* line : {"setup    exe   ", "setup    ini", "agree    txt", "diskette 001", "kmprog   mf1", "DISK 1",
                             " 0 bytes free"})
        EXPECT_NE(first.find(line), std::string::npos) << line << "\n" << first;
    std::string second = listing(2);
    for (const char* line : {"KALMORA D 2", "diskette 002", "kmprog   mf2", "readme   txt", "samples  mf1"})
        EXPECT_NE(second.find(line), std::string::npos) << line << "\n" << second;
    std::string copy = "mcopy -i '" + out + "/disk2.img' ::kmprog.mf2 '" + out + "/copied.mf2'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    EXPECT_EQ(ReadWholeFile(out + "/copied.mf2"), ReadWholeFile(out + "/disk2/kmprog.mf2"));
    EXPECT_EQ(product.Mkmedia("--cd --images", "cd"), 1);
}

TEST(Mkmedia, ACdHasNumberedFoldersAndNoTagFiles)
{
    Product product;
    // A diskette set laid out on a CD.
    ASSERT_EQ(product.Mkmedia("--cd --size 1.44M"), 0) << product.Said();
    EXPECT_TRUE(fs::is_regular_file(product.Path("out/DISK02/kmprog.mf2")));
    EXPECT_FALSE(fs::exists(product.Path("out/DISK01/diskette.001")));
    // Folders of a CD's size: all of it in the first.
    ASSERT_EQ(product.Mkmedia("--cd", "cd"), 0) << product.Said();
    EXPECT_TRUE(fs::is_regular_file(product.Path("cd/DISK01/kmprog.mf1")));
    EXPECT_FALSE(fs::exists(product.Path("cd/DISK02")));
    ASSERT_EQ(product.Mkmedia("--directory", "flat"), 0) << product.Said();
    EXPECT_TRUE(fs::is_regular_file(product.Path("flat/kmprog.mf1")));
    EXPECT_FALSE(fs::exists(product.Path("flat/kmprog.mf2")));
}

TEST(Mkmedia, EachMistakeHasItsExitCodeAndLeavesNoMedium)
{
    struct Case {
        const char* wrong;
        const char* right;
        int code;
        const char* said;
    } cases[] = {
        {"kmprog.mf1 = archive|bin|0", "kmprog.mf1 = archive|bin/missing.exe|0", 2, "product.mkd:12: \"bin/missing.exe\" is no file"},
        {"samples.mf1 = archive|samples|1", "", 2, "product.mkd:10: group \"samples\" has no files"},
        {"samples.mf1 = archive|samples|1", "samples.mf1 = archive|samples|8", 2, "product.mkd:15: destination 8 is not defined"},
        {"readme.txt = file|docs\\readme.txt|0", "read:me.txt = file|docs\\readme.txt|0", 2, "cannot be a file name"},
        {"[diskettes]", "[extras]", 2, "[extras] is no group"},
        {"licence = agree.txt", "", 2, "product.mkd:1: [medium] names no licence"},
        // Names that meet on the medium, case ignored: each would overwrite or stand for another.
        {"readme.txt =", "kmprog.mf2 =", 2, "product.mkd:12: \"kmprog.mf2\" is the name under which kmprog.mf1 goes on"},
        {"readme.txt =", "Diskette.002 =", 2, "product.mkd:13: \"Diskette.002\" is the name of a diskette's tag file"},
        {"readme.txt =", "SETUP.EXE =", 2, "product.mkd:13: \"SETUP.EXE\" is a source, but the medium already has a file of that name: the setup program (line 2)"},
        {"readme.txt =", "setup.ini =", 2, "the setup manifest (line 2)"},
        {"readme.txt =", "agree.txt =", 2, "the licence (line 4)"},
    };
    for (const Case& c : cases) {
        Product product;
        std::string text = kDescription;
        text.replace(text.find(c.wrong), std::string(c.wrong).size(), c.right);
        product.Describe(text);
        EXPECT_EQ(product.Mkmedia("--diskettes"), c.code) << c.right;
        EXPECT_NE(product.Said().find(c.said), std::string::npos) << product.Said();
        EXPECT_FALSE(fs::exists(product.Path("out"))) << c.right;
        EXPECT_FALSE(fs::exists(product.Path("out.building"))) << c.right;
    }
    Product unloggable;  // the uninstall log could not name this file again, so Setup refuses it
    unloggable.Put("product/bin/[old]kmwin.ini", TextData(100, 9));
    EXPECT_EQ(unloggable.Mkmedia("--diskettes"), 2);
    EXPECT_NE(unloggable.Said().find("product.mkd:12:"), std::string::npos) << unloggable.Said();
    EXPECT_FALSE(fs::exists(unloggable.Path("out")));
    Product tooLarge;
    tooLarge.Put("product/bin/movie.avi", RandomData(3000000, 8));
    EXPECT_EQ(tooLarge.Mkmedia("--diskettes"), 3);
    EXPECT_NE(tooLarge.Said().find("larger than two 1.44 MB diskettes"), std::string::npos) << tooLarge.Said();
    EXPECT_FALSE(fs::exists(tooLarge.Path("out")));
    EXPECT_EQ(tooLarge.Mkmedia("--directory"), 0) << tooLarge.Said();  // a folder holds any size
    EXPECT_EQ(tooLarge.Mkmedia("--directory"), 4);                     // but is not overwritten unasked
    EXPECT_EQ(tooLarge.Mkmedia("--directory --replace"), 0) << tooLarge.Said();
}
