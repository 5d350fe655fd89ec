// profcheck [--summary] PROFILE
// Reads an install profile as the installer does and prints the store (every section, key and
// value in file order, with the file and line of each key), then every place where the reader
// recovered from a syntax error or skipped an include. With --summary it prints only the
// counts and the time the reading took.
// Exit status: 0 read without a syntax error, 1 with syntax errors, 2 file cannot be opened.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "CProfileCheckReport.h"
#include "profile/CInstallProfile.h"
#include "profile/CItokenizer.h"

namespace {
constexpr int kExitClean = 0;
constexpr int kExitSyntaxErrors = 1;
constexpr int kExitCannotOpen = 2;

int Usage()
{
    std::fprintf(stderr, "usage: profcheck [--summary] PROFILE\n");
    return kExitCannotOpen;
}
}

int main(int argc, char** argv)
{
    bool summary = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--summary") == 0)
            summary = true;
        else if (!path)
            path = argv[i];
        else
            return Usage();
    }
    if (!path)
        return Usage();
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
    return report.HasSyntaxErrors() ? kExitSyntaxErrors : kExitClean;
}
