#include "transfer/install/RenameAtRestart.h"

#include <vector>

#include "framework/TextCompare.h"

namespace RenameAtRestart {

namespace {
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}
}

std::string InsertLine(const std::string& text, const std::string& target, const std::string& source)
{
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty())
        lines.push_back("[rename]");
    size_t insertAt = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (EqualsIgnoreCase(lines[i], "[rename]")) {
            insertAt = i + 1;
            break;
        }
    }
    if (insertAt == lines.size() && !(lines.size() && EqualsIgnoreCase(lines.back(), "[rename]"))) {
        lines.push_back("[rename]");
        insertAt = lines.size();
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), target + "=" + source);
    std::string result;
    for (const std::string& line : lines)
        result += line + "\r\n";
    return result;
}

}  // namespace RenameAtRestart
