#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// Windows must restart before the product runs: Finish restarts now, Cancel leaves it for later.
class CRestartPage : public CWizardPage {
public:
    CRestartPage() : CWizardPage(IDD_RESTART, kEndProgram) {}
    void OnOK() override;
    void OnCancel() override;
};
