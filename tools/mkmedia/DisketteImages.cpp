#include "tools/mkmedia/DisketteImages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <vector>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace {
#ifndef _WIN32
void RunTool(const std::vector<std::string>& arguments, const std::string& image)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error(arguments[0] + " cannot be started: diskette images need mtools");
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed on " + image);
}
#endif
}  // namespace

std::string VolumeLabel(const std::string& label, int disk)
{
    std::string volume;
    for (unsigned char c : label) {
        char upper = static_cast<char>(std::toupper(c));
        if ((std::isalnum(static_cast<unsigned char>(upper)) && c < 128) || std::string(" !#$%&'()-@^_`{}~").find(upper) != std::string::npos)
            volume += upper;
    }
    volume.erase(0, volume.find_first_not_of(' ') == std::string::npos ? volume.size() : volume.find_first_not_of(' '));
    std::string number = " " + std::to_string(disk);
    if (volume.empty())
        return "DISK" + number;
    // A label cut short keeps the diskette's number at its end, so that the set's labels differ.
    if (volume.size() > 11) {
        volume.resize(11 - number.size());
        volume.erase(volume.find_last_not_of(' ') + 1);
        volume += number;
    }
    volume.erase(volume.find_last_not_of(' ') + 1);
    return volume;
}

void WriteDisketteImage(const std::string& folder, const std::string& image, const DisketteFormat& format,
                        const std::string& volumeLabel)
{
    std::string kilobytes = format.dataBytes == DisketteFormat::Megabytes144().dataBytes ? "1440"
                            : format.dataBytes == DisketteFormat::Kilobytes720().dataBytes ? "720"
                                                                                            : "";
    if (kilobytes.empty())
        throw std::runtime_error("diskette images are made of 1.44 MB and 720 KB diskettes only");
#ifdef _WIN32
    (void)folder;
    (void)image;
    (void)volumeLabel;
    throw std::runtime_error("diskette images need mtools, which runs on Linux");
#else
    RunTool({"mformat", "-C", "-f", kilobytes, "-v", volumeLabel, "-i", image, "::"}, image);
    std::vector<std::string> copy = {"mcopy", "-Q", "-i", image};
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        copy.push_back(file.string());
    copy.push_back("::");
    RunTool(copy, image);
#endif
}
