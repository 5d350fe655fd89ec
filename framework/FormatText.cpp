#include "framework/FormatText.h"

#include <cstdio>

#if defined(_WIN32)
// The C library's own formatter (msvcrt's), not MinGW's C99 one that the C++ library selects
// for every printf call: that one and its floating-point conversion take some 25 KB of the
// setup program. msvcrt's returns -1 when the text is cut and then leaves it unterminated.
std::string FormatTextV(const char* format, va_list args)
{
    char buffer[kMaxFormattedText];
    int n = _vsnprintf(buffer, sizeof buffer, format, args);
    return std::string(buffer, n < 0 ? kMaxFormattedText : n);
}
#else
std::string FormatTextV(const char* format, va_list args)
{
    char buffer[kMaxFormattedText + 1];
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0)
        return std::string();
    return std::string(buffer, n < kMaxFormattedText ? n : kMaxFormattedText);
}
#endif

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

std::string FormatNumbered(const std::string& pattern, const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        const bool numbered = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
                              pattern[i + 1] <= '9';
        const std::size_t index = numbered ? static_cast<std::size_t>(pattern[i + 1] - '1') : 0;
        if (numbered && index < arguments.size()) {
            text += arguments[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
