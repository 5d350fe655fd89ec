// Reads arbitrary bytes as an archive and extracts every entry into a scratch directory under
// the last component of its stored name. Only the archive's own errors and the file exceptions
// may come out; anything else (or a file outside the directory) is a finding.
#include "FuzzScratch.h"
#include "transfer/archive/CMultiFile.h"
#include "transfer/archive/CMultiFileException.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace {
constexpr int kMaxEntries = 32;
constexpr std::uint64_t kOutputBudget = 1u << 20;  // bytes one input may make us write

std::string OutputName(const std::string& lastComponent)
{
    if (lastComponent.empty() || lastComponent == "." || lastComponent == "..")
        return "entry";
    return lastComponent;
}

void ExtractAll(const std::string& archivePath, const std::string& outputDir)
{
    CMultiFile archive;
    archive.OpenArchive(archivePath);
    CMultiFileEntry entry;
    std::uint64_t budget = kOutputBudget;
    for (int count = 0; count < kMaxEntries && archive.ReadNextEntry(entry, false); ++count) {
        std::uint32_t size = entry.header.method == 2 ? entry.header.packedSize : entry.header.originalSize;
        if (size > budget)
            return;  // the entry's data stays unread, so the rest of the archive cannot be walked
        budget -= size;
        std::filesystem::path output = std::filesystem::path(outputDir) / OutputName(entry.GetLastNameComponent());
        if (output.parent_path() != std::filesystem::path(outputDir))
            std::abort();
        entry.SetOutputPath(output.string());
        try {
            archive.Extract(entry);
        } catch (const CMultiFileException& error) {
            if (error.cause != CMultiFileException::checksumMismatch && error.cause != CMultiFileException::unknownMethod)
                throw;
        }
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& scratch = FuzzScratchDir();
    std::string archivePath = scratch + "/input.mf";
    std::string outputDir = scratch + "/out";
    std::filesystem::create_directories(outputDir);
    WriteFuzzFile(archivePath, data, size);
    try {
        ExtractAll(archivePath, outputDir);
    } catch (const CMultiFileException& error) {
        if (error.cause < 1 || error.cause > 5)
            std::abort();
    } catch (const CFileException&) {
    }
    std::error_code ignored;
    std::filesystem::remove_all(outputDir, ignored);
    return 0;
}
