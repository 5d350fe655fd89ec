#include "transfer/paths/CFilePath.h"

#include <cctype>
#include <chrono>
#include <random>

#include "framework/FormatText.h"
#include "framework/TextCompare.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool EndsInSeparator(const std::string& text)
{
    return !text.empty() && IsSeparator(text.back());
}

// A directory text without its trailing separators; a root ("\") is kept.
std::string WithoutTrailingSeparator(const std::string& dir)
{
    std::string::size_type end = dir.size();
    while (end > 1 && IsSeparator(dir[end - 1]))
        --end;
    return dir.substr(0, end);
}

std::string ExtensionWithoutDot(const std::string& ext)
{
    return !ext.empty() && ext[0] == '.' ? ext.substr(1) : ext;
}

// One process-wide generator, seeded once from the clock and the system's entropy source.
std::minstd_rand& RandomGenerator()
{
    static std::minstd_rand generator([] {
        std::random_device device;
        auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        return static_cast<unsigned>(device()) ^ static_cast<unsigned>(ticks) ^
               static_cast<unsigned>(ticks >> 32);
    }());
    return generator;
}

} // namespace

CFilePath& CFilePath::operator=(const CFilePath& other)
{
    if (this != &other) {
        CloseSearch();
        searchAttributes = 0;
        path = other.path;
    }
    return *this;
}

void CFilePath::CloseSearch()
{
    findHandle.reset();
}

CFilePath::Components CFilePath::Split(const std::string& text)
{
    Components parts;
    std::string::size_type pos = 0;
    if (text.size() >= 2 && text[1] == ':') {
        parts.drive = text.substr(0, 2);
        pos = 2;
    }
    // The directory runs to the last separator; the extension starts at the last dot after it.
    std::string::size_type nameStart = pos;
    for (std::string::size_type i = pos; i < text.size(); ++i) {
        if (IsSeparator(text[i]))
            nameStart = i + 1;
    }
    parts.dir = text.substr(pos, nameStart - pos);
    std::string::size_type dot = text.rfind('.');
    if (dot != std::string::npos && dot >= nameStart) {
        parts.name = text.substr(nameStart, dot - nameStart);
        parts.ext = text.substr(dot);
    } else {
        parts.name = text.substr(nameStart);
    }
    return parts;
}

std::string CFilePath::Make(const Components& parts)
{
    std::string text;
    if (!parts.drive.empty()) {
        text += parts.drive[0];
        text += ':';
    }
    if (!parts.dir.empty()) {
        text += parts.dir;
        if (!EndsInSeparator(parts.dir))
            text += '\\';
    }
    text += parts.name;
    if (!parts.ext.empty()) {
        if (parts.ext[0] != '.')
            text += '.';
        text += parts.ext;
    }
    return text;
}

bool CFilePath::Rebuild(const Components& parts)
{
    std::string text = Make(parts);
    if (text.size() >= static_cast<std::string::size_type>(kMaxPath))
        return false;
    path = std::move(text);
    return true;
}

std::string CFilePath::GetDrive() const
{
    return Split(path).drive.substr(0, 1);
}

std::string CFilePath::GetDirectory() const
{
    Components parts = Split(path);
    return parts.drive + WithoutTrailingSeparator(parts.dir);
}

std::string CFilePath::GetDirOnly() const
{
    return WithoutTrailingSeparator(Split(path).dir);
}

std::string CFilePath::GetFileName() const
{
    Components parts = Split(path);
    std::string ext = ExtensionWithoutDot(parts.ext);
    return ext.empty() ? parts.name : parts.name + '.' + ext;
}

std::string CFilePath::GetTitle() const
{
    return Split(path).name;
}

std::string CFilePath::GetExtension() const
{
    return ExtensionWithoutDot(Split(path).ext);
}

bool CFilePath::SetDrive(const std::string& letter)
{
    Components parts = Split(path);
    parts.drive = letter;
    return Rebuild(parts);
}

bool CFilePath::SetDirOnly(const std::string& dir)
{
    Components parts = Split(path);
    parts.dir = dir;
    if (parts.dir.empty() || !IsSeparator(parts.dir[0]))
        parts.dir.insert(parts.dir.begin(), '\\');
    if (!EndsInSeparator(parts.dir))
        parts.dir += '\\';
    return Rebuild(parts);
}

bool CFilePath::SetDirectory(const std::string& directory)
{
    Components parts = Split(path);
    Components location;
    if (!directory.empty())
        location = Split(EndsInSeparator(directory) ? directory : directory + '\\');
    parts.drive = location.drive;
    parts.dir = location.dir;
    return Rebuild(parts);
}

bool CFilePath::SetFileTitle(const std::string& title)
{
    Components parts = Split(path);
    parts.name = title;
    return Rebuild(parts);
}

