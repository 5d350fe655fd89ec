#include "app/pages/CLicensePage.h"

#include "app/CSetupApp.h"
#include "framework/CFrameworkException.h"
#include "framework/WholeFile.h"

std::string CLicensePage::ReadAgreement(const std::string& path)
{
    std::string text;
    if (DWORD error = ReadWholeFile(path, text))
        CFileException::ThrowOsError(static_cast<long>(error), path);
    return text;
}

bool CLicensePage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    std::string text = ReadAgreement(App().sourceDirectory + "agree.txt");
    SetItemText(IDC_LICENSE_TEXT, text);
    return result;
}
