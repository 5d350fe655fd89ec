#include "app/pages/CRestartPage.h"

#include "app/CSetupApp.h"
#include "integration/RestartWindows.h"

void CRestartPage::OnOK()
{
    CSetupApp& app = App();
    if (!RestartWindows(app.isNT, app.unattended))
        app.run.restartPending = true;
    CWizardPage::OnOK();
}

void CRestartPage::OnCancel()
{
    // Left for later: the waiting files take their places at the next start of Windows.
    App().run.restartPending = true;
    CWizardPage::OnOK();
}
