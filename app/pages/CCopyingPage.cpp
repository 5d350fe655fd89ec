#include "app/pages/CCopyingPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

void CCopyingPage::PositionPage()
{
    PlaceWindow(Handle(), 1, 2, 3, 4);
}

int CCopyingPage::OnPageActivated()
{
    return RunInstall();
}

void CCopyingPage::OnCancel()
{
    // Only noted here; the question comes at the next progress report, so that no file is left
    // half-written by the dialog itself.
    cancelRequested_ = true;
}

int CCopyingPage::RunInstall()
{
    PumpMessages();
    if (App().cancelled)
        return IDD_NOT_INSTALLED;
    return App().noRestartNeeded ? IDD_COMPLETE : IDD_RESTART;
}
