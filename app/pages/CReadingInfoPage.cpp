#include "app/pages/CReadingInfoPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

int CReadingInfoPage::OnPageActivated()
{
    PumpMessages();
    App().LoadStores();
    return NextId();
}
