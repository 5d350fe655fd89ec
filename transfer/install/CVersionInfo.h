#pragma once
// The version resource of a file: its fixed file version, compared part by part.
// Load reads the resource through the Windows version library (Windows build only); the
// comparison is portable.
#include <array>
#include <string>
#include <vector>

// The four 16-bit parts of a file version, most significant first (1.2.3.4 is {1, 2, 3, 4}).
using FileVersion = std::array<unsigned short, 4>;

// Negative, 0 or positive as a is older than, equal to or newer than b; the first part that
// differs decides.
int CompareFileVersions(const FileVersion& a, const FileVersion& b);

class CVersionInfo {
public:
    // Reads the file's version resource; false when the file has none or cannot be read.
    bool Load(const std::string& fileName);
    // The fixed file version of the loaded resource; false when nothing is loaded.
    bool GetFileVersion(FileVersion& version) const;
    // True when both have a version and this one is greater.
    bool IsNewerThan(const CVersionInfo& other) const;
    // Takes a version as if it had been read from a resource.
    void SetFileVersion(const FileVersion& version);

private:
    std::vector<unsigned char> buffer;
    FileVersion fileVersion{};
    bool hasVersion = false;
};
