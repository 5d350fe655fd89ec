// The string table holds every text exactly as the program shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace {

std::string LoadText(UINT id)
{
    char buffer[2048] = {};
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

struct QuotedString {
    UINT id;
    const char* text;
};

// Texts whose exact wording is fixed (mind the two blanks after "4.0" in 5 and 56 and the
// "Mismacth" of 27657: they are the product's own).
const QuotedString kQuoted[] = {
    {3, "Please insert the diskette labelled '%s' in drive %s."},
    {4, "Kalmora 4.0 Setup"},
    {5, "Kalmora 4.0  installation not complete. Do you really want to exit Setup?"},
    {6, "Orvane"},
    {7, "You are attempting to install to a write protected drive,\nsuch as a CD-ROM, or a drive with "
        "no space.\nPlease try again."},
    {9, "Setup cannot continue"},
    {10, "Incomplete or missing profile."},
    {11, "Diskette %d"},
    {14, "Continue Operation"},
    {15, "Cancel Operation"},
    {17, "Cannot install files from '%s':"},
    {25, "Space Required:"},
    {26, "You are attempting to install to a Floppy Disk,\nor to an Empty Removable Drive.\nPlease try "
         "again."},
    {27, "Space Available:"},
    {28, "Kalmora Scheduler"},
    {29, "Startup"},
    {37, "Uninstall Kalmora 4.0"},
    {38, "Minimal"},
    {39, "Typical"},
    {40, "Custom"},
    {41, "Unsetup is attempting to delete %s.\nThis file may be used by other applications.\nContinue "
         "deleting this file?"},
    {42, "Unable to gain Reboot Privilege. You may have to reboot your system manually to run this "
         "product.\n\n%1 returned error code %2."},
    {44, "Invalid Path:\nSorry, but the path cannot contain the '%c' character."},
    {45, "You have not selected anything to be installed.\nPlease select at least one group above,\nor "
         "click cancel to exit Setup."},
    {46, "Invalid Path:\nSorry, but the ':' character can only be used as a drive delimiter."},
    {47, "Invalid Path:\nYou must specify a drive. Type it in the form \"C:\\\", or click Browse or "
         "Drive Space to select one."},
    {48, "Removing File:"},
    {49, "Removing:"},
    {50, "Unregistering:"},
    {51, "Program Icons"},
    {52, "Registry Entries"},
    {53, "Self-registering DLLs"},
    {54, "Shared DLLs"},
    {55, "Program Directories"},
    {56, "Kalmora 4.0  Uninstallation not complete. Do you really want to exit Unsetup?"},
    {24577, "The requested operation cannot be completed because an error occurred. There is no more "
            "information available about this error. Please record the error information shown at the "
            "bottom of this message (click on More>>)."},
    {24580, "File Error."},
    {24581, "An error occurred with one of the files used in this operation."},
    {24590, "File not found."},
    {24591, "A file required for this operation was not found. This could because the wrong location "
            "for the file was specified, or because the file has been deleted."},
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
    {27649, "The file this application is trying to extract was compressed with an unknown method. "
            "Possible causes:\r\n- the file was compressed with a different version of the software\r\n- "
            "the file is damaged\r\n- there is a diskette alignment or hardware problem"},
    {27650, "File is not an archive file."},
    {27651, "The file this application is extracting does not appear to be an archive file (there is "
            "no archive header). Possible causes:\r\n- wrong file on install diskettes\r\n- file is "
            "damaged\r\n- possible diskette drive alignment or hardware error"},
    {27652, "Archive file damaged (missing entry header)."},
    {27653, "The archive file this application is extracting appears damaged (no entry header found). "
            "Possible causes:\r\n\r\n- file is damaged on install diskettes\r\n- diskette drive "
            "alignment or hardware error"},
    {27654, "Archive file damaged (corrupt table)."},
    {27655, "The archive file this application is extracting appears damaged (corrupt table). "
            "Possible causes:\r\n\r\n- file is damaged on install diskettes\r\n- diskette drive "
            "alignment or hardware error"},
    {27656, "Archive file damaged (CRC Mismatch)"},
    {27657, "The archive file this application is extracting appears damaged (CRC Mismacth). "
            "Possible causes:\r\n\r\n- file is damaged on install diskettes\r\n- diskette drive "
            "alignment or hardware error"},
};

TEST(StringTable, QuotedTextsAreExact)
{
    for (const QuotedString& row : kQuoted)
        EXPECT_EQ(LoadText(row.id), row.text) << "string " << row.id;
}

// Texts of our own wording: the profile error, the billboards and every error title and text.
TEST(StringTable, DescribedTextsArePresent)
{
    std::vector<UINT> ids = {IDS_PROFILE_TEXT};
    for (UINT id = IDS_BILLBOARD_0; id <= IDS_BILLBOARD_5; ++id)
        ids.push_back(id);
    for (UINT id = 24576; id <= 24611; ++id)
        ids.push_back(id);
    for (UINT id = 27648; id <= 27657; ++id)
        ids.push_back(id);
    for (UINT id : ids) {
        std::string text = LoadText(id);
        EXPECT_GE(text.size(), 8u) << "string " << id;
        // Shown in message boxes and dialogs with a 511-character formatting limit.
        EXPECT_LT(text.size(), 400u) << "string " << id;
    }
}

TEST(StringTable, BillboardsAdvertiseTheMaker)
{
    int naming = 0;
    for (UINT id = IDS_BILLBOARD_0; id <= IDS_BILLBOARD_5; ++id)
        naming += LoadText(id).find("Orvane") != std::string::npos;
    EXPECT_GE(naming, 4);
    EXPECT_NE(LoadText(IDS_BILLBOARD_5).find("CompuServe"), std::string::npos);
}

// Each file-error cause has its own title; causes without their own text share 24581.
TEST(StringTable, ErrorTitlesAreDistinct)
{
    const UINT titles[] = {24576, 24578, 24580, 24582, 24584, 24586, 24588, 24590, 24592, 24594,
                           24596, 24598, 24599, 24600, 24602, 24603, 24605, 24607, 24609, 24611,
                           27648, 27650, 27652, 27654, 27656};
    for (UINT a : titles) {
        for (UINT b : titles) {
            if (a < b) {
                EXPECT_NE(LoadText(a), LoadText(b)) << "strings " << a << " and " << b;
            }
        }
    }
}

}  // namespace
