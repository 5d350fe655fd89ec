#include "app/pages/CNotEnoughSpacePage.h"

bool CNotEnoughSpacePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SendMessageA(Handle(), DM_SETDEFID, IDC_CHANGE_PATH, 0);
    if (HWND button = Item(IDC_CHANGE_PATH))
        SetFocus(button);
    return false;
}

bool CNotEnoughSpacePage::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED && (id == IDC_CHANGE_PATH || id == IDC_CHANGE_OPTION)) {
        GoBackTo(id == IDC_CHANGE_PATH ? IDD_DESTINATION : IDD_SETUP_TYPE);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
