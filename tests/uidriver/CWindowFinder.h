#pragma once
// Finds the windows of the program under test. The driver runs in the same Wine prefix, so it
// sees exactly that program's windows; its own windows are left out.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CWindowFinder {
public:
    // Visible top-level windows of other processes, in Z order.
    static std::vector<HWND> VisibleTopLevelWindows();
    // All descendants of a window (children, grandchildren, ...), visible or not.
    static std::vector<HWND> Descendants(HWND parent);

    // A visible top-level window by exact title and class; "*" matches any.
    static HWND TopLevel(const std::string& title, const std::string& className);
    // A visible dialog (#32770) whose control id is the page number: top-level or a descendant of
    // a top-level window.
    static HWND Page(int pageId);
    // A visible top-level window that holds a visible control with this id.
    static HWND WindowWithControl(int controlId);
    // A visible message box (a top-level dialog of statics, among them the text static 0xFFFF,
    // and standard buttons) by title; "*" matches any.
    static HWND MessageBox(const std::string& title);
    // The control with this id among the descendants of a window; a visible one is preferred.
    static HWND Control(HWND parent, int controlId);

    static std::string ClassName(HWND window);
    static std::string Title(HWND window);
    // The window's text through WM_GETTEXT, which also works across processes; false on timeout.
    static bool ReadText(HWND window, std::string& text);

    // Polls the probe every 25 ms until it returns a window or the time is up (0: one look).
    static HWND WaitFor(const std::function<HWND()>& probe, DWORD timeoutMs);
    // Polls until the condition holds or the time is up; returns whether it held.
    static bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
};

// The timeout of every message sent to the program under test.
constexpr UINT kSendTimeoutMs = 2000;
// The id of the text static of a message box.
constexpr int kMessageBoxTextId = 0xFFFF;
