#include "app/pages/CDestinationPage.h"

#include "app/CSetupApp.h"
#include "app/DirectoryChecks.h"
#include "app/dialogs/CBrowseDialog.h"
#include "app/dialogs/CDriveSpaceDialog.h"
#include "transfer/media/CDriveIterator.h"

std::string CDestinationPage::InitialDirectory()
{
    const CSetupApp& app = App();
    std::string directory = app.destinations->GetDirectory(CDestinationStore::kMain);
    if (directory.empty()) {
        const CDestination* main = app.destinations->Find(CDestinationStore::kMain);
        directory = main ? main->name : std::string();
    }
    bool hasDrive = directory.size() >= 2 && directory[1] == ':';
    if (!hasDrive) {
        CDriveIterator drives;
        std::string drive = drives.NextFixed() ? std::string(1, drives.Letter()) + ":" : "C:";
        if (directory.empty() || directory[0] != '\\')
            directory.insert(0, "\\");
        directory.insert(0, drive);
    }
    if (directory.size() > 3 && directory.back() == '\\')
        directory.pop_back();
    return directory;
}

bool CDestinationPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    SetItemText(IDC_DIRECTORY, InitialDirectory());
    return result;
}

bool CDestinationPage::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED && id == IDC_BROWSE) {
        BrowseInto(*this);
        return true;
    }
    if (code == BN_CLICKED && id == IDC_DRIVE_SPACE) {
        ChooseDriveInto(*this);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}

void CDestinationPage::BrowseInto(CDialog& page)
{
    std::string chosen;
    if (CBrowseDialog::Run(page.Handle(), page.ItemText(IDC_DIRECTORY), chosen))
        page.SetItemText(IDC_DIRECTORY, chosen);
}

void CDestinationPage::ChooseDriveInto(CDialog& page)
{
    std::string directory = page.ItemText(IDC_DIRECTORY);
    char letter = 0;
    if (!CDriveSpaceDialog::Run(page.Handle(), directory, letter))
        return;
    if (directory.size() >= 2 && directory[1] == ':')
        directory[0] = letter;
    else
        directory = std::string(1, letter) + ":\\" + directory;
    page.SetItemText(IDC_DIRECTORY, directory);
}

void CDestinationPage::OnOK()
{
    std::string directory = ItemText(IDC_DIRECTORY);
    if (RefuseDiskette(directory) || !ValidatePathWithMessage(directory) || RefuseFullDrive(directory))
        return;
    App().destinations->SetMainDirectory(directory);
    CWizardPage::OnOK();
}
