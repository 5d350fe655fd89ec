#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// The Start-menu folder or Program Manager group that receives the program icons.
class CProgramFolderPage : public CWizardPage {
public:
    CProgramFolderPage();
    void OnOK() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    // The chosen name becomes the program folder and goes into the log.
    void CommitProgramFolder();
};
