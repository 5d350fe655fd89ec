#include "uninstall/CIniTextSource.h"

#include <fstream>
#include <iterator>

namespace {
constexpr unsigned kManifestValueBuffer = 256;

// The functions drop one pair of quotes, single or double, that encloses the whole value.
std::string WithoutEnclosingQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}
}

CIniTextSource CIniTextSource::FromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return CIniTextSource(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

std::vector<std::string> CIniTextSource::KeyNames(const std::string& section) const
{
    std::vector<std::string> keys;
    for (const auto& [key, value] : contents_.Section(section))
        keys.push_back(key);
    return keys;
}

std::string CIniTextSource::Value(const std::string& section, const std::string& key) const
{
    return Value(section, key, "", kManifestValueBuffer);
}

std::string CIniTextSource::Value(const std::string& section, const std::string& key, const std::string& fallback,
                                  unsigned bufferSize) const
{
    const std::string* value = contents_.Value(section, key);
    std::string text = value ? WithoutEnclosingQuotes(*value) : fallback;
    return bufferSize == 0 ? std::string() : text.substr(0, bufferSize - 1);
}
