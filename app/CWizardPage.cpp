#include "app/CWizardPage.h"

#include "app/CMainWnd.h"
#include "app/CSetupApp.h"
#include "app/PageEngine.h"
#include "framework/RunReport.h"
#include "framework/Win32Helpers.h"
#include "resources/resource.h"

bool CWizardPage::OnInitDialog()
{
    if (Item(IDC_PICTURE))
        AttachBitmapButton(IDC_PICTURE);
    // The page's control id is its number, so that other programs (and tests) can tell pages apart.
    SetWindowLongPtrA(Handle(), GWLP_ID, ownId_);
    PositionPage();
    if (App().unattended)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    // Queued before the page can be seen, so that a click posted by another program as soon as
    // it sees the page comes after the activation.
    PostMessageA(Handle(), WM_PAGE_ACTIVATED, 0, 0);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void CWizardPage::PositionPage()
{
    CenterOver(GetParent(Handle()));
}

bool CWizardPage::ConfirmCancel()
{
    return ShowMessageBox(LoadResString(IDS_REALLY_CANCEL), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CWizardPage::OnOK()
{
    GoToPage(nextId_);
}

void CWizardPage::OnCancel()
{
    if (!ConfirmCancel())
        return;
    App().cancelled = true;
    GoToPage(App().unsetupMode ? IDD_NOT_UNINSTALLED : IDD_NOT_INSTALLED);
}

void CWizardPage::OnBack()
{
    GoBackTo(backId_ != 0 ? backId_ : previousId_);
}

void CWizardPage::GoBackTo(int id)
{
    nextId_ = id;
    CWizardPage::OnOK();
}

bool CWizardPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_BACK && (code == BN_CLICKED || code == 0)) {
        OnBack();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CWizardPage::OnActivated()
{
    // An unattended run that has ended goes no further, whatever was still queued for its pages.
    if (App().unattended && App().run.failed)
        return;
    // A click sent by another program is handled before the posted activation, so a page may
    // already have been left when its activation arrives: the current page's activation destroys
    // it, with the pages left before it. Destroying them here would delete this page under its
    // own handler.
    if (CurrentPage() != this)
        return;
    DestroyLeftPages();
    RunReport::Say("page " + std::to_string(ownId_));
    int next = OnPageActivated();
    if (next != 0) {
        GoToPage(next);
        return;
    }
    if (App().unattended) {
        OnOK();
        // A page that refuses Next when nobody is there to change it would wait for ever.
        if (CurrentPage() == this)
            App().EndUnattendedRun();
        return;
    }
    // Keyboard focus into the page, so that Enter presses its default button.
    HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    HWND defaultButton = Item(IDC_NEXT);
    HWND focus = defaultButton && IsWindowEnabled(defaultButton) ? defaultButton : first;
    if (focus)
        SetFocus(focus);
}

INT_PTR CWizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_PAGE_ACTIVATED:
        handled = true;
        OnActivated();
        return 0;
    case WM_ACTIVATEAPP: {
        HWND main = App().MainWindow();
        HDC dc = GetDC(Handle());
        if (auto* frame = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(main, GWLP_USERDATA)))
            frame->RealizePaletteInto(dc);
        ReleaseDC(Handle(), dc);
        InvalidateRect(main, nullptr, FALSE);
        return 0;
    }
    default:
        return 0;
    }
}
