#include "tools/mkmedia/ManifestText.h"
#include "tools/mkmedia/MediumDescription.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const char* const kProduct = R"(; Kalmora on diskettes
[medium]
setup = ../build/setup.exe
tree = product
licence = agree.txt

[destinations]
0 = Kalmora|-1|C:\KALMORA
1 = Samples|0|

[groups]
program = Program Files|The program|1|1|1
samples = Samples|Letters and posters|0|1|1

[program]
kmprog.mf1 = archive|bin\kmwin.exe|0
kmprog.mf1 = archive|help|0
readme.txt = file|docs\readme.txt|0

[samples]
samples.mf1 = archive|samples|1

[targets]
kmwin.exe = 0|-1|0|Kalmora 4.0||kmwin.ico|C:\KALMORA\kmwin.exe

[diskettes]
2 = Kalmora Disk 2
)";

std::string WithLine(const std::string& section, const std::string& line)
{
    std::string text = kProduct;
    std::size_t at = text.find("[" + section + "]");
    at = text.find('\n', at) + 1;
    return text.insert(at, line + "\n");
}

// The line of the error a description gives, or -1 when it reads without one.
int ErrorLine(const std::string& text)
{
    try {
        ReadDescription(text, "dir/product.mkd");
    } catch (const DescriptionError& error) {
        return error.Line();
    }
    return -1;
}
}  // namespace

TEST(MediumDescription, ReadsEverySectionWithPathsRelativeToTheDescription)
{
    MediumDescription description = ReadDescription(kProduct, "dir/product.mkd");
    EXPECT_EQ(description.setupProgram, "dir/../build/setup.exe");
    EXPECT_EQ(description.tree, "dir/product");
    EXPECT_EQ(description.licence, "dir/agree.txt");
    EXPECT_EQ(description.profile, "");
    ASSERT_EQ(description.destinations.size(), 2u);
    EXPECT_EQ(description.destinations[1].parent, 0);
    EXPECT_EQ(description.destinations[0].directory, "C:\\KALMORA");
    ASSERT_EQ(description.groups.size(), 2u);
    const DescribedGroup& program = description.groups[0];
    EXPECT_EQ(program.description, "The program");
    EXPECT_EQ(program.minimal, 1);
    EXPECT_EQ(description.groups[1].minimal, 0);
    // A repeated archive name adds to the same archive; a plain file is a source of its own.
    ASSERT_EQ(program.sources.size(), 2u);
    EXPECT_TRUE(program.sources[0].archive);
    ASSERT_EQ(program.sources[0].items.size(), 2u);
    EXPECT_EQ(program.sources[0].items[1].treePath, "help");
    EXPECT_FALSE(program.sources[1].archive);
    EXPECT_EQ(program.sources[1].items[0].line, 18);
    ASSERT_EQ(description.targets.size(), 1u);
    EXPECT_EQ(description.labels.at(2), "Kalmora Disk 2");
}

TEST(MediumDescription, SetupsOwnDirectoriesAreDestinationsToo)
{
    EXPECT_EQ(ErrorLine(WithLine("program", "kmsys.dll = file|bin\\kmsys.dll|-3")), -1);
    EXPECT_EQ(ErrorLine(WithLine("program", "kmsys.dll = file|bin\\kmsys.dll|-6")), 16);
}

// Each mistake is reported on its own line (the line inserted is the one after the header).
TEST(MediumDescription, NamesTheLineOfEachMistake)
{
    struct Case {
        const char* section;
        std::string line;
    } cases[] = {
        {"program", "kmtools.mf1 = archive|tools|4"},              // a destination nobody defined
        {"program", "kmtools.mf1 = archive|tools"},                // a field short
        {"program", "kmtools.mf1 = zip|tools|0"},                  // an unknown kind
        {"program", "kmtools.mf1 = archive|..\\secret|0"},         // leaves the tree
        {"program", "kmtools.mf1 = archive|C:\\tools|0"},          // a drive
        {"program", "kmtools.mf1 = archive|/etc|0"},               // from the root
        {"program", "kmtools.mf1 = archive|tools|zero"},           // not a number
        {"program", "con.mf1 = archive|tools|0"},                  // a device name
        {"program", "km?.mf1 = archive|tools|0"},                  // a reserved character
        {"program", "no equals sign"},
        {"groups", "extras = Extras|Things|0|1"},                  // a membership short
        {"groups", "extras = Extras|Things|0|2|1"},                // not 0 or 1
        {"groups", "targets = Targets|Things|0|1|1"},              // a manifest section's name
        {"destinations", "-2 = Windows|-1|C:\\WINDOWS"},
        {"destinations", "3 = Orphan|9|"},                         // a parent nobody defined
        {"targets", "kmwin.exe = 0|-1|0|Kalmora"},
        {"diskettes", "0 = Disk zero"},
        {"medium", "output = somewhere"},
        {"medium", "tree ="},
        {"destinations", "4 = " + std::string(300, 'x')},
        {"destinations", "40000 = Far|0|"},                        // Setup reads it as -25536
        {"destinations", "65534 = Windows|-1|C:\\WINDOWS"},        // Setup reads it as -2
    };
    for (const Case& c : cases) {
        std::string text = WithLine(c.section, c.line);
        std::size_t header = text.find(std::string("[") + c.section + "]");
        int expected = static_cast<int>(std::count(text.begin(), text.begin() + header, '\n')) + 2;
        EXPECT_EQ(ErrorLine(text), expected) << c.line;
    }
}

