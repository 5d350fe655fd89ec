#pragma once
// Helpers of the archive tests: a scratch directory, whole-file I/O, a bit writer for hand-built
// compressed streams and archive byte builders.
#include "transfer/archive/MultiFileEntryHeader.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void WriteWholeFile(const std::string& path, const Bytes& data);
Bytes ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

// Compresses or decompresses through the codec with scratch files.
Bytes CompressLzh(const Bytes& data);
Bytes DecompressLzh(const Bytes& packed, std::uint32_t originalSize);

// MSB-first bit writer, as the compressed stream is laid out.
class BitWriter {
public:
    void Put(int count, unsigned value);
    Bytes Finish();

private:
    Bytes bytes_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

Bytes VolumeHeader();
Bytes EntryHeaderBytes(const std::string& name, std::uint32_t method, const Bytes& packed, std::uint32_t originalSize,
                       std::uint32_t crc, std::uint16_t continued = 0);
void Append(Bytes& to, const Bytes& more);

// Deterministic test data of a few kinds.
Bytes TextData(std::size_t size, std::uint32_t seed);
Bytes RandomData(std::size_t size, std::uint32_t seed);
Bytes RepetitiveData(std::size_t size);
