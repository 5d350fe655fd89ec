#pragma once
// The "[rename]" section of "wininit.ini", which Windows 95 works through at its next start:
// each line "target=source" replaces target by source.
#include <string>

namespace RenameAtRestart {
// The file's text with the line "target=source" inserted directly under the first "[rename]"
// header (case-insensitive); a file without one gets the header appended first. An empty file
// becomes the header and the line.
std::string InsertLine(const std::string& text, const std::string& target, const std::string& source);
}

// The platform's side (Windows only).
namespace RenameAtRestart {
// Windows 95: inserts "target=source" into the "[rename]" section of "wininit.ini" (found on the
// search path, else in the Windows directory). Throws the framework's file exception when the
// file cannot be read or written.
void AddToWininit(const std::string& target, const std::string& source);
// Deletes a file, or on Windows NT an empty directory, at the next start of Windows: MoveFileEx
// without a target on NT, a "NUL=" line of "wininit.ini" on Windows 95 (which removes files
// only). False when it could not be arranged.
bool DeleteAtRestart(const std::string& path, bool isNT, bool isDirectory);
}
