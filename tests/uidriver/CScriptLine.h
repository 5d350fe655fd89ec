#pragma once
// One line of a driver script split into its words, and the quoting used in result lines.
#include <string>
#include <vector>

class CScriptLine {
public:
    // Splits on blanks; a word in double quotes may hold blanks ("" inside stands for one quote).
    // A line that is empty or starts with '#' has no words.
    explicit CScriptLine(const std::string& line);

    bool IsEmpty() const { return words.empty(); }
    const std::string& Verb() const { return words.front(); }
    size_t ArgumentCount() const { return words.size() - 1; }
    const std::string& Argument(size_t index) const { return words.at(index + 1); }
    // The raw rest of the line after the first `index` arguments: text arguments take it whole,
    // without its surrounding quotes when it is quoted.
    std::string RestFrom(size_t index) const;
    bool HasUnclosedQuote() const { return unclosedQuote; }

private:
    std::string text;
    std::vector<std::string> words;
    std::vector<size_t> wordStarts;
    bool unclosedQuote = false;
};

// Reads a decimal or 0x-prefixed number; false when the word is not entirely a number.
bool ParseNumber(const std::string& word, long& value);

// The form in which result lines carry a text: in double quotes, with backslash, quote and control
// characters escaped C-style, so that paths like C:\new survive the round trip.
std::string QuoteResultText(const std::string& text);
