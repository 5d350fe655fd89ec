#include "profile/ManifestValue.h"

#include <climits>

ManifestValue::ManifestValue(const std::string& text)
{
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        fields_.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
}

std::optional<std::string> ManifestValue::Field(size_t index) const
{
    if (index >= fields_.size())
        return std::nullopt;
    return fields_[index];
}

std::string ManifestValue::Text(size_t index) const
{
    return Field(index).value_or(std::string());
}

long ManifestValue::Number(size_t index, long fallback) const
{
    auto field = Field(index);
    return field ? ToNumber(*field) : fallback;
}

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Magnitude and sign of the leading number; the magnitude stops growing past the 32-bit range.
long long LeadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 0x100000000LL)
            value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}
}

long ManifestValue::ToNumber(const std::string& text)
{
    long long value = LeadingNumber(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<long>(value);
}

unsigned long ManifestValue::ToUnsigned(const std::string& text)
{
    long long value = LeadingNumber(text);
    if (value < 0)
        return static_cast<unsigned long>(static_cast<unsigned int>(value < INT_MIN ? INT_MIN : value));
    return value > 0xFFFFFFFFLL ? 0xFFFFFFFFUL : static_cast<unsigned long>(value);
}
