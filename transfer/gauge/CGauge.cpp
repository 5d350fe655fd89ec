#include "transfer/gauge/CGauge.h"

#include "framework/FormatText.h"

namespace {
constexpr char kGaugeClass[] = "KalmoraGauge";
}

unsigned CGauge::Percent(std::uint32_t minimum, std::uint32_t maximum, std::uint32_t position)
{
    if (maximum <= minimum)
        return 0;
    std::uint64_t done = position > minimum ? position - minimum : 0;
    std::uint64_t percent = done * 100 / (maximum - minimum);
    return static_cast<unsigned>(percent > 100 ? 100 : percent);
}

bool CGauge::Create(DWORD style, const RECT& rect, HWND parent, int controlId)
{
    RECT place = rect;
    if (parent) {
        if (HWND placeholder = GetDlgItem(parent, controlId)) {
            GetClientRect(placeholder, &place);
            MapWindowPoints(placeholder, parent, reinterpret_cast<POINT*>(&place), 2);
            DestroyWindow(placeholder);
        }
    }
    if (!RegisterWindowClass(kGaugeClass, CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW),
                             nullptr, nullptr))
        return false;
    return CWindow::Create(kGaugeClass, "Gauge", style, 0, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)));
}

std::uint32_t CGauge::Clamp(std::int64_t position) const
{
    if (position > static_cast<std::int64_t>(rangeMax))
        position = rangeMax;
    if (position < static_cast<std::int64_t>(rangeMin))
        position = rangeMin;
    return static_cast<std::uint32_t>(position);
}

void CGauge::SetPos(std::uint32_t position, bool redrawNow)
{
    position_ = Clamp(position);
    // The picture shows whole percents: a move within the percent on screen changes nothing, and
    // the copy loop reports every 4096 bytes, far more often than the percent moves.
    bool pictureChanges = static_cast<int>(Percent(rangeMin, rangeMax, position_)) != paintedPercent_;
    if (!Handle() || (!pictureChanges && !redrawNow))
        return;
    InvalidateRect(Handle(), nullptr, FALSE);
    if (redrawNow)
        UpdateWindow(Handle());
}

void CGauge::OffsetPos(std::int64_t delta, bool redrawNow)
{
    SetPos(Clamp(static_cast<std::int64_t>(position_) + delta), redrawNow);
}

void CGauge::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);
    paintedPercent_ = static_cast<int>(Percent(rangeMin, rangeMax, position_));
    if (rangeMax != rangeMin) {
        unsigned percent = Percent(rangeMin, rangeMax, position_);
        const std::string label = FormatText("%u%%", percent);
        const char* text = label.c_str();
        int length = static_cast<int>(label.size());
        HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text, length, &extent);
        int width = client.right - client.left;
        int height = client.bottom - client.top;
        int x = width / 2;
        int y = (height - extent.cy) / 2;
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        COLORREF window = GetSysColor(COLOR_WINDOW);
        COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
        // Both parts are drawn as opaque text: no background erase, so no flicker.
        RECT filled = client;
        filled.right = client.left + width * static_cast<int>(percent) / 100;
        SetTextColor(dc, window);
        SetBkColor(dc, highlight);
        ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &filled, text, static_cast<UINT>(length), nullptr);
        RECT empty = client;
        empty.left = filled.right;
        SetTextColor(dc, highlight);
        SetBkColor(dc, window);
        ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &empty, text, static_cast<UINT>(length), nullptr);
        SelectObject(dc, previousFont);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    }
    EndPaint(Handle(), &ps);
}

LRESULT CGauge::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}
