#pragma once
// The rule for a directory typed by the user: a drive letter, a colon, a backslash, then names
// without the characters that Windows forbids.
#include <string>

struct PathVerdict {
    enum Kind { valid, forbiddenCharacter, misplacedColon, driveMissing };
    Kind kind = valid;
    char character = 0;  // the forbidden character, for forbiddenCharacter
};

PathVerdict ValidateDirectoryText(const std::string& text);