// A name given twice is reported where it comes again (the inserted line is the first).
TEST(MediumDescription, ANameGivenTwiceIsReportedWhereItComesAgain)
{
    EXPECT_EQ(ErrorLine(WithLine("program", "readme.txt = file|docs\\other.txt|0")), 19);
    EXPECT_EQ(ErrorLine(WithLine("program", "samples.mf1 = archive|more|1")), 22);  // another group's archive
    EXPECT_EQ(ErrorLine(WithLine("groups", "program = Again|Twice|1|1|1")), 13);
    EXPECT_EQ(ErrorLine(WithLine("destinations", "1 = Again|0|")), 10);
}

// A group's name heads its section in the manifest and in the uninstall log.
TEST(MediumDescription, AGroupNameThatCannotHeadASectionIsReportedOnItsDefinition)
{
    std::string text = WithLine("groups", "ex]tras = Extras|Things|0|1|1") + "[ex]tras]\nx.mf1 = archive|x|0\n";
    EXPECT_EQ(ErrorLine(text), 12);
}

TEST(MediumDescription, AGroupWithoutFilesIsReportedOnItsDefinition)
{
    std::string text = WithLine("groups", "extras = Extras|Things|0|0|1");
    EXPECT_EQ(ErrorLine(text), 12);
    try {
        ReadDescription(text, "dir/product.mkd");
    } catch (const DescriptionError& error) {
        EXPECT_STREQ(error.what(), "dir/product.mkd:12: group \"extras\" has no files");
    }
}

TEST(MediumDescription, ASectionOfNoGroupAndMissingEssentialsAreErrors)
{
    EXPECT_EQ(ErrorLine(std::string(kProduct) + "[extras]\nx.mf1 = archive|x|0\n"), 28);
    std::string noSetup = kProduct;
    noSetup.erase(noSetup.find("setup = "), noSetup.find('\n', noSetup.find("setup = ")) - noSetup.find("setup = "));
    EXPECT_EQ(ErrorLine(noSetup), 0);
    std::string noMain = kProduct;
    noMain.replace(noMain.find("0 = Kalmora"), 1, "5");
    EXPECT_EQ(ErrorLine(noMain), 0);
}

TEST(MediumDescription, InstallableNames)
{
    for (const char* good : {"kmwin.exe", "Kalmora 4.0.txt", "a", "console.exe", "com10.txt", "lpt.txt"})
        EXPECT_TRUE(IsInstallableName(good)) << good;
    for (const char* bad : {"", ".", "..", "name.", "name ", "a/b", "a\\b", "c:x", "NUL", "nul.txt", "Com1.dat",
                            "lpt9", "a|b", "a*b", "tab\there"})
        EXPECT_FALSE(IsInstallableName(bad)) << bad;
    EXPECT_FALSE(IsInstallableName(std::string(256, 'a')));
}

TEST(ManifestText, GivesEachSourceItsFiguresInItsGroup)
{
    MediumDescription description = ReadDescription(kProduct, "dir/product.mkd");
    std::vector<ManifestSource> sources = {
        {"program", "kmprog.mf1", 123456, true, 7, 1, true, 0},
        {"program", "readme.txt", 900, false, 1, 2, false, 1},
        {"samples", "samples.mf1", 5000, true, 2, 2, false, 0},
    };
    EXPECT_EQ(ManifestText(description, sources),
              "[destinations]\r\n0=Kalmora|-1|C:\\KALMORA\r\n1=Samples|0|\r\n"
              "[groups]\r\nprogram=Program Files|The program|1|1|1\r\nsamples=Samples|Letters and posters|0|1|1\r\n"
              "[program]\r\nkmprog.mf1=123456|1|7|-1|0|\r\nreadme.txt=900|0|1|2|1|\r\n"
              "[samples]\r\nsamples.mf1=5000|1|2|2|0|\r\n"
              "[targets]\r\nkmwin.exe=0|-1|0|Kalmora 4.0||kmwin.ico|C:\\KALMORA\\kmwin.exe\r\n"
              "[diskettes]\r\n2=Kalmora Disk 2\r\n");
    sources[2].totalBytes = 0x100000000ull;
    EXPECT_THROW(ManifestText(description, sources), std::runtime_error);
}
