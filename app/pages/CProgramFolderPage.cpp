#include "app/pages/CProgramFolderPage.h"

#include "app/CSetupApp.h"
#include "integration/Shortcuts.h"
#include "uninstall/CUninstallLog.h"

CProgramFolderPage::CProgramFolderPage()
    : CWizardPage(IDD_PROGRAM_FOLDER, App().inPlace ? IDD_COPYING : IDD_START_COPYING,
                  App().inPlace ? IDD_WELCOME : IDD_SETUP_TYPE)
{
}

bool CProgramFolderPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    CSetupApp& app = App();
    // Unattended, nobody chooses: the default folder is taken without asking the shell.
    if (!app.unattended)
        FillFolderList(Item(IDC_FOLDER_LIST), app.UsesShellLinks());
    SetItemText(IDC_FOLDER_NAME, app.programFolder);
    return result;
}

bool CProgramFolderPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_FOLDER_LIST && code == LBN_SELCHANGE) {
        HWND list = Item(IDC_FOLDER_LIST);
        LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR) {
            LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
            std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(length > 0 ? length : 0));
            SetItemText(IDC_FOLDER_NAME, text);
        }
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}

void CProgramFolderPage::OnOK()
{
    CommitProgramFolder();
    CWizardPage::OnOK();
}

void CProgramFolderPage::CommitProgramFolder()
{
    CSetupApp& app = App();
    app.programFolder = ItemText(IDC_FOLDER_NAME);
    app.log->WriteProgramFolder(app.programFolder);
    if (app.inPlace) {
        // The setup type page was skipped: the in-place installation is a Typical one.
        app.groups.ApplySetupType(2);
        app.profileContents->SelectEntries("2", "1");
        app.setupType = 2;
    }
}
