#include "app/pages/CLicensePage.h"

#include "app/CSetupApp.h"
#include "framework/CFrameworkException.h"

std::string CLicensePage::ReadAgreement(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), path);
    std::string text;
    char buffer[16384];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        text.append(buffer, got);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok)
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
