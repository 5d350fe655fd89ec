// profcheck: shows vendors how the installer reads their install profile (see kUsage).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "CExpansionReport.h"
#include "CProfileCheckReport.h"
#include "profile/CInstallProfile.h"
#include "profile/CItokenizer.h"

namespace {
constexpr int kExitClean = 0;
constexpr int kExitSyntaxErrors = 1;
constexpr int kExitCannotOpen = 2;

const char kUsage[] =
    "usage: profcheck [--summary] [--destination DIRECTORY] PROFILE\n"
    "       profcheck --help | -h\n"
    "\n"
    "Reads an install profile (ov_setup.ini and its includes) the way the installer reads it and\n"
    "prints every section, then each key with the file and line it comes from and its values,\n"
    "then every place where the reader recovered from a syntax error (and lost the rest of that\n"
    "section) or skipped an include.\n"
    "  --summary   print only the counts and the time the reading took\n"
    "  --destination DIRECTORY\n"
    "              then, with the product in DIRECTORY (destination 0, a drive path such as\n"
    "              C:\\KALMORA), what each [Registry], [SharedDLL95]/[SharedDLLNT] and\n"
    "              [mediatypes] entry becomes on Windows 95 and on Windows NT once Setup has\n"
    "              expanded its macros: one line per entry and platform, after a few lines that\n"
    "              say which directories are assumed (C:\\WINDOWS, C:\\WINNT and their system\n"
    "              directories) and which macros only the machine knows\n"
    "\n"
    "Each value stands between double quotes exactly as the installer reads it, backslashes and\n"
    "quotes included (HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane is shown as it is written). A control\n"
    "character, which cannot be typed into a value, is shown as <0xHH>, its code in hexadecimal:\n"
    "a tab as <0x09>.\n"
    "\n"
    "Exit status: 0 read without a syntax error; 1 read with syntax errors; 2 the profile cannot\n"
    "be opened, or the command line is wrong (a --destination that is no drive path included).\n";

int UsageError()
{
    std::fputs(kUsage, stderr);
    return kExitCannotOpen;
}
}

int main(int argc, char** argv)
{
    bool summary = false;
    const char* destination = nullptr;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return kExitClean;
        }
        if (std::strcmp(argv[i], "--summary") == 0)
            summary = true;
        else if (std::strcmp(argv[i], "--destination") == 0) {
            if (++i == argc)
                return UsageError();
            destination = argv[i];
        } else if (!path)
            path = argv[i];
        else
            return UsageError();
    }
    if (!path)
        return UsageError();
    if (destination) {
        std::string error = CExpansionReport::DestinationError(destination);
        if (!error.empty()) {
            std::fprintf(stderr, "profcheck: --destination %s %s\n", CProfileCheckReport::Quote(destination).c_str(),
                         error.c_str());
            return kExitCannotOpen;
        }
    }
    if (!CItokenizer::CanOpen(path)) {
        std::fprintf(stderr, "profcheck: cannot open %s\n", path);
        return kExitCannotOpen;
    }

    CInstallProfile profile(path);
    CProfileCheckReport report;
    auto started = std::chrono::steady_clock::now();
    profile.Load(&report);
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;

    if (summary) {
        report.PrintSummary(stdout, profile.File());
        std::printf("read in %.1f ms\n", took.count());
    } else {
        CProfileCheckReport::PrintStore(stdout, profile.File());
        report.PrintFindings(stdout);
    }
    if (destination) {
        std::printf("\n");
        CExpansionReport(path, destination).Print(stdout);
    }
    return report.HasSyntaxErrors() ? kExitSyntaxErrors : kExitClean;
}
