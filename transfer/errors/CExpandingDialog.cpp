#include "transfer/errors/CExpandingDialog.h"

#include <string>

bool CExpandingDialog::OnInitDialog()
{
    GetWindowRect(Handle(), &fullRect_);
    expanded_ = true;
    Toggle();
    return true;
}

bool CExpandingDialog::OnCommand(int id, int code, HWND control)
{
    if (id == moreButtonId_ && code == BN_CLICKED) {
        Toggle();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CExpandingDialog::Toggle()
{
    if (expanded_)
        Collapse();
    else
        Expand();
    expanded_ = !expanded_;
}

void CExpandingDialog::Collapse()
{
    HWND marker = Item(markerId_);
    if (!marker)
        return;
    RECT markerRect;
    GetWindowRect(marker, &markerRect);
    POINT corner = {markerRect.right, markerRect.bottom};
    ScreenToClient(Handle(), &corner);
    SetRect(&collapsedClient_, 0, 0, corner.x, corner.y);

    RECT window;
    RECT client;
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    int frameWidth = (window.right - window.left) - client.right;
    int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(Handle(), nullptr, 0, 0, corner.x + frameWidth, corner.y + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetOutsideControlsEnabled(collapsedClient_, false);
    ReplaceInMoreCaption("<<", ">>");
}

void CExpandingDialog::Expand()
{
    SetWindowPos(Handle(), nullptr, 0, 0, fullRect_.right - fullRect_.left,
                 fullRect_.bottom - fullRect_.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetOutsideControlsEnabled(collapsedClient_, true);
    ReplaceInMoreCaption(">>", "<<");
}

void CExpandingDialog::SetOutsideControlsEnabled(const RECT& area, bool enable) const
{
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        POINT topLeft = {r.left, r.top};
        POINT bottomRight = {r.right, r.bottom};
        ScreenToClient(Handle(), &topLeft);
        ScreenToClient(Handle(), &bottomRight);
        bool inside = PtInRect(&area, topLeft) && bottomRight.x <= area.right && bottomRight.y <= area.bottom;
        if (!inside)
            EnableWindow(child, enable);
    }
}

void CExpandingDialog::ReplaceInMoreCaption(const char* from, const char* to) const
{
    std::string caption = ItemText(moreButtonId_);
    size_t at = caption.find(from);
    if (at == std::string::npos)
        return;
    caption.replace(at, 2, to);
    SetItemText(moreButtonId_, caption);
}
