#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// "Reading Unsetup information. Please wait.": loads the record of the installation.
class CReadingInfoPage : public CWizardPage {
public:
    CReadingInfoPage() : CWizardPage(IDD_READING_INFO, IDD_UNSETUP_PROGRESS) {}
    int OnPageActivated() override;
};
