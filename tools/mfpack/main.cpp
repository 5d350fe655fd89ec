// mfpack: the vendor's tool for the installer's multi-file archives.
#include "framework/CFrameworkException.h"
#include "tools/mfpack/MfpackCommands.h"
#include "tools/mfpack/MfpackMessages.h"
#include "transfer/archive/CMultiFileException.h"
#include "transfer/errors/CXException.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>
#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {
constexpr int kExitFileError = 6;
constexpr int kExitOtherError = 7;
constexpr int kExitCancelled = 8;
constexpr int kExitUsage = 64;

const char kUsage[] =
    "usage:\n"
    "  mfpack create ARCHIVE [options] FILE...   build an archive (options apply to the files after them)\n"
    "      --store              keep the files' bytes as they are (method 2) instead of compressing\n"
    "                           (method 3; a file that does not get smaller is stored anyway)\n"
    "      --dest N             destination id of the following files (default 0)\n"
    "      --attr HEX           attribute byte of the following files (01 read-only, 02 hidden,\n"
    "                           04 system, 20 archive; default: the file's own)\n"
    "      --name NAME          stored name of the next file (default: its last path component)\n"
    "      --list LISTFILE      add the files of a list: one per line, SOURCE|NAME|DEST|ATTR, the\n"
    "                           last three optional; empty lines and lines starting with # are skipped\n"
    "      --volume-size BYTES  split into volumes of at most BYTES (at least 701); the following\n"
    "                           volumes are named by lower-casing ARCHIVE and counting up its last\n"
    "                           character (data.mf1, data.mf2, ...); entries continue across volumes\n"
    "  mfpack list ARCHIVE                         name, sizes, method, destination, attributes,\n"
    "                                              time, checksum and continuation of every entry\n"
    "  mfpack extract ARCHIVE [DIR]                write every entry into DIR (default .) under the\n"
    "                                              last component of its stored name, following volumes\n"
    "  mfpack test ARCHIVE                         decode every entry and verify its checksum\n"
    "  mfpack --help\n"
    "\n"
    "Entry times are the files' creation times (their last-write times where there is none).\n"
    "Exit status: 0 success; 1 unknown compression method; 2 not an archive; 3 missing entry header;\n"
    "4 corrupt table; 5 checksum mismatch; 6 file error; 7 other error; 8 cancelled; 64 usage.\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "mfpack: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

std::string LastComponent(const std::string& path)
{
    std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

unsigned long ParseNumber(const std::string& text, int base, unsigned long maximum, const char* what)
{
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, base);
    if (text.empty() || *end != 0 || value > maximum || text[0] == '-')
        throw std::invalid_argument(std::string("invalid ") + what + ": " + text);
    return value;
}

void AddListFile(const std::string& listPath, bool store, std::vector<ArchiveInput>& inputs)
{
    std::ifstream list(listPath);
    if (!list)
        throw CFileException(CFileException::fileNotFound, -1, listPath);
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
            fields.push_back(line.substr(start, bar - start));
        fields.push_back(line.substr(start));
        ArchiveInput input;
        input.store = store;
        input.sourcePath = fields[0];
        input.storedName = fields.size() > 1 && !fields[1].empty() ? fields[1] : LastComponent(fields[0]);
        if (fields.size() > 2 && !fields[2].empty())
            input.destinationId = static_cast<std::uint16_t>(ParseNumber(fields[2], 10, 0xFFFF, "destination id"));
        if (fields.size() > 3 && !fields[3].empty())
            input.attributes = static_cast<int>(ParseNumber(fields[3], 16, 0xFF, "attribute byte"));
        inputs.push_back(input);
    }
}

int Create(const std::vector<std::string>& args, bool progress)
{
    if (args.size() < 2)
        return UsageError("create needs an archive name");
    CreateOptions options;
    options.archive = args[1];
    options.progress = progress;
    std::uint16_t destination = 0;
    int attributes = -1;
    bool store = false;
    std::string nextName;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw std::invalid_argument(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--store") {
            store = true;
        } else if (arg == "--dest") {
            destination = static_cast<std::uint16_t>(ParseNumber(value(), 10, 0xFFFF, "destination id"));
        } else if (arg == "--attr") {
            attributes = static_cast<int>(ParseNumber(value(), 16, 0xFF, "attribute byte"));
        } else if (arg == "--name") {
            nextName = value();
        } else if (arg == "--list") {
            AddListFile(value(), store, options.inputs);
        } else if (arg == "--volume-size") {
            options.volumeSize = static_cast<std::uint32_t>(ParseNumber(value(), 10, 0xFFFFFFFFul, "volume size"));
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return UsageError("unknown option " + arg);
        } else {
            ArchiveInput input;
            input.sourcePath = arg;
            input.storedName = nextName.empty() ? LastComponent(arg) : nextName;
            input.destinationId = destination;
            input.attributes = attributes;
            input.store = store;
            options.inputs.push_back(input);
            nextName.clear();
        }
    }
    if (options.inputs.empty())
        return UsageError("create needs at least one file");
    return RunCreate(options);
}

int Dispatch(const std::vector<std::string>& args)
{
    if (args.empty())
        return UsageError("no command given");
    const std::string& command = args[0];
    bool progress = isatty(fileno(stderr)) != 0;
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "create")
        return Create(args, progress);
    if (command == "list" && args.size() == 2)
        return RunList(args[1]);
    if (command == "extract" && (args.size() == 2 || args.size() == 3))
        return RunExtract(args[1], args.size() == 3 ? args[2] : ".", progress);
    if (command == "test" && args.size() == 2)
        return RunTest(args[1], progress);
    return UsageError("unknown command or wrong arguments: " + command);
}

// The archive error's title (or the file error's) with the file concerned.
int ReportError(const std::exception& error)
{
    std::unique_ptr<CXException> converted = FromFrameworkException(error);
    converted->PrepareMessages();
    std::string title = CXException::Slots().title;
    if (const auto* file = dynamic_cast<const CFileException*>(&error)) {
        if (title.empty())
            title = "File Error.";
        std::fprintf(stderr, "mfpack: %s %s\n", title.c_str(), file->fileName.c_str());
        return kExitFileError;
    }
    if (const auto* archive = dynamic_cast<const CMultiFileException*>(&error)) {
        std::fprintf(stderr, "mfpack: %s\n", title.c_str());
        return archive->cause >= 1 && archive->cause <= 5 ? archive->cause : kExitOtherError;
    }
    if (dynamic_cast<const CUserException*>(&error))
        return kExitCancelled;
    if (dynamic_cast<const CMemoryException*>(&error) || dynamic_cast<const std::bad_alloc*>(&error)) {
        std::fprintf(stderr, "mfpack: out of memory\n");
        return kExitOtherError;
    }
    if (dynamic_cast<const std::invalid_argument*>(&error))
        return UsageError(error.what());
    std::fprintf(stderr, "mfpack: %s\n", error.what());
    return kExitOtherError;
}
}  // namespace

int main(int argc, char** argv)
{
    SetMessageStringLoader(LoadMfpackMessage);
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Dispatch(args);
    } catch (const std::exception& error) {
        return ReportError(error);
    }
}
