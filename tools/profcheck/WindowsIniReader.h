#pragma once
// The profile's values as the Windows INI functions give them to Setup, read without Windows: for
// the few values that Setup takes that way rather than through the profile language.
#include <string>

#include "app/CProfileContents.h"

// Reads the file once; sections and keys compare without regard to case, the first of a name
// counts, a value between matching quotes loses them, and a value is cut to its buffer.
ProfileValueReader WindowsIniReader(const std::string& path);
