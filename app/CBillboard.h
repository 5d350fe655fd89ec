#pragma once
// One billboard: a borderless window over the copying page with a picture and a text.
#include <string>

#include "framework/CDialog.h"
#include "resources/resource.h"

class CBillboard : public CDialog {
public:
    CBillboard(int bitmapId, std::string text) : CDialog(IDD_BILLBOARD), bitmapId_(bitmapId), text_(std::move(text)) {}
    ~CBillboard() override;

protected:
    bool OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void Paint();
    void Release();

    int bitmapId_;
    std::string text_;
    HBITMAP bitmap_ = nullptr;
    SIZE bitmapSize_ = {};
    HDC memory_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    RECT destination_ = {};
};

// The billboards of one copy: shows the board that the share of bytes done selects.
namespace Billboards {
// The count of boards: 6, or 2 for an in-place installation.
void Announce(unsigned long long total, int count);
void ReportProgress(unsigned long long done);
void Close();
}
