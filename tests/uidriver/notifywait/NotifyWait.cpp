// Stands in for the program that starts Setup or Unsetup with "/T:<thread>" and waits to hear that
// it has finished: starts the command line it is given with its own thread's id appended, then
// waits for the finishing message. Prints what it saw; exit code 0 when the message came from
// the started program before it ended, 1 when it did not, 2 when the program could not start.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr UINT kFinished = WM_USER + 314;
constexpr DWORD kLongestWaitMs = 120000;
}

int main()
{
    const char* commandLine = GetCommandLineA();
    // Our own name, quoted or not, is the first word; the rest is the program to start.
    const char* rest = commandLine;
    if (*rest == '"') {
        rest = std::strchr(rest + 1, '"');
        rest = rest ? rest + 1 : commandLine + std::strlen(commandLine);
    } else {
        while (*rest && *rest != ' ')
            ++rest;
    }
    while (*rest == ' ')
        ++rest;
    // Make sure this thread has a message queue before the program can post to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    std::string command = std::string(rest) + " /T:" + std::to_string(GetCurrentThreadId());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start: %s\n", command.c_str());
        return 2;
    }
    CloseHandle(process.hThread);
    DWORD start = GetTickCount();
    bool heard = false;
    while (!heard && GetTickCount() - start < kLongestWaitMs) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.hwnd == nullptr && message.message == kFinished)
                heard = true;
        if (heard || MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 200, QS_ALLINPUT) == WAIT_OBJECT_0)
            break;
    }
    // A message posted just before the program ended may still wait in the queue.
    while (!heard && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        heard = message.hwnd == nullptr && message.message == kFinished;
    // The message comes before the program's last steps (Unsetup's end waits 5 seconds): its
    // exit code is there once it has ended.
    WaitForSingleObject(process.hProcess, kLongestWaitMs);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    std::printf("%s; program exit code %lu\n", heard ? "finished message received" : "no finished message",
                static_cast<unsigned long>(exitCode));
    return heard ? 0 : 1;
}
