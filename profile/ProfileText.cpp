#include "profile/ProfileText.h"

#include "framework/TextCompare.h"

int32_t TextToInt32(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT64_C(0x80000000))
            value = INT64_C(0x80000000);
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

bool TextToFlag(const std::string& text)
{
    return EqualsIgnoreCase(text, "true");
}

std::string ExpandEscapes(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    bool escape = false;
    for (char c : text) {
        if (!escape) {
            if (c == '\\')
                escape = true;
            else
                result.push_back(c);
            continue;
        }
        switch (c) {
        case 'n': result.push_back('\n'); break;
        case 't': result.push_back('\t'); break;
        case '\\': result.push_back('\\'); break;
        default: result.push_back('\\'); result.push_back(c); break;
        }
        escape = false;
    }
    return result;
}
