#pragma once
// "Program Location:": the system's old-style file dialog on our own template, used to pick a
// directory and optionally a new subdirectory under it.
#include <windows.h>

#include <string>

#include "framework/CBitmapButton.h"

class CBrowseDialog {
public:
    // Starts in the directory, or in its nearest existing parent; true with the result on OK.
    static bool Run(HWND parent, const std::string& startDirectory, std::string& chosen);

private:
    static UINT_PTR CALLBACK HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    UINT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FormResult(HWND dialog);

    std::string directory_;     // what the list shows
    std::string subdirectory_;  // the New Subdirectory field
    std::string result_;
    bool initialised_ = false;
    CBitmapButton picture_;
};
