#include "app/pages/CRestartPage.h"

#include "app/CSetupApp.h"
#include "integration/RestartWindows.h"

void CRestartPage::OnOK()
{
    CSetupApp& app = App();
    RestartWindows(app.isNT, app.unattended);
    CWizardPage::OnOK();
}
