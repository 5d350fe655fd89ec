#pragma once
// The platform edge for a file's time and attribute byte (Windows: file times and attributes;
// elsewhere the modification time and the read-only permission).
#include <cstdint>
#include <cstdio>
#include <string>

struct FileStatus {
    std::uint32_t time = 0;        // seconds since 1970-01-01 UTC
    std::uint8_t attributes = 0;   // read-only 0x01, hidden 0x02, system 0x04, archive 0x20
    std::uint32_t size = 0;
};

// Sets the last-write time and the attribute byte; creation and access times stay where the
// platform allows it. Throws the framework's file exception on failure.
void ApplyFileStatus(const std::string& path, std::uint32_t time, std::uint8_t attributes);
// The two halves of it: the last-write time through a file open for writing (what is buffered is
// written first), which spares opening it once more, and the attribute byte by path.
void ApplyFileTime(std::FILE* file, const std::string& path, std::uint32_t time);
void ApplyFileAttributes(const std::string& path, std::uint8_t attributes);
// Creation time (last-write time where there is none), attribute byte and size of a file.
FileStatus QueryFileStatus(const std::string& path);
