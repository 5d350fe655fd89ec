#include "app/pages/CUnsetupProgressPage.h"

#include "framework/Win32Helpers.h"

int CUnsetupProgressPage::OnPageActivated()
{
    PumpMessages();
    return NextId();
}
