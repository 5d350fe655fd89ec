#include "app/CBillboard.h"

#include <memory>

#include "app/BillboardSequence.h"
#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

namespace {
struct Board {
    int bitmapId;
    int textId;
};
const Board kBoards[] = {
    {IDB_BILLBOARD_0, IDS_BILLBOARD_0}, {IDB_BILLBOARD_1, IDS_BILLBOARD_1},
    {IDB_BILLBOARD_2, IDS_BILLBOARD_2}, {IDB_BILLBOARD_3, IDS_BILLBOARD_3},
    {IDB_BILLBOARD_4, IDS_BILLBOARD_4}, {IDB_BILLBOARD_5, IDS_BILLBOARD_5},
};

std::unique_ptr<CBillboard> current;
int shownIndex = -1;
BillboardSequence sequence(6);

void Show(int index)
{
    const Board& board = kBoards[index];
    auto next = std::make_unique<CBillboard>(board.bitmapId, LoadResString(board.textId));
    if (!next->CreateModeless(App().MainWindow()))
        return;  // keep the board that is up
    current = std::move(next);
    shownIndex = index;
    UpdateWindow(current->Handle());
    UpdateWindow(App().MainWindow());
}
}

CBillboard::~CBillboard()
{
    Release();
}

void CBillboard::Release()
{
    if (memory_) {
        SelectObject(memory_, previousBitmap_);
        DeleteDC(memory_);
        memory_ = nullptr;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
}

bool CBillboard::OnInitDialog()
{
    PlaceWindow(Handle(), 1, 2, 1, 3);
    if (App().unattended)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    SetItemText(IDC_BILLBOARD_TEXT, text_);
    bitmap_ = LoadBitmapA(App().Instance(), MAKEINTRESOURCEA(bitmapId_));
    if (bitmap_) {
        BITMAP info = {};
        GetObjectA(bitmap_, sizeof info, &info);
        bitmapSize_ = {info.bmWidth, info.bmHeight};
    }
    if (HWND frame = Item(IDC_BILLBOARD_PICTURE)) {
        GetClientRect(frame, &destination_);
        MapWindowPoints(frame, Handle(), reinterpret_cast<POINT*>(&destination_), 2);
    }
    HDC dc = GetDC(Handle());
    memory_ = CreateCompatibleDC(dc);
    ReleaseDC(Handle(), dc);
    if (memory_ && bitmap_)
        previousBitmap_ = SelectObject(memory_, bitmap_);
    return false;
}

void CBillboard::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (memory_ && bitmap_) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, destination_.left, destination_.top, destination_.right - destination_.left,
                   destination_.bottom - destination_.top, memory_, 0, 0, bitmapSize_.cx - 1,
                   bitmapSize_.cy - 1, SRCCOPY);
    }
    EndPaint(Handle(), &ps);
}

INT_PTR CBillboard::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == WM_PAINT) {
        Paint();
        handled = true;
        return 0;
    }
    if (message == WM_DESTROY)
        Release();
    return CDialog::OnMessage(message, wParam, lParam, handled);
}

namespace Billboards {
void Announce(unsigned long long total, int count)
{
    sequence = BillboardSequence(count);
    sequence.Announce(total);
    shownIndex = -1;
    ReportProgress(0);
}

void ReportProgress(unsigned long long done)
{
    int index = sequence.IndexFor(done);
    if (index != shownIndex)
        Show(index);
}

void Close()
{
    current.reset();
    shownIndex = -1;
}
}
