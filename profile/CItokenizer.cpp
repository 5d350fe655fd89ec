#include "profile/CItokenizer.h"

#include <cstdio>
#include <sys/stat.h>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Only regular files are read: a device name (CON, /dev/zero) would block or never end.
FileHandle OpenRegularFile(const std::string& fileName)
{
    FileHandle file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        return nullptr;
    struct stat info;
    if (fstat(fileno(file.get()), &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG)
        return nullptr;
    return file;
}

// Text mode: a CR directly before an LF is dropped; every other byte stays.
std::string ToTextMode(const std::string& raw)
{
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        text.push_back(raw[i]);
    }
    return text;
}
}

CItokenizer::CItokenizer(std::string name, const std::string& specialSet)
    : fileName(std::move(name)), currentLine(std::make_shared<const std::string>())
{
    for (unsigned char c : specialSet)
        special[c] = true;
    opened = ReadFile();
}

bool CItokenizer::CanOpen(const std::string& fileName)
{
    return OpenRegularFile(fileName) != nullptr;
}

bool CItokenizer::ReadFile()
{
    FileHandle file = OpenRegularFile(fileName);
    if (!file)
        return false;
    std::string raw;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        raw.append(buffer, got);
    content = ToTextMode(raw);
    return true;
}

bool CItokenizer::GetNextToken(CItoken& token)
{
    if (!opened) {
        token.SetKind(kTokenEndOfFile);
        return true;
    }
    if (position >= currentLine->size()) {
        if (readOffset >= content.size()) {
            token.SetKind(kTokenEndOfFile);
            return true;
        }
        token.SetKind(kTokenEndOfLine);
        ReadLine();
        position = 0;
        ++lineCounter;
    }
    ScanToken(token);
    return true;
}

// A line runs up to and including its LF, or to the end of the file.
void CItokenizer::ReadLine()
{
    size_t end = content.find('\n', readOffset);
    end = end == std::string::npos ? content.size() : end + 1;
    currentLine = std::make_shared<const std::string>(content, readOffset, end - readOffset);
    readOffset = end;
}

// A special character is a token of its own; a word runs up to the next special character or
// the end of the line.
void CItokenizer::ScanToken(CItoken& token)
{
    const std::string& line = *currentLine;
    size_t start = position;
    if (IsSpecial(static_cast<unsigned char>(line[position]))) {
        token.SetKind(kTokenSpecial);
        ++position;
    } else {
        while (position < line.size() && !IsSpecial(static_cast<unsigned char>(line[position])))
            ++position;
        token.SetKind(kTokenWord);
    }
    token.SetText(line.data() + start, position - start);
    token.SetSharedLine(currentLine);
    token.SetLineNumber(lineCounter);
}
