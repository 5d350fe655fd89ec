#pragma once
// A dialog built from a template: modal (DoModal) or modeless (CreateModeless). The dialog
// procedure stores the object at WM_INITDIALOG and dispatches to the virtual handlers; no
// exception crosses into Windows.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/CBitmapButton.h"

class CDialog {
public:
    explicit CDialog(int templateId) : templateId_(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int TemplateId() const { return templateId_; }
    HWND Handle() const { return handle_; }

    // Modal run; returns the value given to EndModal (IDOK, IDCANCEL, ...), or -1 when the template
    // cannot be created.
    INT_PTR DoModal(HWND parent);
    // Modeless creation; false when the template cannot be created.
    bool CreateModeless(HWND parent);
    void Destroy();

    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    void EnableItem(int id, bool enable) const;

protected:
    // Return true to let Windows set the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // Return true when the command was handled.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }
    // Every other message; set handled to true to give Windows the result.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Called after the window is gone (WM_NCDESTROY).
    virtual void PostNcDestroy() {}

    void EndModal(int result);
    bool IsModal() const { return modal_; }
    // Shows the control as a picture button with the bitmaps named by its caption.
    void AttachBitmapButton(int controlId);
    void CenterOver(HWND reference) const;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool DrawBitmapButton(const DRAWITEMSTRUCT& item) const;

    int templateId_;
    HWND handle_ = nullptr;
    bool modal_ = false;
    std::vector<std::unique_ptr<CBitmapButton>> bitmapButtons_;
};
