#include "app/pages/CTitlePage.h"

#include <ctime>

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"

namespace {
constexpr long kMinimumSeconds = 3;
}

bool CTitlePage::OnInitDialog()
{
    picture_ = LoadBitmapA(App().Instance(), MAKEINTRESOURCEA(IDB_TITLE));
    ShowPicture();
    return CWizardPage::OnInitDialog();
}

void CTitlePage::ShowPicture() const
{
    if (picture_)
        SendDlgItemMessageA(Handle(), IDC_TITLE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(picture_));
}

INT_PTR CTitlePage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == WM_PAINT)
        ShowPicture();
    return CWizardPage::OnMessage(message, wParam, lParam, handled);
}

int CTitlePage::OnPageActivated()
{
    PumpMessages();
    CSetupApp& app = App();
    app.LoadStores();
    if (app.inPlace)
        app.destinations->SetMainDirectory(app.sourceDirectory);
    app.FillSpaceTable();
    // The picture stays long enough to be seen; unattended, nobody sees it, and the wait would
    // only delay the deployment. The run-time clock counts from the start of the program.
    while (!app.unattended && std::clock() / CLOCKS_PER_SEC < kMinimumSeconds) {
        PumpMessages();
        Sleep(50);
    }
    return NextId();
}

void CTitlePage::PostNcDestroy()
{
    if (picture_)
        DeleteObject(picture_);
    CWizardPage::PostNcDestroy();
}
