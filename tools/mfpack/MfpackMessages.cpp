#include "tools/mfpack/MfpackMessages.h"

namespace {
struct MessageText {
    unsigned id;
    const char* text;
};

const MessageText kMessages[] = {
    {24580, "File Error."},
    {24590, "File not found."},
    {24592, "Invalid path."},
    {24594, "Too many files open."},
    {24596, "Access denied."},
    {24598, "Invalid file."},
    {24599, "Cannot remove current directory."},
    {24600, "Directory full."},
    {24602, "Bad seek."},
    {24603, "Hardware error."},
    {24605, "Sharing violation."},
    {24607, "Locking violation."},
    {24609, "Disk full"},
    {24611, "End of file."},
    {27648, "Unknown compression method."},
    {27650, "File is not an archive file."},
    {27652, "Archive file damaged (missing entry header)."},
    {27654, "Archive file damaged (corrupt table)."},
    {27656, "Archive file damaged (CRC Mismatch)"},
};
}  // namespace

std::string LoadMfpackMessage(unsigned id)
{
    for (const MessageText& message : kMessages)
        if (message.id == id)
            return message.text;
    return {};
}
