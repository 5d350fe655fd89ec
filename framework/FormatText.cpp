#include "framework/FormatText.h"

#include <cstdio>

std::string FormatTextV(const char* format, va_list args)
{
    char buffer[kMaxFormattedText + 1];
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0)
        return std::string();
    return std::string(buffer, n < kMaxFormattedText ? n : kMaxFormattedText);
}

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}
