#pragma once
// Reads a finished medium back as Setup will read it: the manifest from the first diskette (or
// the medium's folder) by Setup's own manifest reader, then every file it names on the diskette
// where Setup will look for it, a split archive's second volume where the continuation rule
// points, each with the bytes that were packed or copied; Setup's own files and the diskettes'
// tag files too. Run on the medium as it lies before it is renamed to its place, so that a
// medium that would not install never gets there.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// The medium, or an archive on it, does not read back as it was made.
class VerifyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FileCheck {
    std::uint64_t bytes = 0;
    std::uint32_t checksum = 0;

    static FileCheck Of(const std::string& path);  // throws VerifyError when it cannot be read
    static FileCheck OfText(const std::string& text);
    bool operator==(const FileCheck& other) const { return bytes == other.bytes && checksum == other.checksum; }
};

struct WrittenSource {
    std::string group;
    std::string name;
    bool archive = true;
    int disk = 1;
    bool afterOthers = false;
    std::size_t fileCount = 0;
    std::uint64_t installedBytes = 0;
    std::vector<FileCheck> volumes;  // one, or two for an archive split over two diskettes
};

struct WrittenMedium {
    std::function<std::string(int disk)> diskFolder;  // the folder that stands for diskette `disk`
    int diskettes = 1;
    bool tagFiles = false;  // each diskette carries "diskette.NNN"
    std::string manifestName;
    std::vector<std::pair<std::string, FileCheck>> setupFiles;  // on the first diskette
    std::vector<WrittenSource> sources;
};

// Throws VerifyError naming the first thing that Setup would not find as it was written.
void ReadBackMedium(const WrittenMedium& medium);
