#pragma once
// Cuts one profile file into tokens. The file is read in text mode by this class itself (CR LF
// arrives as LF, a lone CR stays a CR), so that every platform sees the same tokens.
#include <memory>
#include <string>

#include "profile/CItoken.h"

class CItokenizer {
public:
    // Opens the file; a file that cannot be opened (or is no regular file) gives only end of file.
    CItokenizer(std::string fileName, const std::string& specialSet);
    CItokenizer(const CItokenizer&) = delete;
    CItokenizer& operator=(const CItokenizer&) = delete;

    bool IsOpen() const { return opened; }
    const std::string& FileName() const { return fileName; }

    // Fills `token` with the next token; at the end only its kind changes, to kTokenEndOfFile.
    // The caller passes the same token every time (it is the tokenizer's current token).
    bool GetNextToken(CItoken& token);

    // Whether a regular file of that name can be opened for reading.
    static bool CanOpen(const std::string& fileName);

private:
    bool ReadFile();
    void ReadLine();
    void ScanToken(CItoken& token);
    bool IsSpecial(unsigned char c) const { return special[c]; }

    std::string fileName;
    bool opened = false;
    std::string content;       // the whole file after the text-mode conversion
    size_t readOffset = 0;     // where the next line starts in `content`
    std::shared_ptr<const std::string> currentLine;
    size_t position = 0;
    int lineCounter = 0;
    bool special[256] = {};
};
