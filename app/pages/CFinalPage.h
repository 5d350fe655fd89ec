#pragma once
#include "app/CWizardPage.h"

// A closing page (complete, not installed, removed, not uninstalled): its button ends the program.
class CFinalPage : public CWizardPage {
public:
    explicit CFinalPage(int ownId) : CWizardPage(ownId, kEndProgram) {}
    void OnCancel() override { OnOK(); }
};
