#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// The copying page: runs the install driver when it becomes current.
class CCopyingPage : public CWizardPage {
public:
    CCopyingPage() : CWizardPage(IDD_COPYING, IDD_COMPLETE) {}
    void PositionPage() override;
    int OnPageActivated() override;
    void OnCancel() override;

private:
    int RunInstall();
    bool cancelRequested_ = false;
};
