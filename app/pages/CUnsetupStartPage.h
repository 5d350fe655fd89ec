#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// "You have chosen to remove Kalmora 4.0." with Continue and Cancel.
class CUnsetupStartPage : public CWizardPage {
public:
    CUnsetupStartPage() : CWizardPage(IDD_UNSETUP_START, IDD_READING_INFO) {}
    bool ConfirmCancel() override;
};
