#include "app/pages/CUnsetupStartPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

bool CUnsetupStartPage::ConfirmCancel()
{
    // Whatever the answer, the uninstaller's own files stay: removal has not started.
    App().keepUnsetupFiles = true;
    return ShowMessageBox(LoadResString(IDS_REALLY_CANCEL_UNSETUP), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
