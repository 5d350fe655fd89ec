#pragma once
#include "app/CWizardPage.h"
#include "resources/resource.h"

// The title picture, shown while the setup manifest is loaded; it stays at least three seconds.
class CTitlePage : public CWizardPage {
public:
    CTitlePage() : CWizardPage(IDD_TITLE, IDD_WELCOME) {}
    int OnPageActivated() override;

protected:
    bool OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void PostNcDestroy() override;

private:
    void ShowPicture() const;
    HBITMAP picture_ = nullptr;
};
