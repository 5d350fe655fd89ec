#include "framework/Win32Helpers.h"

#include <cstdarg>

#include "framework/CApplication.h"
#include "framework/FormatText.h"

namespace {
HINSTANCE ResourceInstance()
{
    return CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleA(nullptr);
}

std::string& Caption()
{
    static std::string caption;
    return caption;
}
}

std::string LoadResString(UINT id)
{
    // String-table entries hold at most 4097 characters; the installer's are far shorter.
    char buffer[4097];
    int length = LoadStringA(ResourceInstance(), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

bool LoadFormatText(std::string& text, UINT id, ...)
{
    std::string format = LoadResString(id);
    if (format.empty())
        return false;
    va_list args;
    va_start(args, id);
    text = FormatTextV(format.c_str(), args);
    va_end(args);
    return true;
}

void SetMessageBoxCaption(const std::string& caption)
{
    Caption() = caption;
}

const std::string& MessageBoxCaption()
{
    return Caption();
}

namespace {
bool unattendedRun = false;
}

void SetUnattended(bool unattended)
{
    unattendedRun = unattended;
}

int DefaultButtonOf(UINT flags)
{
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},          {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},     {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    UINT set = flags & MB_TYPEMASK;
    UINT which = (flags & MB_DEFMASK) >> 8;
    if (set >= sizeof kButtons / sizeof kButtons[0] || which > 2)
        return IDOK;
    return kButtons[set][which];
}

int ShowMessageBox(const std::string& text, UINT flags)
{
    if (unattendedRun)
        return DefaultButtonOf(flags);
    HWND owner = CApplication::Current() ? CApplication::Current()->MainWindow() : nullptr;
    return MessageBoxA(owner, text.c_str(), Caption().empty() ? nullptr : Caption().c_str(), flags);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        CApplication* app = CApplication::Current();
        HWND dialog = app ? app->ActiveModeless() : nullptr;
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PlaceWindow(HWND window, int xNumerator, int xDenominator, int yNumerator, int yDenominator,
                 HWND reference)
{
    int referenceWidth;
    int referenceHeight;
    if (reference) {
        RECT r;
        GetWindowRect(reference, &r);
        referenceWidth = r.right - r.left;
        referenceHeight = r.bottom - r.top;
    } else {
        referenceWidth = GetSystemMetrics(SM_CXSCREEN);
        referenceHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = xDenominator ? referenceWidth * xNumerator / xDenominator - width / 2 : 0;
    int y = yDenominator ? referenceHeight * yNumerator / yDenominator - height / 2 : 0;
    if (x + width > referenceWidth)
        x = referenceWidth - width;
    if (y + height > referenceHeight)
        y = referenceHeight - height;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

HFONT CreatePointFont(const char* face, int heightPoints, bool bold, bool italic, int widthPoints,
                      int escapement, int orientation, bool underline, bool strikeOut, BYTE charSet,
                      BYTE outputPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, HDC dc)
{
    HDC screen = dc ? dc : GetDC(nullptr);
    int height = -MulDiv(heightPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    int width = -MulDiv(widthPoints, GetDeviceCaps(screen, LOGPIXELSX), 72);
    if (!dc)
        ReleaseDC(nullptr, screen);
    return CreateFontA(height, width, escapement, orientation, bold ? FW_BOLD : 0, italic, underline,
                       strikeOut, charSet, outputPrecision, clipPrecision, quality, pitchAndFamily, face);
}

std::string SystemErrorText(DWORD error)
{
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = '\0';
    return "Windows error " + std::to_string(error) + (length ? ": " + std::string(text) : std::string());
}
