#pragma once
// The archive being read: a volume header, then entries one after the other, each a 346-byte
// header followed by its packed data. Volumes change inside OnEndOfData (a subclass's job).
#include "transfer/archive/CCodec.h"
#include "transfer/archive/CMultiFileEntry.h"
#include "transfer/archive/CMultiFileStream.h"

#include <memory>

class CMultiFile : public CMultiFileStream {
public:
    CMultiFile();

    // Opens the first volume and checks its "mflh" header.
    void OpenArchive(const std::string& path);
    // Reads the next entry header into entry; false at the regular end of the archive.
    bool ReadNextEntry(CMultiFileEntry& entry, bool seek);
    // Writes the entry's file to its outputPath, stamps it and checks the checksum.
    void Extract(CMultiFileEntry& entry);

    // A new entry positioned at the first entry.
    virtual std::unique_ptr<CMultiFileEntry> CreateEntry();
    // Method 2 stored, method 3 compressed, anything else none; methodParam is ignored.
    virtual std::unique_ptr<CCodec> CreateCodec(std::uint32_t method, std::uint32_t methodParam);
    // Cancellation: sets the running codec's abort flag; without a running codec nothing happens.
    virtual void Abort();

    bool IsExtracting() const { return extracting; }
    CMultiFileEntry* CurrentEntry() const { return currentEntry; }
    std::uint32_t FirstEntryOffset() const { return firstEntryOffset; }

private:
    std::unique_ptr<CCodec> codec;
    CMultiFileEntry* currentEntry = nullptr;
    std::uint32_t firstEntryOffset = 0;
    bool extracting = false;
    [[maybe_unused]] std::uint32_t unused = 0;  // cleared at construction, not used by the reader
};
