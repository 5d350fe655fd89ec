#pragma once
// One token of the install profile: its kind, its characters, the source line it stands in and
// that line's number in its own file.
#include <memory>
#include <string>

#include "profile/ProfileSyntax.h"

class CItoken {
public:
    CItoken() = default;

    int Kind() const { return kind; }
    const std::string& Text() const { return text; }
    // The whole source line, with its line feed if it had one.
    const std::string& Line() const;
    int LineNumber() const { return lineNumber; }

    bool SetKind(int value) { kind = value; return true; }
    bool SetText(std::string value) { text = std::move(value); return true; }
    bool SetText(const char* characters, size_t length) { text.assign(characters, length); return true; }
    bool SetLine(std::string value);
    // Shares a line that the tokenizer already holds, so that copying a token stays cheap.
    bool SetSharedLine(const std::shared_ptr<const std::string>& value)
    {
        if (line != value)
            line = value;
        return true;
    }
    bool SetLineNumber(int value) { lineNumber = value; return true; }

    // The text in a readable form: special characters by name, other bytes as they are.
    std::string Dump() const;

private:
    int kind = kTokenNone;
    std::string text;
    std::shared_ptr<const std::string> line;
    int lineNumber = 0;
};
