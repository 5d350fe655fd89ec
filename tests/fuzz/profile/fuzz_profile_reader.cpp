// Fuzzes the profile reader with includes, and the consumers of the sections it yields.
// The input holds up to four files separated by lines "@@@": main.ini, a.ini, sub/b.ini and
// c.ini of one scratch directory under /tmp (removed at exit), so that includes between them,
// includes of themselves and includes resolved beside the including file all occur.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/TextCompare.h"
#include "framework/UserMessage.h"
#include "profile/CCommandList.h"
#include "profile/CInstallProfile.h"
#include "profile/COptionList.h"
#include "profile/CSetupSettings.h"
#include "profile/IIniReadObserver.h"

namespace {
const char* const kFileNames[] = {"main.ini", "a.ini", "sub/b.ini", "c.ini"};
const std::string kSeparator = "\n@@@\n";

std::string& ScratchDirectory()
{
    static std::string directory;
    return directory;
}

void RemoveScratch()
{
    for (const char* name : kFileNames)
        std::remove((ScratchDirectory() + "/" + name).c_str());
    rmdir((ScratchDirectory() + "/sub").c_str());
    rmdir(ScratchDirectory().c_str());
}

void CreateScratch()
{
    char pattern[] = "/tmp/kalmora-fuzz-profile-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    ScratchDirectory() = pattern;
    mkdir((ScratchDirectory() + "/sub").c_str(), 0700);
    std::atexit(RemoveScratch);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Checks what the reader promises whatever the input: keys know where they were written.
class CheckingObserver : public IIniReadObserver {
public:
    void OnSyntaxError(const std::string& fileName, const CItoken&, const std::string*) override
    {
        if (fileName.empty())
            std::abort();
    }
    void OnIncludeSkipped(const std::string& fileName, int lineNumber, const std::string&, SkipReason) override
    {
        if (fileName.empty() || lineNumber < 1)
            std::abort();
    }
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    // Names of the host's pseudo files could block or never end; the installer reads none.
    if (input.find("/proc") != std::string::npos || input.find("/sys") != std::string::npos ||
        input.find("/dev") != std::string::npos)
        return 0;
    if (ScratchDirectory().empty())
        CreateScratch();

    size_t start = 0;
    for (const char* name : kFileNames) {
        std::string path = ScratchDirectory() + "/" + name;
        if (start > input.size()) {
            std::remove(path.c_str());
            continue;
        }
        size_t end = input.find(kSeparator, start);
        if (end == std::string::npos)
            end = input.size();
        WriteFile(path, input.substr(start, end - start));
        start = end + kSeparator.size();
    }

    CInstallProfile profile(ScratchDirectory() + "/main.ini");
    CheckingObserver observer;
    profile.Load(&observer);

    CSetupSettings settings;
    COptionList options;
    CCommandList commands;
    for (const CIniSection& section : profile.File().Sections()) {
        for (const CIniKey& key : section.Keys())
            if (key.LineNumber() < 1 || key.FileName().empty())
                std::abort();
        if (EqualsIgnoreCase(section.Name(), "Option"))
            options.AddOptionFromSection(section);
        else if (EqualsIgnoreCase(section.Name(), "Billboard"))
            settings.ApplyBillboardSection(section);
        else if (EqualsIgnoreCase(section.Name(), "interface"))
            settings.ApplyInterfaceSection(section);
        else if (EqualsIgnoreCase(section.Name(), "Execute"))
            commands.AddCommandFromSection(section);
    }
    for (size_t i = 1; i < options.Options().size(); ++i)
        if (options.Options()[i].OptionNumber() < options.Options()[i - 1].OptionNumber())
            std::abort();
    return 0;
}
