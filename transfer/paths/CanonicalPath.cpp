#include "transfer/paths/CanonicalPath.h"

#include <cctype>
#include <vector>

#include "framework/TextCompare.h"

namespace CanonicalPath {
namespace {
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string WithoutTrailingDotsAndBlanks(std::string name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name;
}
}  // namespace

std::string Resolve(const std::string& path)
{
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
        !IsSeparator(path[2]))
        return std::string();
    std::vector<std::string> names;
    std::size_t start = 3;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        std::string name = path.substr(start, end - start);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else {
            // "." and a name of dots and blanks alone stand for the directory itself.
            name = WithoutTrailingDotsAndBlanks(name);
            if (!name.empty())
                names.push_back(name);
        }
        start = end + 1;
    }
    std::string resolved = path.substr(0, 2) + "\\";
    for (std::size_t i = 0; i < names.size(); ++i)
        resolved += (i ? "\\" : "") + names[i];
    return resolved;
}

std::string Full(const std::string& path, const LongForm& longForm)
{
    std::string resolved = Resolve(path);
    if (resolved.empty() || !longForm)
        return resolved;
    return Resolve(longForm(resolved));
}

bool Same(const std::string& a, const std::string& b)
{
    return !a.empty() && EqualsIgnoreCase(a, b);
}

bool Below(const std::string& inner, const std::string& outer)
{
    if (outer.empty() || inner.size() <= outer.size())
        return false;
    // A root ends in its backslash already; any other directory is followed by one.
    std::size_t cut = outer.back() == '\\' ? outer.size() : outer.size() + 1;
    if (outer.back() != '\\' && inner[outer.size()] != '\\')
        return false;
    return inner.size() > cut && EqualsIgnoreCase(inner.substr(0, outer.size()), outer);
}

bool Within(const std::string& inner, const std::string& outer)
{
    return Same(inner, outer) || Below(inner, outer);
}

bool IsRoot(const std::string& resolved)
{
    return resolved.size() == 3 && resolved[1] == ':' && resolved[2] == '\\';
}

}  // namespace CanonicalPath
