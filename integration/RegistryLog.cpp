#include "integration/RegistryLog.h"


#include "framework/FormatText.h"
#include "framework/TextCompare.h"

namespace RegistryLog {
namespace {
constexpr char kEscape = '%';
constexpr char kSeparator = '|';

bool MustEscape(const std::string& name, std::size_t at)
{
    unsigned char c = static_cast<unsigned char>(name[at]);
    return c == kEscape || c == kSeparator || c < 0x20 || c == 0x7F || (c == ' ' && at + 1 == name.size());
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Escaped(const std::string& name)
{
    std::string text;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (!MustEscape(name, at)) {
            text += name[at];
            continue;
        }
        text += FormatText("%%%02X", static_cast<unsigned char>(name[at]));
    }
    return text;
}

// An escape that is not "%" and two hexadecimal digits stays as it stands.
std::string Unescaped(const std::string& text)
{
    std::string name;
    for (std::size_t at = 0; at < text.size(); ++at) {
        int high = text[at] == kEscape && at + 2 < text.size() ? HexDigit(text[at + 1]) : -1;
        int low = high >= 0 ? HexDigit(text[at + 2]) : -1;
        if (low < 0) {
            name += text[at];
            continue;
        }
        name += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return name;
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& candidate : names)
        if (EqualsIgnoreCase(candidate, name))
            return true;
    return false;
}
}  // namespace

std::string KeyLine(const std::vector<std::string>& valueNames)
{
    std::string line = kCreatedMark;
    for (const std::string& name : valueNames)
        line += kSeparator + Escaped(name);
    return line;
}

std::vector<std::string> ValueNames(const std::string& line)
{
    std::vector<std::string> names;
    std::string mark = std::string(kCreatedMark) + kSeparator;
    if (line.compare(0, mark.size(), mark) != 0)
        return names;
    std::size_t start = mark.size();
    for (;;) {
        std::size_t end = line.find(kSeparator, start);
        names.push_back(Unescaped(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            return names;
        start = end + 1;
    }
}

bool MayDeleteCreatedKey(long subkeys, const std::optional<std::vector<std::string>>& values,
                         const std::vector<std::string>& productValues)
{
    if (subkeys != 0 || !values)
        return false;
    for (const std::string& name : *values)
        if (!Contains(productValues, name))
            return false;
    return true;
}

bool MayDeleteRemovalKey(long subkeys, long values, bool holdsAnotherRemovalKey)
{
    if (subkeys != 0 || values < 0)
        return false;
    return !holdsAnotherRemovalKey || values == 0;
}

bool IsBelow(const std::string& inner, const std::string& outer)
{
    if (outer.empty() || inner.size() <= outer.size() + 1 || inner[outer.size()] != '\\')
        return false;
    return EqualsIgnoreCase(inner.substr(0, outer.size()), outer);
}

}  // namespace RegistryLog
