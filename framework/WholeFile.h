#pragma once
// A small file read or written in one go with the system's own calls (the C++ file streams would
// bring their locale machinery into a program that travels on a diskette). Each returns the
// Windows error code, ERROR_SUCCESS when the whole text went through.
#include <windows.h>

#include <string>

DWORD ReadWholeFile(const std::string& path, std::string& text);
// Replaces the file's contents; with flush, the text is on the disk before the call returns.
DWORD WriteWholeFile(const std::string& path, const std::string& text, bool flush);
