// The archive code on Windows: file times and attributes through the Win32 edge, binary file I/O,
// and a whole archive extracted and checked.
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CLzhCodec.h"
#include "transfer/archive/CMultiFile.h"
#include "transfer/archive/CMultiFileException.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
using Bytes = std::vector<std::uint8_t>;

class ScratchFolder {
public:
    ScratchFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "kalmora-archive-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        for (const std::string& file : files_) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    std::string File(const std::string& name)
    {
        files_.push_back(path_ + "\\" + name);
        return files_.back();
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

void WriteBytes(const std::string& path, const Bytes& data)
{
    CPathFile file;
    file.Open(path, CPathFile::modeCreate);
    file.Write(data.data(), data.size());
    file.Close();
}

Bytes ReadBytes(const std::string& path)
{
    CPathFile file;
    file.Open(path, CPathFile::modeRead);
    Bytes data;
    std::uint8_t buffer[4096];
    for (std::size_t got; (got = file.Read(buffer, sizeof buffer)) > 0;)
        data.insert(data.end(), buffer, buffer + got);
    return data;
}

// Text with CR LF and bytes 0x1A, which a text-mode file would alter.
Bytes SampleData()
{
    Bytes data;
    for (int i = 0; i < 30000; ++i) {
        const char* piece = (i % 7 == 0) ? "\r\n" : (i % 11 == 0) ? "\x1a" : "kalmora ";
        data.insert(data.end(), piece, piece + std::strlen(piece));
    }
    return data;
}

std::uint32_t UnixTimeOf(const FILETIME& time)
{
    unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::uint32_t>((ticks - 116444736000000000ULL) / 10000000ULL);
}
}  // namespace

TEST(ArchiveOnWindows, ApplyStatusSetsLastWriteTimeAndAttributes)
{
    ScratchFolder folder;
    struct Row { std::uint16_t attributes; DWORD expected; } rows[] = {
        {0x20, FILE_ATTRIBUTE_ARCHIVE},
        {0x21, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
        {0x23, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
    };
    int index = 0;
    for (const Row& row : rows) {
        CMultiFileEntry entry;
        entry.SetOutputPath(folder.File("status" + std::to_string(index++) + ".dat"));
        WriteBytes(entry.GetOutputPath(), Bytes{1, 2, 3});
        entry.header.time = 820586096;  // 1996-01-02 12:34:56 UTC
        entry.header.attributes = row.attributes;
        entry.ApplyStatus();
        EXPECT_EQ(GetFileAttributesA(entry.GetOutputPath().c_str()) & 0x27, row.expected) << row.attributes;
        HANDLE file = CreateFileA(entry.GetOutputPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME lastWrite;
        GetFileTime(file, nullptr, nullptr, &lastWrite);
        CloseHandle(file);
        EXPECT_EQ(UnixTimeOf(lastWrite), 820586096u) << row.attributes;
    }
}

TEST(ArchiveOnWindows, FillFromFileTakesTimeAttributesAndSize)
{
    ScratchFolder folder;
    CMultiFileEntry entry;
    entry.SetName(folder.File("plain.txt"));
    WriteBytes(entry.GetName(), Bytes(1234, 'x'));
    SetFileAttributesA(entry.GetName().c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    entry.FillFromFile();
    EXPECT_EQ(entry.header.originalSize, 1234u);
    EXPECT_EQ(entry.header.attributes, 0x21);
    std::uint32_t now = static_cast<std::uint32_t>(time(nullptr));
    EXPECT_LE(entry.header.time, now + 2);
    EXPECT_GE(entry.header.time + 600, now);
}

TEST(ArchiveOnWindows, ExtractsACompressedArchiveInBinaryMode)
{
    ScratchFolder folder;
    Bytes data = SampleData();
    std::string plain = folder.File("plain.bin");
    std::string packedPath = folder.File("packed.bin");
    WriteBytes(plain, data);
    CMultiFileStream source;
    source.Open(plain, CPathFile::modeRead);
    CMultiFileStream target;
    target.Open(packedPath, CPathFile::modeCreate);
    CLzhCodec codec;
    codec.Encode(source, target);
    target.Close();
    Bytes packed = ReadBytes(packedPath);

    MultiFileEntryHeader header;
    std::strcpy(header.name, "..\\..\\bin\\data.bin");
    header.method = 3;
    header.originalSize = static_cast<std::uint32_t>(data.size());
    header.packedSize = static_cast<std::uint32_t>(packed.size());
    header.crc = UpdateArchiveChecksum(0, data.data(), data.size());
    header.time = 820586096;
    header.attributes = 0x20;
    Bytes archive = {'m', 'f', 'l', 'h', 1, 0, 8, 0};
    auto headerBytes = header.ToBytes();
    archive.insert(archive.end(), headerBytes.begin(), headerBytes.end());
    archive.insert(archive.end(), packed.begin(), packed.end());
    std::string archivePath = folder.File("data.mf1");
    WriteBytes(archivePath, archive);

    CMultiFile reader;
    reader.OpenArchive(archivePath);
    CMultiFileEntry entry;
    ASSERT_TRUE(reader.ReadNextEntry(entry, false));
    EXPECT_EQ(entry.GetLastNameComponent(), "data.bin");
    entry.SetOutputPath(folder.File(entry.GetLastNameComponent()));
    reader.Extract(entry);
    EXPECT_EQ(ReadBytes(entry.GetOutputPath()), data);
    EXPECT_FALSE(reader.ReadNextEntry(entry, false));
}

TEST(ArchiveOnWindows, MissingArchiveIsFileNotFound)
{
    CMultiFile reader;
    try {
        reader.OpenArchive("C:\\no-such-dir\\none.mf1");
        FAIL();
    } catch (const CFileException& error) {
        EXPECT_TRUE(error.cause == CFileException::fileNotFound || error.cause == CFileException::badPath) << error.cause;
    }
}
