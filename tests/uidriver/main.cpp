// uidriver: follows a script of UI commands against the program under test, which runs in the
// same Wine prefix, and writes one result line per command.
//   uidriver [-o RESULTS] [-k] [-t TIMEOUT_MS] [SCRIPT | -]
// Exit code: 0 every command succeeded, 1 a command failed, 2 the script or the options are bad.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/uidriver/CScriptLine.h"
#include "tests/uidriver/CUiDriver.h"

namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;

struct Options {
    std::string scriptPath = "-";
    std::string resultPath;
    bool keepGoing = false;
    DWORD timeoutMs = kDefaultTimeoutMs;
};

struct FileCloser {
    void operator()(FILE* file) const {
        if (file != stdin && file != stdout) std::fclose(file);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool hasValue = i + 1 < argc;
        long number = 0;
        if (argument == "-o" && hasValue) {
            options.resultPath = argv[++i];
        } else if (argument == "-k") {
            options.keepGoing = true;
        } else if (argument == "-t" && hasValue && ParseNumber(argv[i + 1], number) && number >= 0) {
            options.timeoutMs = static_cast<DWORD>(number);
            ++i;
        } else if (argument == "-" || argument[0] != '-') {
            options.scriptPath = argument;
        } else {
            return false;
        }
    }
    return true;
}

bool ReadLine(FILE* file, std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') return true;
        if (c != '\r') line += static_cast<char>(c);
    }
    return !line.empty();
}

// Result lines end in a bare newline and are flushed at once, so that a reader sees every
// finished command even when the run is cut short.
void WriteResult(FILE* out, const char* status, const std::string& verb, const std::string& detail) {
    std::string text = std::string(status) + " " + verb;
    if (!detail.empty()) text += " " + detail;
    text += "\n";
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

// A script read from a file is checked whole before anything runs, so that a typo at its end
// does not cost the time of the steps before it.
bool ValidateAll(const std::vector<CScriptLine>& lines, FILE* out) {
    bool valid = true;
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string error;
        if (lines[index].IsEmpty() || CUiDriver::Validate(lines[index], error)) continue;
        WriteResult(out, "fail", lines[index].Verb(), "line " + std::to_string(index + 1) + ": " + error);
        valid = false;
    }
    return valid;
}

// Runs one line; returns false when it failed.
bool RunLine(CUiDriver& driver, const CScriptLine& line, FILE* out) {
    std::string detail;
    if (!CUiDriver::Validate(line, detail)) {
        WriteResult(out, "fail", line.Verb(), detail);
        return false;
    }
    bool ok = driver.Execute(line, detail);
    WriteResult(out, ok ? "ok" : "fail", line.Verb(), detail);
    return ok;
}

}  // namespace

const char kUsage[] =
    "usage: uidriver [-o RESULTS] [-k] [-t TIMEOUT_MS] [SCRIPT | -]\n"
    "       uidriver --help | -h\n"
    "\n"
    "Drives the windows of a program in the same Wine prefix from a script: one command a line\n"
    "(wait-page, click, set, text, answer, screenshot, ...; tests/uidriver/README.md lists them).\n"
    "A script file is checked whole before it runs; '-' reads the script from standard input, a\n"
    "line at a time. Each line's result (ok, fail or skip, with its detail) goes to standard\n"
    "output or to RESULTS.\n"
    "  -k             keep going after a failed line (the lines after it are skipped otherwise)\n"
    "  -t TIMEOUT_MS  how long a wait lasts when its line gives no time\n"
    "\n"
    "Exit status: 0 every line ran; 1 a line failed; 2 wrong command line, a script line that\n"
    "cannot be understood, or a file that cannot be opened.\n";

bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    FilePtr out(options.resultPath.empty() ? stdout : std::fopen(options.resultPath.c_str(), "wb"));
    bool fromStdin = options.scriptPath == "-";
    FilePtr script(fromStdin ? stdin : std::fopen(options.scriptPath.c_str(), "rb"));
    if (!out || !script) {
        std::fprintf(stderr, "uidriver: cannot open %s\n", !out ? options.resultPath.c_str() : options.scriptPath.c_str());
        return 2;
    }
    CUiDriver driver(options.timeoutMs);
    std::vector<CScriptLine> lines;
    std::string text;
    if (!fromStdin) {
        while (ReadLine(script.get(), text)) lines.emplace_back(text);
        if (!ValidateAll(lines, out.get())) return 2;
    }
    bool allOk = true;
    bool stopped = false;
    for (size_t index = 0; fromStdin ? ReadLine(script.get(), text) : index < lines.size(); ++index) {
        CScriptLine line = fromStdin ? CScriptLine(text) : lines[index];
        if (line.IsEmpty()) continue;
        if (stopped) {
            WriteResult(out.get(), "skip", line.Verb(), "");
        } else if (!RunLine(driver, line, out.get())) {
            allOk = false;
            stopped = !options.keepGoing;
        }
    }
    return allOk ? 0 : 1;
}
