#pragma once
// One billboard shown while files are copied: a bitmap and the text beside it.
#include <string>

class CBillboard {
public:
    const std::string& BitmapName() const { return bitmapName; }
    const std::string& Text() const { return text; }
    void SetBitmapName(std::string value) { bitmapName = std::move(value); }
    void SetText(std::string value) { text = std::move(value); }

private:
    std::string bitmapName;
    std::string text;
};
