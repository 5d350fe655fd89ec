#include "framework/CWindow.h"

#include "framework/CApplication.h"

CWindow::~CWindow()
{
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

bool CWindow::RegisterWindowClass(const char* className, UINT style, HCURSOR cursor, HICON icon,
                            HBRUSH background)
{
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hIcon = icon;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindow::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId)
{
    HINSTANCE instance = CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleA(nullptr);
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                  menuOrId, instance, this);
    return window != nullptr;
}

void CWindow::Destroy()
{
    if (handle_)
        DestroyWindow(handle_);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(message, wParam, lParam);
}

LRESULT CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* self = reinterpret_cast<CWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<CWindow*>(create->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportEscapedException();
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        self->PostNcDestroy();
    }
    return result;
}
