#pragma once
// One billboard of the profile's "Billboard" section: a bitmap name and the text beside it.
#include <string>

class CBillboardEntry {
public:
    const std::string& BitmapName() const { return bitmapName; }
    const std::string& Text() const { return text; }
    void SetBitmapName(std::string value) { bitmapName = std::move(value); }
    void SetText(std::string value) { text = std::move(value); }

private:
    std::string bitmapName;
    std::string text;
};
