// The expansion report of profcheck: each entry as Setup expands it on each platform.
#include "tools/profcheck/CExpansionReport.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "ProfileTestFiles.h"

namespace {
const char kProfile[] =
    "[Registry]\nkey = \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0\"\nname = Help\n"
    "data = \"?-2?kmwin.hlp\"\noption = 0\n"
    "[Registry]\nkey = \"HKEY_CLASSES_ROOT\\Kalmora.Document\\DefaultIcon\"\ndata = \"?0?kalmora.exe,1\"\noption = 1\n"
    "[SharedDLL95]\nname = \"?-3?kmshare.dll\"\noption = 1\n"
    "[SharedDLLNT]\nname = \"?-3?kmshnt.dll\"\noption = 1\n"
    "[SharedDLLNT]\nname = \"?3?kmcore.dll\"\noption = 2\n"
    "[mediatypes]\ncount = 1\nshortname = \"Kalmora\"\nfile1 = .kmd\noption = 1\n";

std::vector<std::string> ReportLines(const std::string& profile)
{
    ScratchDirectory dir;
    return CExpansionReport(dir.Write("ov_setup.ini", profile), "C:\\Kalmora").Lines();
}
}

TEST(CExpansionReport, ExpandsEachEntryForEachPlatform)
{
    const std::vector<std::string> lines = ReportLines(kProfile);
    const std::vector<std::string> expected = {
        "Expansion with destination 0 (?0?) = C:\\Kalmora\\ (given as C:\\Kalmora)",
        "Assumed on Windows 95: Windows directory (?-2?) C:\\WINDOWS\\, system directory (?-3?) C:\\WINDOWS\\SYSTEM\\",
        "Assumed on Windows NT: Windows directory (?-2?) C:\\WINNT\\, system directory (?-3?) C:\\WINNT\\SYSTEM32\\",
        "Not known without the machine and the setup manifest, left as written: the other destinations (?1? and "
        "up), the temporary directory (?-4?), Setup's directory (?-5?), the drive Setup starts from (?LaunchDrive?)",
        "Setup writes each directory in its short (8.3) form, which only the machine knows; shown here as given",
        "[Registry] 1, Windows 95: HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0 \"Help\" = "
        "\"C:\\WINDOWS\\kmwin.hlp\" (option 0)",
        "[Registry] 1, Windows NT: HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0 \"Help\" = "
        "\"C:\\WINNT\\kmwin.hlp\" (option 0)",
        "[Registry] 2, Windows 95: HKEY_CLASSES_ROOT\\Kalmora.Document\\DefaultIcon (default) = "
        "\"C:\\Kalmora\\kalmora.exe,1\" (option 1)",
        "[Registry] 2, Windows NT: HKEY_CLASSES_ROOT\\Kalmora.Document\\DefaultIcon (default) = "
        "\"C:\\Kalmora\\kalmora.exe,1\" (option 1)",
        "[SharedDLL95] 1, Windows 95: count of \"C:\\WINDOWS\\SYSTEM\\kmshare.dll\" under "
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs (option 1)",
        "[SharedDLLNT] 1, Windows NT: count of \"C:\\WINNT\\SYSTEM32\\kmshnt.dll\" under "
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs (option 1)",
        "[SharedDLLNT] 2, Windows NT: count of \"?3?kmcore.dll\" under "
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs (option 2); left as written: ?3?",
        "[mediatypes] 1, Windows 95: HKEY_CLASSES_ROOT\\.kmd (default) = \"Kalmora\" unless another program owns it "
        "(option 1)",
        "[mediatypes] 1, Windows NT: HKEY_CLASSES_ROOT\\.kmd (default) = \"Kalmora\" unless another program owns it "
        "(option 1)",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(CExpansionReport, SaysSoWhenAPlatformCountsNoSharedDll)
{
    const std::vector<std::string> lines = ReportLines("[SharedDLLNT]\nname = \"?-3?kmshnt.dll\"\n");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "[SharedDLL95], Windows 95: no shared DLL is counted");
}

TEST(CExpansionReport, RefusesADestinationThatIsNoDrivePath)
{
    for (const char* bad : {"", "Kalmora", "\\\\server\\share", "C:", "C:Kalmora", "C:\\Kal?mora", "C:\\a:b"})
        EXPECT_NE(CExpansionReport::DestinationError(bad), "") << "\"" << bad << "\"";
    EXPECT_EQ(CExpansionReport::DestinationError("C:\\Program Files\\Kalmora"), "");
}

#ifdef PROFCHECK_PATH
#include <sys/wait.h>

TEST(CExpansionReport, ProfcheckStopsOnABadDestination)
{
    ScratchDirectory dir;
    const std::string profile = dir.Write("ov_setup.ini", kProfile);
    const std::string output = dir.Path() + "/out.txt";
    for (const char* bad : {"\"\"", "Kalmora"}) {
        std::string command =
            std::string(PROFCHECK_PATH) + " --destination " + bad + " " + profile + " >" + output + " 2>&1";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << bad;
        EXPECT_EQ(WEXITSTATUS(status), 2) << bad;
        std::ifstream in(output);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text.rfind("profcheck: --destination ", 0), 0u) << text;
        EXPECT_EQ(text.find("[Registry]"), std::string::npos) << "nothing is reported: " << text;
    }
}
#endif
