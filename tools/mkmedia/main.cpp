// mkmedia: makes the medium that Setup installs a product from, out of the product's file tree
// and a description of it.
#include "framework/CFrameworkException.h"
#include "tools/mkmedia/CMediumBuilder.h"
#include "transfer/archive/CMultiFileException.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {
enum ExitCode { built = 0, usage = 1, wrongDescription = 2, doesNotFit = 3, fileError = 4, readsBackWrong = 5 };

const char* const kHelp = R"(usage: mkmedia [options] DESCRIPTION OUTPUT

Makes the medium that Setup installs the product from: packs the archives, fills in the setup
manifest, places everything on diskettes, in the numbered folders of a CD, or in one folder, and
reads every archive back against the product's tree. OUTPUT is written only when all is right.

  --directory        everything in OUTPUT (the default)
  --cd               OUTPUT/DISK01, DISK02, ...: numbered folders of 650 MB each (or of --size,
                     a diskette set laid out on a CD), which Setup goes through without prompts
  --diskettes        OUTPUT/disk1, disk2, ...: one folder per diskette, with its tag file
  --size SIZE        the size of each diskette or folder: 1.44M (the default for --diskettes),
                     720K, or a number of bytes
  --images           with --diskettes: also OUTPUT/disk1.img, disk2.img, ...: FAT12 images of the
                     diskettes with their labels (1.44M and 720K; needs mtools)
  --store            store the files instead of compressing them
  --replace          replace what OUTPUT already holds
  --quiet            no progress on the terminal
  --help             this text

The description is an INI file:
  [medium]        setup = <setup.exe>, tree = <the product's folder>, profile = <install profile,
                  copied as ov_setup.ini>, licence = <licence text, copied as agree.txt>
  [destinations]  number = name|parent|directory
  [groups]        name = caption|description|minimal|typical|custom (each 0 or 1)
  [<group>]       <archive> = archive|<file or folder of the tree>|destination  (repeat to add)
                  <file> = file|<file of the tree>|destination
  [targets]       program = icon index|hot key|minimized|item name|arguments|icon file|path
  [diskettes]     number = label

Exit codes: 0 built, 1 wrong command line, 2 wrong description or tree, 3 the product does not
fit the medium, 4 a file could not be read or written, 5 an archive did not read back.
)";

int Usage(const std::string& problem)
{
    std::fprintf(stderr, "mkmedia: %s (mkmedia --help tells more)\n", problem.c_str());
    return usage;
}

bool ParseSize(const std::string& text, DisketteFormat& format)
{
    if (text == "1.44M" || text == "1440K")
        format = DisketteFormat::Megabytes144();
    else if (text == "720K")
        format = DisketteFormat::Kilobytes720();
    else if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() < 12)
        format = DisketteFormat::OfSize(std::stoull(text));
    else
        return false;
    return format.dataBytes >= 4096;
}

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "mkmedia: %s\n", message.c_str());
    return code;
}
}  // namespace

int main(int argc, char** argv)
{
    BuildOptions options;
    bool sized = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help") {
            std::fputs(kHelp, stdout);
            return built;
        } else if (argument == "--directory") {
            options.kind = MediumKind::directory;
        } else if (argument == "--cd") {
            options.kind = MediumKind::cd;
        } else if (argument == "--diskettes") {
            options.kind = MediumKind::diskettes;
        } else if (argument == "--size") {
            if (++i >= argc || !ParseSize(argv[i], options.format))
                return Usage("--size takes 1.44M, 720K or a number of bytes (4096 or more)");
            sized = true;
        } else if (argument == "--store") {
            options.store = true;
        } else if (argument == "--images") {
            options.images = true;
        } else if (argument == "--replace") {
            options.replace = true;
        } else if (argument == "--quiet") {
            options.progress = false;
        } else if (argument.rfind("--", 0) == 0) {
            return Usage("unknown option " + argument);
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.size() != 2)
        return Usage("give a description and an output folder");
    if (options.images && options.kind != MediumKind::diskettes)
        return Usage("--images goes with --diskettes");
#ifdef _WIN32
    if (options.images)  // refused before anything is packed
        return Usage("--images needs mtools, which this build cannot run: make the images on Linux");
#endif
    if (options.kind == MediumKind::cd && !sized)
        options.format = DisketteFormat::CdRom();

    try {
        std::ifstream file(paths[0], std::ios::binary);
        if (!file)
            return Fail(wrongDescription, paths[0] + ": cannot be read");
        std::stringstream text;
        text << file.rdbuf();
        CMediumBuilder builder(ReadDescription(text.str(), paths[0]), paths[1], options);
        builder.Build();
        builder.PrintSummary(stdout);
        return built;
    } catch (const DescriptionError& error) {
        return Fail(wrongDescription, error.what());
    } catch (const PlanError& error) {
        return Fail(doesNotFit, error.what());
    } catch (const VerifyError& error) {
        return Fail(readsBackWrong, error.what());
    } catch (const CMultiFileException& error) {
        return Fail(readsBackWrong, "an archive does not read back (archive error " + std::to_string(error.cause) + ")");
    } catch (const CFileException& error) {
        return Fail(fileError, "cannot read or write " + error.fileName);
    } catch (const std::exception& error) {
        return Fail(fileError, error.what());
    }
}
