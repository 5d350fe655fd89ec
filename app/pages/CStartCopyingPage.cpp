#include "app/pages/CStartCopyingPage.h"

#include "app/CSetupApp.h"
#include "app/SummaryText.h"
#include "framework/Win32Helpers.h"
#include "transfer/paths/CFilePath.h"

bool CStartCopyingPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    const CSetupApp& app = App();
    UINT typeName = app.setupType == 1 ? IDS_MINIMAL : app.setupType == 2 ? IDS_TYPICAL : IDS_CUSTOM;
    std::vector<std::string> descriptions;
    for (const char* name : kSummaryGroups)
        if (const CGroup* group = app.groups.Find(name); group && group->install)
            descriptions.push_back(group->description);
    CFilePath directory(app.destinations->GetDirectory(CDestinationStore::kMain));
    SetItemText(IDC_SUMMARY, BuildSummary(LoadResString(typeName), descriptions, directory.GetDirectory(),
                                          app.programFolder));
    return result;
}

void CStartCopyingPage::OnOK()
{
    CFilePath directory(App().destinations->GetDirectory(CDestinationStore::kMain));
    if (!directory.DirectoryExists() && !directory.MakeDirectory(true))
        ShowMessageBox(LoadResString(IDS_WRITE_PROTECTED), MB_OK | MB_ICONEXCLAMATION);
    CWizardPage::OnOK();
}
