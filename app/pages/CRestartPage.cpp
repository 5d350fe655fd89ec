#include "app/pages/CRestartPage.h"

void CRestartPage::OnOK()
{
    CWizardPage::OnOK();
}
