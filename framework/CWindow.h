#pragma once
// A window of our own class: the window procedure forwards every message to the object's virtual
// WindowProc. The object is attached at WM_NCCREATE and detached after WM_NCDESTROY.
#include <windows.h>

class CWindow {
public:
    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND Handle() const { return handle_; }

    // Registers a window class whose procedure dispatches to CWindow objects.
    static bool RegisterWindowClass(const char* className, UINT style, HCURSOR cursor, HICON icon,
                              HBRUSH background);
    // Creates the window; returns false when Windows refuses.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId);
    void Destroy();

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY).
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};
