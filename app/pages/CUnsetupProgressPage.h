#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// The removal with its progress: runs once when the page becomes current.
class CUnsetupProgressPage : public CWizardPage {
public:
    CUnsetupProgressPage() : CWizardPage(IDD_UNSETUP_PROGRESS, IDD_REMOVED) {}
    int OnPageActivated() override;
    void OnCancel() override { cancelRequested_ = true; }

private:
    bool cancelRequested_ = false;
};
