#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// "Start Copying Files": the choices made, and the main directory made sure of.
class CStartCopyingPage : public CWizardPage {
public:
    CStartCopyingPage() : CWizardPage(IDD_START_COPYING, IDD_COPYING, IDD_PROGRAM_FOLDER) {}
    void OnOK() override;

protected:
    bool OnInitDialog() override;
};
