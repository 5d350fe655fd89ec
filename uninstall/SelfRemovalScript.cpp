#include "uninstall/SelfRemovalScript.h"

namespace SelfRemovalScript {

std::string Quoted(const std::string& path)
{
    std::string quoted = "\"";
    for (char c : path)
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    return quoted + "\"";
}

std::string Text(const std::string& programPath, const std::string& directory, const std::string& scriptPath)
{
    const std::string program = Quoted(programPath);
    // ping waits about a second between its two echoes; where it is missing, the attempts
    // simply follow each other.
    const std::string attempt = "del " + program + " >nul\r\nif not exist " + program + " goto gone\r\n";
    std::string text = "@echo off\r\n";
    for (int i = 0; i < kAttempts; ++i) {
        if (i > 0)
            text += "ping -n 2 127.0.0.1 >nul\r\n";
        text += attempt;
    }
    text += ":gone\r\n"
            "rmdir " + Quoted(directory) + " >nul\r\n"
            "del " + Quoted(scriptPath) + " >nul\r\n";
    return text;
}

}  // namespace SelfRemovalScript
