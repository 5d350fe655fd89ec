#include "transfer/paths/GetNumberField.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips blanks and reads the sign; returns the first character after them.
const char* SkipBlanksAndSign(const char* text, bool& negative)
{
    while (IsBlank(*text))
        ++text;
    negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    return text;
}

// The digits' value, stopping to grow once it passes limit (so it never overflows).
unsigned long long DigitsUpTo(const char* text, unsigned long long limit)
{
    unsigned long long value = 0;
    for (; IsDigit(*text); ++text) {
        value = value * 10 + static_cast<unsigned>(*text - '0');
        if (value > limit)
            return limit + 1;
    }
    return value;
}

} // namespace

int DecimalToInt(const char* text)
{
    if (!text)
        return 0;
    bool negative = false;
    text = SkipBlanksAndSign(text, negative);
    const unsigned long long limit = static_cast<unsigned long long>(INT_MAX) + 1;
    unsigned long long value = DigitsUpTo(text, limit);
    if (negative)
        return value >= limit ? INT_MIN : -static_cast<int>(value);
    return value >= limit ? INT_MAX : static_cast<int>(value);
}

unsigned long DecimalToUnsigned(const char* text)
{
    if (!text)
        return 0;
    bool negative = false;
    text = SkipBlanksAndSign(text, negative);
    const unsigned long long limit = 0xFFFFFFFFull;
    unsigned long long value = DigitsUpTo(text, limit);
    if (negative)
        return 0;
    return static_cast<unsigned long>(value > limit ? limit : value);
}

bool ExtractField(std::string& field, const std::string& text, int index, char separator)
{
    field.clear();
    if (index < 0)
        return false;
    std::string::size_type start = 0;
    for (int i = 0; i < index; ++i) {
        std::string::size_type next = text.find(separator, start);
        if (next == std::string::npos)
            return false;
        start = next + 1;
    }
    std::string::size_type end = text.find(separator, start);
    field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

bool GetNumberField(int& number, const std::string& text, int index, char separator)
{
    std::string field;
    if (!ExtractField(field, text, index, separator))
        return false;
    number = DecimalToInt(field.c_str());
    return true;
}

bool GetUnsignedField(unsigned long& number, const std::string& text, int index, char separator)
{
    std::string field;
    if (!ExtractField(field, text, index, separator))
        return false;
    number = DecimalToUnsigned(field.c_str());
    return true;
}
