#include "app/pages/CRemovedPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

bool CRemovedPage::OnInitDialog()
{
    bool result = CFinalPage::OnInitDialog();
    if (App().run.restartPending)
        SetItemText(IDC_REMOVED_AT_RESTART, LoadResString(IDS_REMOVED_AT_RESTART));
    return result;
}
