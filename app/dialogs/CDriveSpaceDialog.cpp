#include "app/dialogs/CDriveSpaceDialog.h"

#include "app/CSetupApp.h"
#include "app/DirectoryChecks.h"
#include "framework/Win32Helpers.h"
#include "transfer/media/CDriveIterator.h"

bool CDriveSpaceDialog::Run(HWND parent, const std::string& currentDirectory, char& letter)
{
    CDriveSpaceDialog dialog(currentDirectory);
    if (dialog.DoModal(parent) != IDOK || !dialog.letter_)
        return false;
    letter = dialog.letter_;
    return true;
}

bool CDriveSpaceDialog::OnInitDialog()
{
    HWND combo = Item(IDC_DRIVE_COMBO);
    char currentLetter = currentDirectory_.size() >= 2 && currentDirectory_[1] == ':'
                             ? static_cast<char>(toupper(static_cast<unsigned char>(currentDirectory_[0])))
                             : 0;
    CDriveIterator drives;
    LRESULT selection = 0;
    while (drives.Next()) {
        std::string entry = std::string(1, drives.Letter()) + ":";
        LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (drives.Letter() == currentLetter)
            selection = index;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    std::uint64_t required = static_cast<std::uint64_t>(App().spaceTable[6]);
    SetItemText(IDC_SPACE_REQUIRED,
                LoadResString(IDS_SPACE_REQUIRED) + " " + std::to_string(Megabytes(required)) + "MB");
    ShowAvailable();
    CenterOver(GetParent(Handle()));
    return true;
}

std::string CDriveSpaceDialog::SelectedEntry() const
{
    HWND combo = Item(IDC_DRIVE_COMBO);
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    char text[16] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof text))
        return std::string();
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void CDriveSpaceDialog::ShowAvailable()
{
    std::string entry = SelectedEntry();
    std::uint64_t free = entry.empty() ? 0 : FreeSpaceOf(entry.substr(0, 1) + ":\\");
    SetItemText(IDC_SPACE_AVAILABLE,
                LoadResString(IDS_SPACE_AVAILABLE) + " " + std::to_string(Megabytes(free)) + "MB");
}

bool CDriveSpaceDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_DRIVE_COMBO && code == CBN_SELCHANGE) {
        ShowAvailable();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CDriveSpaceDialog::OnOK()
{
    std::string entry = SelectedEntry();
    letter_ = entry.empty() ? 0 : entry[0];
    EndModal(IDOK);
}
