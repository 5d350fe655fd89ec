#include "app/pages/CUnsetupProgressPage.h"

#include "app/CSetupApp.h"
#include "framework/Win32Helpers.h"
#include "transfer/CGauge.h"

CUnsetupProgressPage::CUnsetupProgressPage() : CWizardPage(IDD_UNSETUP_PROGRESS, IDD_REMOVED)
{
}

CUnsetupProgressPage::~CUnsetupProgressPage() = default;

bool CUnsetupProgressPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    gauge_ = std::make_unique<CGauge>(0, CRemoval::kGaugeMaximum, 0);
    RECT none = {};
    gauge_->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, none, Handle(), IDC_GAUGE);
    return result;
}

int CUnsetupProgressPage::OnPageActivated()
{
    CSetupApp& app = App();
    // Until the removal has run to its end, the uninstaller stays for another try.
    app.keepUnsetupFiles = true;
    CRemovalActions actions(app, *this);
    CRemoval removal(*app.destinations, app.groups, app.targets, actions);
    removal.inPlace = app.inPlace;
    removal.windowsDirectory = actions.WindowsDirectory();
    removal.systemDirectory = actions.SystemDirectory();
    if (!removal.Run()) {
        app.cancelled = true;
        return IDD_NOT_UNINSTALLED;
    }
    app.keepUnsetupFiles = false;
    return IDD_REMOVED;
}

bool CUnsetupProgressPage::SetStatus(int labelId, int textId)
{
    return ShowStatus(labelId, LoadResString(static_cast<UINT>(textId)));
}

bool CUnsetupProgressPage::SetFileStatus(int labelId, const std::string& path)
{
    return ShowStatus(labelId, path);
}

bool CUnsetupProgressPage::ShowStatus(int labelId, const std::string& text)
{
    // Cancel is pressed while the removal runs: its click waits in the queue until here.
    PumpMessages();
    SetItemText(IDC_SOURCE_FILE, LoadResString(static_cast<UINT>(labelId)));
    SetItemText(IDC_STATUS_TEXT, text);
    if (!cancelRequested_)
        return true;
    if (QueryStop())
        return false;
    cancelRequested_ = false;
    return true;
}

bool CUnsetupProgressPage::QueryStop()
{
    return ShowMessageBox(LoadResString(IDS_REALLY_CANCEL_UNSETUP), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CUnsetupProgressPage::SetGauge(int position)
{
    gauge_->SetPos(static_cast<std::uint32_t>(position), true);
}
