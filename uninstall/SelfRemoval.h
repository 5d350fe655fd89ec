#pragma once
// The uninstaller's last act: a running program cannot delete its own file, so a small batch file
// in the temporary directory waits until the program has ended, deletes it and its directory (when
// empty), and then itself. It is started hidden just before the program ends.
#include <string>

// Writes the batch file (in the OEM code page, which the interpreter reads) and starts it with the
// command interpreter; false when either failed.
bool StartSelfRemoval(const std::string& programPath, const std::string& directory);
