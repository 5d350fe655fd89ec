#pragma once
// The uninstaller's last act: a running program cannot delete its own file, so a small batch file
// in the temporary directory waits until the program has ended, deletes it and its directory (when
// empty), and then itself. It is started hidden just before the program ends.
#include <string>

// The batch text; portable, so that its lines are checked without a command interpreter.
std::string SelfRemovalScript(const std::string& programPath, const std::string& directory,
                              const std::string& scriptPath);

// Writes the batch file and starts it with the command interpreter; false when either failed.
bool StartSelfRemoval(const std::string& programPath, const std::string& directory);
