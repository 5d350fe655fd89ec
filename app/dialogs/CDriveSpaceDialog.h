#pragma once
#include <string>

#include "framework/CDialog.h"
#include "resources/resource.h"

// "Available Drive Space": the drives with the space each has, against what Setup needs.
class CDriveSpaceDialog : public CDialog {
public:
    explicit CDriveSpaceDialog(std::string currentDirectory)
        : CDialog(IDD_DRIVE_SPACE), currentDirectory_(std::move(currentDirectory)) {}

    // Shows the dialog; true with the chosen drive letter on OK.
    static bool Run(HWND parent, const std::string& currentDirectory, char& letter);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void ShowAvailable();
    std::string SelectedEntry() const;

    std::string currentDirectory_;
    char letter_ = 0;
};
