#include "app/pages/CSetupTypePage.h"

#include "app/CSetupApp.h"
#include "app/DirectoryChecks.h"
#include "framework/Win32Helpers.h"

namespace {
constexpr int kMinimal = 1;
constexpr int kTypical = 2;
constexpr int kCustom = 3;
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
                               std::to_string(Megabytes(static_cast<std::uint64_t>(total))) + "MB");
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
    CSetupApp& app = App();
    if (type == kCustom) {
        app.setupType = kCustom;
        SetNextId(IDD_CUSTOM_OPTIONS);
        CWizardPage::OnOK();
        return;
    }
    const std::int32_t* triple = &app.spaceTable[(type - 1) * 3];
    SpaceNeed need = {static_cast<std::uint64_t>(triple[0]), static_cast<std::uint64_t>(triple[1]),
                      static_cast<std::uint64_t>(triple[2])};
    SetNextId(TargetDrivesHaveRoom(need) ? IDD_PROGRAM_FOLDER : IDD_NOT_ENOUGH_SPACE);
    app.groups.ApplySetupType(type);
    // Minimal takes the registry entries of option 1, Typical those of option 2; both take the
    // shared DLLs of option 1.
    app.profileContents->SelectEntries(type == kMinimal ? "1" : "2", "1");
    app.setupType = type;
    CWizardPage::OnOK();
}
