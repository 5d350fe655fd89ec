#pragma once
// The text of the batch file that removes the uninstaller once it has ended. Portable, so that its
// lines are checked without a command interpreter.
#include <string>

namespace SelfRemovalScript {

// How often the script tries to delete the program before it gives up, a second apart: a
// program that can never be deleted must not keep a hidden interpreter running for ever.
constexpr int kAttempts = 30;

// Deletes the program (once it has ended), then its directory when that is empty, then the
// script itself. Both Windows 95's command.com and NT's cmd.exe understand the lines; there is no
// loop counter in command.com, so the attempts are written out. In the ANSI code page; the
// interpreter reads the file in the OEM one, so the caller converts it.
std::string Text(const std::string& programPath, const std::string& directory, const std::string& scriptPath);

// A path as it must stand in a batch file: "%" doubled, since the interpreter would expand
// "%TEMP%" or swallow a single "%" (a folder "100% Kalmora").
std::string Quoted(const std::string& path);

}  // namespace SelfRemovalScript
