#include "framework/CApplication.h"

CApplication* CApplication::current_ = nullptr;

CApplication::CApplication()
{
    current_ = this;
}

CApplication::~CApplication()
{
    if (current_ == this)
        current_ = nullptr;
}

int CApplication::Run(HINSTANCE instance, const char* commandLine)
{
    instance_ = instance;
    commandLine_ = commandLine ? commandLine : "";
    bool run = false;
    try {
        run = InitInstance();
    } catch (...) {
        ReportEscapedException();
    }
    if (run)
        exitCode_ = MessageLoop();
    return ExitInstance();
}

int CApplication::ExitInstance()
{
    return exitCode_;
}

void CApplication::OnWindowProcException(std::exception_ptr)
{
    MessageBoxA(mainWindow_, "An unexpected error has occurred.", nullptr, MB_OK | MB_ICONSTOP);
}

int CApplication::MessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND dialog = activeModeless_;
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ReportEscapedException()
{
    std::exception_ptr exception = std::current_exception();
    CApplication* app = CApplication::Current();
    if (!app || !exception)
        return;
    try {
        app->OnWindowProcException(exception);
    } catch (...) {
        // The hook itself failed; there is nobody left to tell.
    }
}
