#include "tools/profcheck/WindowsIniReader.h"

#include <fstream>
#include <iterator>
#include <memory>

#include "uninstall/CLogContents.h"

namespace {
// The functions drop one pair of quotes, single or double, that encloses the whole value.
std::string WithoutEnclosingQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}
}

ProfileValueReader WindowsIniReader(const std::string& path)
{
    auto file = std::make_shared<CLogContents>();
    std::ifstream in(path, std::ios::binary);
    file->ReadIni(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    return [file](const std::string& section, const std::string& key, const std::string& fallback,
                  unsigned bufferSize) {
        const std::string* value = file->Value(section, key);
        std::string text = value ? WithoutEnclosingQuotes(*value) : fallback;
        return bufferSize == 0 ? std::string() : text.substr(0, bufferSize - 1);
    };
}
