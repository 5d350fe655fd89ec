#include "app/pages/CSetupTypePage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

namespace {
constexpr int kMinimal = 1;
constexpr int kTypical = 2;
constexpr int kCustom = 3;
constexpr long long kBytesPerMegabyte = 1024000;
}

bool CSetupTypePage::OnInitDialog()
{
    AttachBitmapButton(IDC_MINIMAL);
    AttachBitmapButton(IDC_TYPICAL);
    AttachBitmapButton(IDC_CUSTOM);
    ShowSpace(IDC_MINIMAL_SPACE, kMinimal);
    ShowSpace(IDC_TYPICAL_SPACE, kTypical);
    ShowSpace(IDC_CUSTOM_SPACE, kCustom);
    return CWizardPage::OnInitDialog();
}

void CSetupTypePage::ShowSpace(int controlId, int type) const
{
    long long total = App().spaceTable[(type - 1) * 3];
    SetItemText(controlId, LoadResString(IDS_SPACE_REQUIRED) + " " +
                               std::to_string(total / kBytesPerMegabyte) + "MB");
}

bool CSetupTypePage::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_MINIMAL: ChooseType(kMinimal); return true;
        case IDC_TYPICAL: ChooseType(kTypical); return true;
        case IDC_CUSTOM: ChooseType(kCustom); return true;
        default: break;
        }
    }
    return CWizardPage::OnCommand(id, code, control);
}

void CSetupTypePage::OnOK()
{
    ChooseType(kTypical);
}

void CSetupTypePage::ChooseType(int type)
{
    App().setupType = type;
    SetNextId(type == kCustom ? IDD_CUSTOM_OPTIONS : IDD_PROGRAM_FOLDER);
    CWizardPage::OnOK();
}
