#include "tests/uidriver/CScriptLine.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a quoted word starting at text[pos] == '"'; returns the position after its closing quote.
size_t ReadQuoted(const std::string& text, size_t pos, std::string& word, bool& closed) {
    closed = false;
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != '"') {
            word += text[pos];
        } else if (pos + 1 < text.size() && text[pos + 1] == '"') {
            word += '"';
            ++pos;
        } else {
            closed = true;
            return pos + 1;
        }
    }
    return pos;
}

}  // namespace

CScriptLine::CScriptLine(const std::string& line) : text(line) {
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == '#') return;
    while (pos < text.size()) {
        std::string word;
        wordStarts.push_back(pos);
        if (text[pos] == '"') {
            bool closed = false;
            pos = ReadQuoted(text, pos, word, closed);
            if (!closed) unclosedQuote = true;
        } else {
            while (pos < text.size() && !IsBlank(text[pos])) word += text[pos++];
        }
        words.push_back(word);
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
    }
}

std::string CScriptLine::RestFrom(size_t index) const {
    if (index + 1 >= words.size()) return std::string();
    size_t start = wordStarts[index + 1];
    size_t end = text.size();
    while (end > start && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
    std::string rest = text.substr(start, end - start);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
        std::string word;
        bool closed = false;
        if (ReadQuoted(rest, 0, word, closed) == rest.size() && closed) return word;
    }
    return rest;
}

bool ParseNumber(const std::string& word, long& value) {
    if (word.empty()) return false;
    // Decimal unless 0x-prefixed: a leading zero must not turn an id into octal.
    bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    errno = 0;
    char* end = nullptr;
    value = std::strtol(word.c_str(), &end, hex ? 16 : 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

std::string QuoteResultText(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '\\': quoted += "\\\\"; break;
        case '"': quoted += "\\\""; break;
        case '\r': quoted += "\\r"; break;
        case '\n': quoted += "\\n"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                quoted += hex;
            } else {
                quoted += static_cast<char>(c);
            }
        }
    }
    return quoted + "\"";
}
