#pragma once
// Small text conversions that the profile's consumers share.
#include <cstdint>
#include <string>

// Numbers convert as the C library's atoi does: leading blanks, a sign, then digits up to the
// first other character; no digits give 0. Values beyond 32 bits saturate.
int32_t TextToInt32(const std::string& text);

// TRUE exactly when the value is "true" in any case.
bool TextToFlag(const std::string& text);

// Expands the escapes of profile texts: \n gives LF, \t a TAB, \\ one backslash; a backslash
// before any other character stays with it; a backslash at the very end is dropped.
std::string ExpandEscapes(const std::string& text);
