#include "tools/mfpack/MfpackCommands.h"

#include "framework/CFrameworkException.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/ArchiveFormat.h"
#include "transfer/archive/CVolumeReader.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>

namespace {
// An entry that checksums and counts the decoded bytes without writing a file.
class CVerifyEntry : public CMultiFileEntry {
public:
    void Open(const std::string&, OpenMode) override {}
    void Close() override {}
    void Write(const void* buffer, std::size_t count) override
    {
        crc = UpdateArchiveChecksum(crc, buffer, count);
        bytesWritten += static_cast<std::uint32_t>(count);
    }
    void ApplyStatus() override {}
};

std::string AttributeLetters(std::uint16_t attributes)
{
    std::string letters;
    letters += (attributes & ArchiveFormat::kAttrReadOnly) ? 'r' : '-';
    letters += (attributes & ArchiveFormat::kAttrHidden) ? 'h' : '-';
    letters += (attributes & ArchiveFormat::kAttrSystem) ? 's' : '-';
    letters += (attributes & ArchiveFormat::kAttrArchive) ? 'a' : '-';
    return letters;
}

std::string TimeText(std::uint32_t time)
{
    std::time_t value = static_cast<std::time_t>(time);
    std::tm* utc = std::gmtime(&value);
    char text[32] = "?";
    if (utc)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", utc);
    return text;
}

const char* MethodName(std::uint32_t method)
{
    switch (method) {
    case ArchiveFormat::kMethodStored: return "stored";
    case ArchiveFormat::kMethodLzh: return "lh5";
    default: return "unknown";
    }
}

// Removes an earlier file of the same name (read-only ones too) before it is written again.
void MakeRoomFor(const std::string& path)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove(path, ignored);
}
}  // namespace

std::string SafeOutputName(const std::string& storedName)
{
    std::size_t cut = storedName.find_last_of("\\/:");
    std::string name = cut == std::string::npos ? storedName : storedName.substr(cut + 1);
    if (name.empty() || name == "." || name == "..")
        return {};
    return name;
}

int RunCreate(const CreateOptions& options)
{
    CArchiveWriter writer(options.archive, options.volumeSize, options.store, options.progress);
    std::vector<std::string> volumes = writer.Write(options.inputs);
    for (const std::string& volume : volumes)
        std::printf("%s\n", volume.c_str());
    return 0;
}

int RunList(const std::string& archive)
{
    CVolumeReader reader(false);
    reader.OpenArchive(archive);
    CVerifyEntry entry;
    std::printf("%-32s %10s %10s %-7s %5s %-4s %-19s %-8s %s\n", "name", "original", "packed", "method", "dest",
                "attr", "time (UTC)", "crc", "cont");
    // Walking the headers needs the data skipped, which for a continued entry means reading it.
    while (reader.ReadNextEntry(entry, false)) {
        const MultiFileEntryHeader& h = entry.header;
        std::printf("%-32s %10u %10u %-7s %5u %-4s %-19s %08X %s\n", h.name, h.originalSize, h.packedSize,
                    MethodName(h.method), h.destinationId, AttributeLetters(h.attributes).c_str(),
                    TimeText(h.time).c_str(), h.crc, h.continued ? "yes" : "no");
        // Skip the data as it stands, through the counted read, which follows volume changes.
        entry.header.crc = 0;
        entry.header.method = ArchiveFormat::kMethodStored;
        reader.Extract(entry);
    }
    return 0;
}

int RunExtract(const std::string& archive, const std::string& directory, bool progress)
{
    std::filesystem::create_directories(directory);
    CVolumeReader reader(progress);
    reader.OpenArchive(archive);
    CMultiFileEntry entry;
    int unusable = 0;
    while (reader.ReadNextEntry(entry, false)) {
        std::string name = SafeOutputName(entry.header.name);
        if (name.empty()) {
            name = "unnamed-entry-" + std::to_string(++unusable);
            std::fprintf(stderr, "mfpack: the stored name \"%s\" has no usable last component; extracted as %s\n",
                         entry.header.name, name.c_str());
        }
        std::string path = (std::filesystem::path(directory) / name).string();
        MakeRoomFor(path);
        entry.SetOutputPath(path);
        reader.StartProgress(name, entry.header.packedSize);
        reader.Extract(entry);
        reader.EndProgress();
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

int RunTest(const std::string& archive, bool progress)
{
    CVolumeReader reader(progress);
    reader.OpenArchive(archive);
    CVerifyEntry entry;
    unsigned count = 0;
    int status = 0;
    while (reader.ReadNextEntry(entry, false)) {
        reader.StartProgress(entry.header.name, entry.header.packedSize);
        reader.Extract(entry);
        reader.EndProgress();
        if (entry.bytesWritten != entry.header.originalSize) {
            std::fprintf(stderr, "mfpack: %s: %u bytes decoded, %u expected\n", entry.header.name, entry.bytesWritten,
                         entry.header.originalSize);
            status = 5;
        }
        ++count;
    }
    if (status == 0)
        std::printf("%u entries OK\n", count);
    return status;
}