bool CFilePath::SetExtension(const std::string& ext)
{
    Components parts = Split(path);
    parts.ext = ext;
    return Rebuild(parts);
}

bool CFilePath::SetFileName(const std::string& fileName)
{
    Components parts = Split(path);
    parts.name = fileName;
    parts.ext.clear();
    return Rebuild(parts);
}

bool CFilePath::AppendDirectory(const std::string& subdir)
{
    std::string::size_type start = 0;
    while (start < subdir.size() && IsSeparator(subdir[start]))
        ++start;
    if (start == subdir.size())
        return true;
    Components parts = Split(path);
    if (!parts.dir.empty() && !EndsInSeparator(parts.dir))
        parts.dir += '\\';
    parts.dir += subdir.substr(start);
    if (!EndsInSeparator(parts.dir))
        parts.dir += '\\';
    return Rebuild(parts);
}

bool CFilePath::RemoveLastDirectory(std::string* removed)
{
    Components parts = Split(path);
    std::string dir = WithoutTrailingSeparator(parts.dir);
    if (dir.empty() || (dir.size() == 1 && IsSeparator(dir[0])))
        return false;
    std::string::size_type cut = dir.find_last_of("\\/");
    std::string last = cut == std::string::npos ? dir : dir.substr(cut + 1);
    // Keep the separator before the last component, so that "\a\" becomes the root "\".
    parts.dir = cut == std::string::npos ? std::string() : dir.substr(0, cut + 1);
    if (!Rebuild(parts))
        return false;
    if (removed)
        *removed = last;
    return true;
}

bool CFilePath::SetToRoot()
{
    Components parts = Split(path);
    parts.dir = "\\";
    parts.name.clear();
    parts.ext.clear();
    return Rebuild(parts);
}

bool CFilePath::AddTrailingBackslash()
{
    if (path.empty() || EndsInSeparator(path))
        return true;
    if (path.size() + 1 >= static_cast<std::string::size_type>(kMaxPath))
        return false;
    path += '\\';
    return true;
}

void CFilePath::RemoveTrailingBackslash()
{
    std::string::size_type keep = path.size() >= 2 && path[1] == ':' ? 3 : 1;
    while (path.size() > keep && EndsInSeparator(path))
        path.pop_back();
}

std::string CFilePath::GetRoot() const
{
    std::string drive = GetDrive();
    if (!drive.empty()) {
        char letter = drive[0];
        if (letter >= 'A' && letter <= 'Z')
            letter = static_cast<char>(letter - 'A' + 'a');
        return std::string(1, letter) + ":\\";
    }
    // A share: two separators, the server, one separator, the share name.
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1]))
        return std::string();
    std::string::size_type server = path.find_first_of("\\/", 2);
    if (server == std::string::npos || server == 2)
        return std::string();
    std::string::size_type share = path.find_first_of("\\/", server + 1);
    if (share == server + 1)
        return std::string();
    return share == std::string::npos ? path + '\\' : path.substr(0, share + 1);
}

bool CFilePath::IsPlainName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of("\\/:") == std::string::npos;
}

int CFilePath::FullPathDepth(const std::string& text)
{
    const bool hasDrive = text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
                          text[2] == '\\';
    if (!hasDrive)
        return -1;
    std::string rest = text.substr(3);
    if (!rest.empty() && rest.back() == '\\')
        rest.pop_back();
    if (rest.empty())
        return 0;
    int depth = 0;
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type end = rest.find('\\', start);
        if (!IsPlainName(rest.substr(start, end == std::string::npos ? std::string::npos : end - start)))
            return -1;
        ++depth;
        if (end == std::string::npos)
            return depth;
        start = end + 1;
    }
}

bool CFilePath::IsFileInDirectory(const std::string& text)
{
    return !text.empty() && text.back() != '\\' && FullPathDepth(text) >= 2;
}

bool CFilePath::IsSameDirectory(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    CFilePath first(a), second(b);
    first.RemoveTrailingBackslash();
    second.RemoveTrailingBackslash();
    return EqualsIgnoreCase(first.Path(), second.Path());
}

std::string CFilePath::RandomHexName(int n)
{
    std::uniform_int_distribution<int> number(0, 32767);
    auto& generator = RandomGenerator();
    int a = number(generator), b = number(generator), c = number(generator);
    int d = number(generator), e = number(generator);
    std::string text = FormatText("%.4x%.4x%.4x%.4x%.4x", a, b, c, d, e);
    if (n < 0)
        n = 0;
    if (n > kMaxRandomHexName)
        n = kMaxRandomHexName;
    return text.substr(0, static_cast<std::string::size_type>(n));
}
