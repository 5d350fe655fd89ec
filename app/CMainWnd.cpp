#include "app/CMainWnd.h"

#include <vector>

#include "framework/CApplication.h"
#include "framework/Win32Helpers.h"
#include "resources/resource.h"

namespace {
constexpr char kMainWindowClass[] = "KalmoraSetup";

// Colour of gradient band y of height bands: from blue at the top to black at the bottom.
BYTE BlueAt(int y, int height)
{
    return static_cast<BYTE>(255 - 255 * y / (height > 0 ? height : 1));
}
}

CMainWnd::~CMainWnd()
{
    if (Handle())
        DestroyWindow(Handle());
}

bool CMainWnd::CreateMain(const std::string& title, bool unattended)
{
    title_ = title;
    HINSTANCE instance = CApplication::Current()->Instance();
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP));
    if (!RegisterWindowClass(kMainWindowClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                             LoadCursorA(nullptr, IDC_ARROW), icon, nullptr))
        return false;
    const DWORD style = WS_MAXIMIZE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    if (!Create(kMainWindowClass, title.c_str(), style, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return false;
    // Windows gives every top-level overlapped window a caption; the installer has none.
    LONG actual = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, actual & ~WS_DLGFRAME);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(Handle(), unattended ? SW_MINIMIZE : SW_SHOWMAXIMIZED);
    UpdateWindow(Handle());
    return true;
}

void CMainWnd::CreateGradientPalette()
{
    HDC screen = GetDC(nullptr);
    int size = GetDeviceCaps(screen, SIZEPALETTE);
    int reserved = GetDeviceCaps(screen, NUMRESERVED);
    ReleaseDC(nullptr, screen);
    int count = size - reserved;
    if (count <= 0)
        return;
    // The system keeps its reserved colours; the gradient takes every other entry.
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) {
        PALETTEENTRY& entry = logical->palPalEntry[i];
        entry.peRed = 0;
        entry.peGreen = 0;
        entry.peBlue = static_cast<BYTE>(count > 1 ? 255 - 255 * i / (count - 1) : 255);
        entry.peFlags = 0;
    }
    palette_ = CreatePalette(logical);
}

bool CMainWnd::RealizePaletteInto(HDC dc) const
{
    if (!palette_)
        return false;
    SelectPalette(dc, palette_, FALSE);
    return RealizePalette(dc) > 0;
}

void CMainWnd::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    HPALETTE previous = palette_ ? SelectPalette(dc, palette_, FALSE) : nullptr;
    if (palette_)
        RealizePalette(dc);
    RECT client;
    GetClientRect(Handle(), &client);
    PaintGradient(dc, client);
    PaintTitle(dc);
    if (previous)
        SelectPalette(dc, previous, FALSE);
    EndPaint(Handle(), &ps);
}

void CMainWnd::PaintGradient(HDC dc, const RECT& client) const
{
    int height = client.bottom - client.top;
    for (int y = 0; y < height; ++y) {
        BYTE blue = BlueAt(y, height);
        COLORREF colour = active_ ? PALETTERGB(0, 0, blue) : RGB(0, 0, blue);
        RECT band = {client.left, y, client.right, y + 1};
        // An opaque empty text fills the band without creating a brush per line.
        SetBkColor(dc, colour);
        ExtTextOutA(dc, 0, y, ETO_OPAQUE, &band, "", 0, nullptr);
    }
}

void CMainWnd::PaintTitle(HDC dc) const
{
    HFONT font = CreatePointFont("Arial", 24, true, true, 0, 0, 0, false, false, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, dc);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    int x = GetSystemMetrics(SM_CXHTHUMB);
    int y = GetSystemMetrics(SM_CYVTHUMB);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 2 * GetSystemMetrics(SM_CXDLGFRAME), y + 2 * GetSystemMetrics(SM_CYDLGFRAME),
             title_.c_str(), static_cast<int>(title_.size()));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, title_.c_str(), static_cast<int>(title_.size()));
    SelectObject(dc, previous);
    DeleteObject(font);
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateGradientPalette();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the gradient covers everything
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ACTIVATEAPP:
        active_ = static_cast<BOOL>(wParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED: {
        if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == Handle())
            return 0;
        HDC dc = GetDC(Handle());
        bool changed = RealizePaletteInto(dc);
        ReleaseDC(Handle(), dc);
        if (changed)
            InvalidateRect(Handle(), nullptr, TRUE);
        return changed ? TRUE : FALSE;
    }
    case WM_DESTROY:
        if (palette_)
            DeleteObject(palette_);
        palette_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
