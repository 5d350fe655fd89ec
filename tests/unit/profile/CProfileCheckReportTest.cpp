#include "tools/profcheck/CProfileCheckReport.h"

#include <cstdio>
#include <gtest/gtest.h>

#include "ProfileTestFiles.h"
#include "profile/CInstallProfile.h"

namespace {
template <class Print>
std::string Captured(Print print)
{
    std::FILE* file = std::tmpfile();
    print(file);
    std::rewind(file);
    std::string text;
    char buffer[512];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}
}

TEST(CProfileCheckReport, PrintsStoreAndRecoveries)
{
    ScratchDirectory dir;
    std::string path = dir.Write("p.ini", "[Option]\nOption = 1 2\nGroup = x\n[s]\nl =\n \"a\tb\"\nnone =\n"
                                          "#include \"gone.ini\"\n");
    CInstallProfile profile(path);
    CProfileCheckReport report;
    profile.Load(&report);
    EXPECT_TRUE(report.HasSyntaxErrors());
    EXPECT_EQ(Captured([&](std::FILE* f) { CProfileCheckReport::PrintStore(f, profile.File()); }),
              "[Option]\n"
              "  " + path + ":2: Option = \"1\"\n"
              "[s]\n"
              "  " + path + ":5: l = \"a<0x09>b\"\n"
              "  " + path + ":7: none = (no value)\n");
    EXPECT_EQ(Captured([&](std::FILE* f) { report.PrintFindings(f); }),
              path + ":2: syntax error at '2'; the rest of section [Option] is lost, up to the next section header\n" +
              path + ":8: include \"gone.ini\" skipped: the file cannot be opened\n");
    EXPECT_EQ(Captured([&](std::FILE* f) { report.PrintSummary(f, profile.File()); }),
              "2 sections, 3 keys, 2 values; 1 syntax errors, 1 includes skipped\n");
}

TEST(CProfileCheckReport, ShowsValuesAsReadSpellingOutOnlyControlBytes)
{
    EXPECT_EQ(CProfileCheckReport::Quote("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane"),
              "\"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\"");
    EXPECT_EQ(CProfileCheckReport::Quote(std::string("a\"\r\n\x01\x7f\xe9", 7)), "\"a\"<0x0D><0x0A><0x01><0x7F>\xe9\"");
}

TEST(CProfileCheckReport, CleanProfileHasNoFindings)
{
    ScratchDirectory dir;
    CInstallProfile profile(dir.Write("p.ini", "[s]\nk=v\n"));
    CProfileCheckReport report;
    profile.Load(&report);
    EXPECT_FALSE(report.HasSyntaxErrors());
    EXPECT_EQ(Captured([&](std::FILE* f) { report.PrintFindings(f); }), "");
}
