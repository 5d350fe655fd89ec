#include "app/dialogs/CBrowseDialog.h"

#include <dlgs.h>

#include "app/CSetupApp.h"
#include "resources/resource.h"
#include "transfer/paths/CFilePath.h"

namespace {
constexpr UINT WM_FORM_RESULT = WM_APP + 1;
const UINT fileOkMessage = RegisterWindowMessageA(FILEOKSTRINGA);

std::string CurrentDirectory()
{
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof buffer, buffer);
    return buffer;
}

std::string WindowText(HWND window)
{
    char buffer[MAX_PATH] = {};
    if (window)
        GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}
}

bool CBrowseDialog::Run(HWND parent, const std::string& startDirectory, std::string& chosen)
{
    CFilePath start;
    start.SetDirectory(startDirectory);
    start.SetToNearestExistingDirectory();
    std::string initialDirectory = start.GetDirectory();

    CBrowseDialog browse;
    char file[MAX_PATH] = "jet31415.926";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent;
    ofn.hInstance = App().Instance();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDirectory.empty() ? nullptr : initialDirectory.c_str();
    // The system would put its own title over the template's.
    ofn.lpstrTitle = "Open";
    ofn.Flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE);
    ofn.lpfnHook = HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(&browse);
    if (!GetOpenFileNameA(&ofn) || browse.result_.empty())
        return false;
    chosen = browse.result_;
    return true;
}

UINT_PTR CALLBACK CBrowseDialog::HookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        SetPropA(dialog, "KalmoraBrowse", reinterpret_cast<HANDLE>(ofn->lCustData));
    }
    auto* self = reinterpret_cast<CBrowseDialog*>(GetPropA(dialog, "KalmoraBrowse"));
    if (!self)
        return 0;
    UINT_PTR result = 0;
    try {
        result = self->Handle(dialog, message, wParam, lParam);
    } catch (...) {
        ReportEscapedException();
    }
    if (message == WM_DESTROY)
        RemovePropA(dialog, "KalmoraBrowse");
    return result;
}

void CBrowseDialog::FormResult(HWND dialog)
{
    directory_ = CurrentDirectory();
    subdirectory_ = WindowText(GetDlgItem(dialog, IDC_NEW_SUBDIRECTORY));
    CFilePath path;
    path.SetDirectory(directory_);
    path.AppendDirectory(subdirectory_);
    path.RemoveTrailingBackslash();
    result_ = path.Path();
    SetDlgItemTextA(dialog, IDC_DIRECTORY, result_.c_str());
}

UINT_PTR CBrowseDialog::Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == fileOkMessage) {
        FormResult(dialog);
        return 0;  // let the dialog close
    }
    switch (message) {
    case WM_INITDIALOG: {
        RECT own;
        GetWindowRect(dialog, &own);
        int x = (GetSystemMetrics(SM_CXSCREEN) - (own.right - own.left)) / 2;
        int y = (GetSystemMetrics(SM_CYSCREEN) - (own.bottom - own.top)) / 2;
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        picture_.Attach(dialog, IDC_PICTURE);
        initialised_ = true;
        FormResult(dialog);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        bool listChanged = (id == lst2 && (code == LBN_DBLCLK || code == LBN_SELCHANGE)) ||
                           (id == cmb2 && code == CBN_SELCHANGE);
        if (initialised_ && (listChanged || (id == IDC_NEW_SUBDIRECTORY && code == EN_CHANGE)))
            PostMessageA(dialog, WM_FORM_RESULT, 0, 0);  // after the dialog has changed directory
        return 0;
    }
    case WM_FORM_RESULT:
        FormResult(dialog);
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID == IDC_PICTURE) {
            picture_.Draw(*item);
            return TRUE;
        }
        return 0;
    }
    default:
        return 0;
    }
}
