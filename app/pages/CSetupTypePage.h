#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// Minimal, Typical or Custom, each with the disk space it needs.
class CSetupTypePage : public CWizardPage {
public:
    CSetupTypePage() : CWizardPage(IDD_SETUP_TYPE, IDD_PROGRAM_FOLDER, IDD_DESTINATION) {}
    void OnOK() override;  // Next acts as Typical

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowSpace(int controlId, int type) const;
    void ChooseType(int type);
};
