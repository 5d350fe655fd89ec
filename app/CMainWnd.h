#pragma once
// The full-screen main window: a blue-to-black gradient with the setup title, behind the pages.
#include <string>

#include "framework/CWindow.h"

class CMainWnd : public CWindow {
public:
    CMainWnd() = default;
    ~CMainWnd() override;

    // Creates and shows the window (minimised in unattended mode); false when creation fails.
    bool CreateMain(const std::string& title, bool unattended);
    // Selects and realises the gradient palette into dc; true when a colour changed.
    bool RealizePaletteInto(HDC dc) const;
    HPALETTE Palette() const { return palette_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateGradientPalette();
    void Paint();
    void PaintGradient(HDC dc, const RECT& client) const;
    void PaintTitle(HDC dc) const;

    std::string title_;
    HPALETTE palette_ = nullptr;
    BOOL active_ = FALSE;
};
