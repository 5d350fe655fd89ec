#include "app/pages/CReadingInfoPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"
#include "profile/ManifestErrors.h"
#include "transfer/errors/CInstallProfileException.h"

int CReadingInfoPage::OnPageActivated()
{
    PumpMessages();
    try {
        App().LoadStores();
    } catch (const CInstallProfileException& error) {
        // No log, or one without destinations: Setup never finished here, so there is nothing
        // recorded to remove, and the fixed removal steps still run.
        if (error.cause != kProfileMissingDestinations)
            throw;
    }
    return NextId();
}
