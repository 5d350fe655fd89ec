#include "uninstall/SelfRemoval.h"

#include <windows.h>

#include "framework/WholeFile.h"
#include "transfer/paths/CFilePath.h"
#include "uninstall/SelfRemovalScript.h"

bool StartSelfRemoval(const std::string& programPath, const std::string& directory)
{
    CFilePath script(CFilePath::Known::tempDir);
    script.AddTrailingBackslash();
    std::string scriptPath = script.Path() + "kmunset" + CFilePath::RandomHexName(4) + ".bat";
    std::string text = SelfRemovalScript::Text(programPath, directory, scriptPath);
    // Written as the interpreter reads it: a folder such as "Büro" is not found otherwise.
    CharToOemBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    if (WriteWholeFile(scriptPath, text, false) != ERROR_SUCCESS)
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
