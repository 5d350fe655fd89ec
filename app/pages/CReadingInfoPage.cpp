#include "app/pages/CReadingInfoPage.h"

#include "framework/Win32Helpers.h"

int CReadingInfoPage::OnPageActivated()
{
    PumpMessages();
    return NextId();
}
