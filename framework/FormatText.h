#pragma once
// Bounded text formatting: every text the installer formats for the user is at most 511 characters.
#include <cstdarg>
#include <string>
#include <vector>

constexpr int kMaxFormattedText = 511;

// printf-style formatting; the result is cut at kMaxFormattedText characters, never overflowing.
// The Windows programs format through here: there it is the system C library's printf, whose
// conversions the compiler checks (no %zu), where std::snprintf would bring a formatter of its own.
std::string FormatText(const char* format, ...)
#if defined(_WIN32) && defined(__GNUC__)
    __attribute__((format(ms_printf, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
std::string FormatTextV(const char* format, va_list args);

// A message with numbered places, "%1" to "%9", each replaced by its argument (a place without an
// argument is left as it stands); the arguments themselves are never searched for places.
std::string FormatNumbered(const std::string& pattern, const std::vector<std::string>& arguments);
