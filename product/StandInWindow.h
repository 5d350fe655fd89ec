#pragma once
// The one window of a stand-in program: a class, a title, a line of text in the middle, and a
// message loop until the window is closed.
#include <windows.h>

struct StandInWindow {
    const char* className;
    const char* title;
    const char* text;
    HICON icon;
    int width;
    int height;
};

namespace StandIn {
inline const char*& Text()
{
    static const char* text = "";
    return text;
}

inline LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        DrawTextA(dc, Text(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
}  // namespace StandIn

// Shows the window and runs until it is closed (WM_CLOSE ends it); the exit code of the program.
inline int RunStandInWindow(HINSTANCE instance, const StandInWindow& shape, int show)
{
    StandIn::Text() = shape.text;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandIn::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = shape.icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = shape.className;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA(shape.className, shape.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                shape.width, shape.height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
