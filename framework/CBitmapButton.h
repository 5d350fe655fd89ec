#pragma once
// An owner-drawn button that shows bitmaps named after its caption: caption "WIZBIT" draws the
// bitmap "WIZBITU" normally and "WIZBITD" (when present) while pressed.
#include <windows.h>

#include <string>

class CBitmapButton {
public:
    CBitmapButton() = default;
    ~CBitmapButton();
    CBitmapButton(const CBitmapButton&) = delete;
    CBitmapButton& operator=(const CBitmapButton&) = delete;

    // Loads the bitmaps named by the control's caption; false when the control or its "U" bitmap
    // is missing.
    bool Attach(HWND dialog, int controlId);
    int ControlId() const { return controlId_; }
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    void Release();

    int controlId_ = 0;
    HBITMAP up_ = nullptr;
    HBITMAP down_ = nullptr;
};
