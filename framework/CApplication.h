#pragma once
// The application object: start-up and exit hooks around the message loop, and the hook that
// receives every exception that escapes a window or dialog procedure.
#include <windows.h>

#include <exception>
#include <string>

class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Runs InitInstance, the message loop (when InitInstance returned true) and ExitInstance.
    int Run(HINSTANCE instance, const char* commandLine);

    // true to run the message loop, false to end at once.
    virtual bool InitInstance() = 0;
    // Returns the program's exit code.
    virtual int ExitInstance();
    // Called with an exception that escaped a window message; the message then returns 0 and the
    // loop goes on.
    virtual void OnWindowProcException(std::exception_ptr exception);

    HINSTANCE Instance() const { return instance_; }
    const std::string& CommandLineText() const { return commandLine_; }
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    // The modeless dialog whose keyboard navigation the message loop serves (the current page).
    void SetActiveModeless(HWND dialog) { activeModeless_ = dialog; }
    HWND ActiveModeless() const { return activeModeless_; }
    int ExitCode() const { return exitCode_; }

    static CApplication* Current() { return current_; }

private:
    int MessageLoop();

    static CApplication* current_;
    HINSTANCE instance_ = nullptr;
    std::string commandLine_;
    HWND mainWindow_ = nullptr;
    HWND activeModeless_ = nullptr;
    int exitCode_ = 0;
};

// Hands the exception in flight to the application's hook. For use in catch (...) blocks of
// window procedures and callbacks: no exception may cross into Windows.
void ReportEscapedException();
