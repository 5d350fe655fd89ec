// The finished medium is read back as Setup will read it before it takes its place: a file
// damaged or misplaced after it was written and checked keeps the medium out of OUTPUT.
#include "../transfer/archive/ArchiveTestSupport.h"
#include "tools/mkmedia/CMediumBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const char* const kDescription = R"([medium]
setup = setup.exe
tree = product
licence = agree.txt
[destinations]
0 = Kalmora|-1|C:\KALMORA
[groups]
program = Program Files|The program|1|1|1
[program]
kmprog.mf1 = archive|bin|0
readme.txt = file|readme.txt|0
)";

// A product whose archive spans two diskettes.
class SplitProduct {
public:
    SplitProduct()
    {
        fs::create_directories(dir_.Path("product/bin"));
        WriteWholeFile(dir_.Path("product/bin/kmwin.exe"), RandomData(1600000, 1));
        WriteWholeFile(dir_.Path("product/readme.txt"), TextData(3000, 2));
        WriteWholeFile(dir_.Path("setup.exe"), RandomData(100000, 3));
        WriteWholeFile(dir_.Path("agree.txt"), TextData(500, 4));
    }
    std::string Path(const std::string& name) const { return dir_.Path(name); }

    // Builds the diskette set, letting `damage` act on the folder it is built in before the read-back.
    void Build(std::function<void(const std::string&)> damage)
    {
        BuildOptions options;
        options.kind = MediumKind::diskettes;
        options.progress = false;
        options.beforeReadBack = std::move(damage);
        CMediumBuilder(ReadDescription(kDescription, Path("product.mkd")), Path("out"), options).Build();
    }

private:
    ScratchDir dir_;
};

void FlipLastByte(const std::string& path)
{
    Bytes bytes = ReadWholeFile(path);
    bytes.back() ^= 0x01;
    WriteWholeFile(path, bytes);
}
}  // namespace

TEST(MediumReadBack, ASoundSetIsMoved)
{
    SplitProduct product;
    product.Build(nullptr);
    EXPECT_TRUE(fs::exists(product.Path("out/disk2/kmprog.mf2")));
    EXPECT_TRUE(fs::exists(product.Path("out/disk2/diskette.002")));
}

TEST(MediumReadBack, ADamagedOrMisplacedFileKeepsTheMediumOutOfItsPlace)
{
    struct Case {
        const char* what;
        std::function<void(const std::string&)> damage;
    } cases[] = {
        {"a second volume's byte", [](const std::string& at) { FlipLastByte(at + "/disk2/kmprog.mf2"); }},
        {"a plain file's byte", [](const std::string& at) { FlipLastByte(at + "/disk2/readme.txt"); }},
        {"the second diskette's tag file",
         [](const std::string& at) { fs::rename(at + "/disk2/diskette.002", at + "/disk2/diskette.003"); }},
        {"a second volume on the wrong diskette",
         [](const std::string& at) { fs::rename(at + "/disk2/kmprog.mf2", at + "/disk1/kmprog.mf2"); }},
        {"one name twice, case ignored",
         [](const std::string& at) { fs::copy_file(at + "/disk2/readme.txt", at + "/disk2/README.TXT"); }},
        {"the manifest's figures",
         [](const std::string& at) {
             Bytes manifest = ReadWholeFile(at + "/disk1/setup.ini");
             std::string text(manifest.begin(), manifest.end());
             text.replace(text.find("readme.txt=3000"), 15, "readme.txt=3001");
             WriteWholeFile(at + "/disk1/setup.ini", Bytes(text.begin(), text.end()));
         }},
    };
    for (const Case& c : cases) {
        SplitProduct product;
        EXPECT_THROW(product.Build(c.damage), VerifyError) << c.what;
        EXPECT_FALSE(fs::exists(product.Path("out"))) << c.what;
        EXPECT_FALSE(fs::exists(product.Path("out.building"))) << c.what;
    }
}
