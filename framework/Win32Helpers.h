#pragma once
// Small Windows helpers of the framework: string table, message boxes, message pump, placement
// and fonts.
#include <windows.h>

#include <string>

// The string-table entry, or "" when the id has none.
std::string LoadResString(UINT id);
// The string-table entry formatted printf-style with the arguments (at most 511 characters);
// false, with the text left alone, when the id has no string.
bool LoadFormatText(std::string& text, UINT id, ...);

// A message box owned by the main window with the application's title as caption. In an
// unattended run it is not shown: the answer is its default button.
int ShowMessageBox(const std::string& text, UINT flags);

// "Windows error 112: There is not enough space on the disk." for the record of a run.
std::string SystemErrorText(DWORD error);
// Marks the run as unattended (nobody there to answer) for ShowMessageBox.
void SetUnattended(bool unattended);
// The button that a message box of these flags answers with Enter.
int DefaultButtonOf(UINT flags);
// The caption used by ShowMessageBox (the product's setup title).
void SetMessageBoxCaption(const std::string& caption);
const std::string& MessageBoxCaption();

// Takes and dispatches every pending message without waiting; a WM_QUIT is posted again and ends
// the pumping.
void PumpMessages();

// Moves the window (size kept, no repaint) so that its centre lies at xn/xd of the reference's
// width and yn/yd of its height (the screen when reference is null), counted from 0,0 and kept
// inside the reference's width and height.
void PlaceWindow(HWND window, int xNumerator, int xDenominator, int yNumerator, int yDenominator,
                 HWND reference = nullptr);

// A font whose height and width are given in points for the device (the screen when dc is null).
HFONT CreatePointFont(const char* face, int heightPoints, bool bold, bool italic, int widthPoints = 0,
                      int escapement = 0, int orientation = 0, bool underline = false,
                      bool strikeOut = false, BYTE charSet = ANSI_CHARSET,
                      BYTE outputPrecision = OUT_DEFAULT_PRECIS, BYTE clipPrecision = CLIP_DEFAULT_PRECIS,
                      BYTE quality = DEFAULT_QUALITY, BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE,
                      HDC dc = nullptr);
