#pragma once
// Shared geometry of the dialog templates, in dialog units (font 8 "MS Sans Serif").
// Only the resource scripts include this file.

// Wizard pages: one common size, a picture on the left, the button row at the bottom.
#define PAGE_W 330
#define PAGE_H 200
#define PAGE_STYLE (WS_CHILD | WS_CAPTION | DS_3DLOOK | DS_SETFONT)
#define PAGE_FONT FONT 8, "MS Sans Serif"

#define PICTURE_X 7
#define PICTURE_Y 7
#define PICTURE_W 100
#define PICTURE_H 158

// The text column to the right of the picture.
#define TEXT_X 116
#define TEXT_W (PAGE_W - TEXT_X - 7)

#define BUTTON_W 50
#define BUTTON_H 14
#define BUTTON_Y (PAGE_H - 21)
#define CANCEL_X (PAGE_W - 7 - BUTTON_W)
#define NEXT_X (CANCEL_X - 7 - BUTTON_W)
#define BACK_X (NEXT_X - BUTTON_W)
#define SEPARATOR_Y (PAGE_H - 29)

// Compact pages that share the screen with the billboards (copying, removal progress).
#define PROGRESS_W 260
#define PROGRESS_H 86

// Popup dialogs that are modal over the main window.
#define POPUP_STYLE (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_3DLOOK | DS_SETFONT)
