// The yardstick of Unsetup's removal: what the same work costs with nothing but the bare calls,
// in one process. Reads the uninstall log as its format requires (the destinations, the groups and
// each group's section of file records), deletes every file that the records name and then the
// destinations' directories, and prints the milliseconds that took.
//   plain_removal.exe LOG
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {
std::vector<std::string> SectionLines(const char* section, const char* log)
{
    std::vector<char> buffer(1 << 20);
    DWORD length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), log);
    std::vector<std::string> lines;
    for (DWORD start = 0; start < length;) {
        std::string line(&buffer[start]);
        start += static_cast<DWORD>(line.size()) + 1;
        lines.push_back(line);
    }
    return lines;
}

std::string Field(const std::string& value, int index)
{
    std::size_t start = 0;
    for (int i = 0; i < index && start != std::string::npos; ++i)
        start = value.find('|', start) == std::string::npos ? std::string::npos : value.find('|', start) + 1;
    return start == std::string::npos ? std::string() : value.substr(start, value.find('|', start) - start);
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plain_removal LOG\n");
        return 2;
    }
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::map<long, std::string> directories;
    for (const std::string& line : SectionLines("destinations", argv[1])) {
        std::size_t equal = line.find('=');
        directories[std::atol(line.substr(0, equal).c_str())] = Field(line.substr(equal + 1), 2);
    }
    int deleted = 0;
    for (const std::string& group : SectionLines("groups", argv[1])) {
        for (const std::string& record : SectionLines(group.substr(0, group.find('=')).c_str(), argv[1])) {
            std::size_t equal = record.find('=');
            const std::string& directory = directories[std::atol(record.substr(equal + 1).c_str())];
            if (!directory.empty() && DeleteFileA((directory + record.substr(0, equal)).c_str()))
                ++deleted;
        }
    }
    for (auto it = directories.rbegin(); it != directories.rend(); ++it)
        RemoveDirectoryA(it->second.c_str());
    QueryPerformanceCounter(&end);
    std::printf("%d files deleted in %.1f ms\n", deleted,
                (end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    return 0;
}
