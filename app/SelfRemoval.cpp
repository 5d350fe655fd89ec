#include "app/SelfRemoval.h"

#include <windows.h>

#include "app/SelfRemovalScript.h"
#include "transfer/CFilePath.h"

namespace {
// With the system's own calls: the C++ file streams would bring their locale machinery into the
// program, which travels on a diskette.
bool WriteScript(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool complete = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return complete;
}
}  // namespace

bool StartSelfRemoval(const std::string& programPath, const std::string& directory)
{
    CFilePath script(CFilePath::Known::tempDir);
    script.AddTrailingBackslash();
    std::string scriptPath = script.Path() + "kmunset" + CFilePath::RandomHexName(4) + ".bat";
    std::string text = SelfRemovalScript::Text(programPath, directory, scriptPath);
    // Written as the interpreter reads it: a folder such as "Büro" is not found otherwise.
    CharToOemBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    if (!WriteScript(scriptPath, text))
        return false;
    char interpreter[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("COMSPEC", interpreter, sizeof interpreter))
        lstrcpyA(interpreter, (GetVersion() & 0x80000000u) ? "command.com" : "cmd.exe");
    std::string command = "\"" + std::string(interpreter) + "\" /c \"" + scriptPath + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW | IDLE_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        DeleteFileA(scriptPath.c_str());
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
