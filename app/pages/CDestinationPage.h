#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// The product's main directory, typed or found with Browse and Drive Space.
class CDestinationPage : public CWizardPage {
public:
    CDestinationPage() : CWizardPage(IDD_DESTINATION, IDD_SETUP_TYPE, IDD_LICENSE) {}
    void OnOK() override;

    // Destination 0's directory, or its default placed on the first fixed drive.
    static std::string InitialDirectory();
    // Browse and Drive Space for a page's directory edit (also used by the custom options page).
    static void BrowseInto(CDialog& page);
    static void ChooseDriveInto(CDialog& page);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
};
