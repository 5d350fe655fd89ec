#pragma once
// Captures the whole display through GDI into a 24-bit BMP file.
#include <string>

class CScreenCapture {
public:
    // Copies the screen (desktop DC) and writes it to path; false with a reason on failure.
    static bool SaveDisplay(const std::string& path, std::string& error);
};
