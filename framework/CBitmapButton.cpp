#include "framework/CBitmapButton.h"

#include "framework/CApplication.h"

namespace {
HBITMAP LoadNamedBitmap(const std::string& name)
{
    HINSTANCE instance = CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleA(nullptr);
    return LoadBitmapA(instance, name.c_str());
}
}

CBitmapButton::~CBitmapButton()
{
    Release();
}

void CBitmapButton::Release()
{
    if (up_)
        DeleteObject(up_);
    if (down_)
        DeleteObject(down_);
    up_ = down_ = nullptr;
}

bool CBitmapButton::Attach(HWND dialog, int controlId)
{
    Release();
    controlId_ = controlId;
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return false;
    char caption[64] = {};
    GetWindowTextA(control, caption, sizeof caption);
    up_ = LoadNamedBitmap(std::string(caption) + "U");
    down_ = LoadNamedBitmap(std::string(caption) + "D");
    return up_ != nullptr;
}

void CBitmapButton::Draw(const DRAWITEMSTRUCT& item) const
{
    HBITMAP bitmap = (item.itemState & ODS_SELECTED) && down_ ? down_ : up_;
    const RECT& r = item.rcItem;
    if (!bitmap) {
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetStretchBltMode(item.hDC, COLORONCOLOR);
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}
