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
