#include "framework/CDialog.h"

#include "framework/CApplication.h"

namespace {
// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

HINSTANCE ResourceInstance()
{
    return CApplication::Current() ? CApplication::Current()->Instance() : GetModuleHandleA(nullptr);
}
}

CDialog::~CDialog()
{
    if (handle_) {
        SetWindowLongPtrA(handle_, DWLP_USER, 0);
        if (!modal_)
            DestroyWindow(handle_);
    }
}

INT_PTR CDialog::DoModal(HWND parent)
{
    modal_ = true;
    return DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateModeless(HWND parent)
{
    modal_ = false;
    HWND window = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent,
                                     StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void CDialog::Destroy()
{
    if (handle_)
        DestroyWindow(handle_);
}

std::string CDialog::ItemText(int id) const
{
    HWND item = Item(id);
    if (!item)
        return std::string();
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(item, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CDialog::SetItemText(int id, const std::string& text) const
{
    SetDlgItemTextA(handle_, id, text.c_str());
}

void CDialog::EnableItem(int id, bool enable) const
{
    if (HWND item = Item(id))
        EnableWindow(item, enable);
}

bool CDialog::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED && code != 0)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

void CDialog::EndModal(int result)
{
    if (modal_)
        EndDialog(handle_, result);
}

void CDialog::AttachBitmapButton(int controlId)
{
    auto button = std::make_unique<CBitmapButton>();
    if (button->Attach(handle_, controlId))
        bitmapButtons_.push_back(std::move(button));
}

bool CDialog::DrawBitmapButton(const DRAWITEMSTRUCT& item) const
{
    for (const auto& button : bitmapButtons_) {
        if (button->ControlId() == static_cast<int>(item.CtlID)) {
            button->Draw(item);
            return true;
        }
    }
    return false;
}

void CDialog::CenterOver(HWND reference) const
{
    RECT outer;
    if (reference)
        GetWindowRect(reference, &outer);
    else
        SetRect(&outer, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    RECT own;
    GetWindowRect(handle_, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = outer.left + ((outer.right - outer.left) - width) / 2;
    int y = outer.top + ((outer.bottom - outer.top) - height) / 2;
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
        POINT origin = {x, y};
        ScreenToClient(GetParent(handle_), &origin);
        x = origin.x;
        y = origin.y;
    }
    SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_INITDIALOG:
        handled = true;
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        if (handled)
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawBitmapButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            handled = true;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return OnMessage(message, wParam, lParam, handled);
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->handle_ = window;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return FALSE;

    bool handled = false;
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam, handled);
    } catch (...) {
        ReportEscapedException();
        handled = message != WM_INITDIALOG;
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->handle_ = nullptr;
        self->PostNcDestroy();
        return FALSE;
    }
    if (!handled)
        return FALSE;
    if (ReturnsValueDirectly(message))
        return result;
    // For messages that return a value rather than TRUE/FALSE, pass it on via DWLP_MSGRESULT.
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}
