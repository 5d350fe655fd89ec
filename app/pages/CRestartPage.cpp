#include "app/pages/CRestartPage.h"

#include "app/CSetupApp.h"
#include "framework/RunReport.h"
#include "integration/RestartWindows.h"

void CRestartPage::OnOK()
{
    CSetupApp& app = App();
    if (app.restartLeftToCaller) {
        // Whoever started the run restarts when it suits the machine's other programs.
        RunReport::Say("restart: left to the caller (/R)");
        app.run.restartPending = true;
    } else if (!RestartWindows(app.isNT, app.unattended)) {
        RunReport::Say("restart: Windows did not restart");
        app.run.restartPending = true;
    } else {
        RunReport::Say("restart: Windows restarts");
    }
    CWizardPage::OnOK();
}

void CRestartPage::OnCancel()
{
    // Left for later: the waiting files take their places at the next start of Windows.
    RunReport::Say("restart: put off by the user");
    App().run.restartPending = true;
    CWizardPage::OnOK();
}
