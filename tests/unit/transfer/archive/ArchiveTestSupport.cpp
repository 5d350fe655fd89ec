#include "ArchiveTestSupport.h"

#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CLzhCodec.h"
#include "transfer/archive/CMultiFileStream.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/kalmora-archive-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteWholeFile(const std::string& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

Bytes ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

Bytes CompressLzh(const Bytes& data)
{
    ScratchDir dir;
    WriteWholeFile(dir.Path("in"), data);
    CMultiFileStream source;
    source.Open(dir.Path("in"), CPathFile::modeRead);
    CMultiFileStream target;
    target.Open(dir.Path("out"), CPathFile::modeCreate);
    CLzhCodec codec;
    codec.Encode(source, target);
    target.Close();
    return ReadWholeFile(dir.Path("out"));
}

Bytes DecompressLzh(const Bytes& packed, std::uint32_t originalSize)
{
    ScratchDir dir;
    WriteWholeFile(dir.Path("in"), packed);
    CMultiFileStream source;
    source.Open(dir.Path("in"), CPathFile::modeRead);
    CMultiFileStream target;
    target.Open(dir.Path("out"), CPathFile::modeCreate);
    CLzhCodec codec;
    codec.Decode(source, target, static_cast<std::uint32_t>(packed.size()), originalSize);
    target.Close();
    return ReadWholeFile(dir.Path("out"));
}

void BitWriter::Put(int count, unsigned value)
{
    for (int bit = count - 1; bit >= 0; --bit) {
        buffer_ = (buffer_ << 1) | ((value >> bit) & 1);
        if (++count_ == 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ = 0;
            count_ = 0;
        }
    }
}

Bytes BitWriter::Finish()
{
    while (count_ != 0)
        Put(1, 0);
    return bytes_;
}

Bytes VolumeHeader()
{
    return Bytes{'m', 'f', 'l', 'h', 1, 0, 8, 0};
}

Bytes EntryHeaderBytes(const std::string& name, std::uint32_t method, const Bytes& packed, std::uint32_t originalSize,
                       std::uint32_t crc, std::uint16_t continued)
{
    MultiFileEntryHeader header;
    std::strncpy(header.name, name.c_str(), sizeof header.name - 1);
    header.time = 820589696;  // 1996-01-02 12:14:56 UTC
    header.method = method;
    header.packedSize = static_cast<std::uint32_t>(packed.size());
    header.originalSize = originalSize;
    header.crc = crc;
    header.attributes = 0x20;
    header.destinationId = 7;
    header.continued = continued;
    auto bytes = header.ToBytes();
    return Bytes(bytes.begin(), bytes.end());
}

void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

Bytes TextData(std::size_t size, std::uint32_t seed)
{
    static const char* const words[] = {"the ", "installer ", "copies ", "files ", "from ", "diskettes ", "and ",
                                        "archives ", "into ", "its ", "destination ", "directory.\r\n", "Kalmora ",
                                        "4.0 ", "setup ", "program "};
    std::mt19937 random(seed);
    Bytes out;
    while (out.size() < size) {
        const char* word = words[random() % 16];
        out.insert(out.end(), word, word + std::strlen(word));
    }
    out.resize(size);
    return out;
}

Bytes RandomData(std::size_t size, std::uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

Bytes RepetitiveData(std::size_t size)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>("abcdefghijklmnopq"[i % 17]);
    return out;
}
