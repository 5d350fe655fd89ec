#pragma once
// One archive entry together with the file into which it is extracted. Written through the
// counted write, so that the checksum is taken over the extracted bytes.
#include "transfer/archive/CMultiFileStream.h"
#include "transfer/archive/MultiFileEntryHeader.h"

#include <string>

class CMultiFileEntry : public CMultiFileStream {
public:
    // Copy at most 259 characters (the fields hold a terminator).
    void SetName(const std::string& text);
    void SetOutputPath(const std::string& text);
    std::string GetName() const { return header.name; }
    std::string GetOutputPath() const { return outputPath; }
    // The stored name's last component: what follows the last '\\', '/' or drive colon.
    std::string GetLastNameComponent() const;

    // Fills time, attributes and originalSize from the file named by name.
    void FillFromFile();
    // Gives outputPath the header's time as its last-write time and the header's attribute byte.
    virtual void ApplyStatus();

    std::uint32_t entryOffset = 0;  // logical offset of this entry's header; 0 = not yet positioned
    char outputPath[ArchiveFormat::kNameFieldSize] = {};
    MultiFileEntryHeader header;
};
