#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// A drive is short of space: change the path, change the option, go on anyway, or cancel.
class CNotEnoughSpacePage : public CWizardPage {
public:
    CNotEnoughSpacePage() : CWizardPage(IDD_NOT_ENOUGH_SPACE, IDD_PROGRAM_FOLDER) {}

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
};
