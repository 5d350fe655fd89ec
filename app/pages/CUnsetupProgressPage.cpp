#include "app/pages/CUnsetupProgressPage.h"

#include "app/CSetupApp.h"
#include "framework/CStepTrace.h"
#include "framework/Win32Helpers.h"
#include "transfer/gauge/CGauge.h"

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
    RemovalSettings settings;
    settings.logPath = app.logPath;
    settings.unattended = app.unattended;
    settings.isNT = app.isNT;
    settings.shellLinks = app.UsesShellLinks();
    settings.registryEntries = &app.profileContents->registryEntries;
    CRemovalActions actions(std::move(settings), *this);
    CRemovalScope::Places places;
    places.uninstallerDirectory = app.ProgramDirectory();
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    places.uninstallerProgram = program;
    places.windowsDirectory = actions.WindowsDirectory();
    places.systemDirectory = actions.SystemDirectory();
    places.temporaryDirectory = CFilePath(CFilePath::Known::tempDir).Path();
    CRemovalScope scope(places, [](const std::string& path) { return CFilePath(path).LongForm(); });
    CRemoval removal(*app.destinations, app.groups, app.targets, actions, scope);
    removal.inPlace = app.inPlace;
    RemovalEnd end;
    {
        CStepTrace trace("removal");
        end = removal.Run();
    }
    switch (end) {
    case RemovalEnd::stopped:
        app.cancelled = true;
        return IDD_NOT_UNINSTALLED;
    case RemovalEnd::incomplete:
        // What stays is in the log, and the uninstaller stays to remove it another time; the run
        // ends on the page that says so, as not completed.
        return IDD_NOT_UNINSTALLED;
    case RemovalEnd::removedAtRestart:
        app.run.restartPending = true;
        break;
    case RemovalEnd::removed:
        break;
    }
    app.keepUnsetupFiles = false;
    return IDD_REMOVED;
}

bool CUnsetupProgressPage::SetStatus(int labelId, int textId)
{
    PumpMessages();
    ShowLabel(labelId);
    SetItemText(IDC_STATUS_TEXT, LoadResString(static_cast<UINT>(textId)));
    return !StopConfirmed();
}

bool CUnsetupProgressPage::SetFileStatus(int labelId, const std::string& path)
{
    // Cancel is pressed while the removal runs: its click waits in the queue until here.
    PumpMessages();
    ShowLabel(labelId);
    // Files go faster than anyone can read: each repaint of the path would cost more than the
    // deletion itself, so the path is shown at most every few milliseconds.
    DWORD now = GetTickCount();
    if (now - lastFileShown_ >= kFileRefreshMs) {
        SetItemText(IDC_STATUS_TEXT, path);
        lastFileShown_ = now;
    }
    return !StopConfirmed();
}

void CUnsetupProgressPage::ShowLabel(int labelId)
{
    if (labelId == shownLabel_)
        return;
    SetItemText(IDC_SOURCE_FILE, LoadResString(static_cast<UINT>(labelId)));
    shownLabel_ = labelId;
}

bool CUnsetupProgressPage::StopConfirmed()
{
    if (!cancelRequested_)
        return false;
    if (QueryStop())
        return true;
    cancelRequested_ = false;
    return false;
}

bool CUnsetupProgressPage::QueryStop()
{
    return ShowMessageBox(LoadResString(IDS_REALLY_CANCEL_UNSETUP), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CUnsetupProgressPage::SetGauge(int position)
{
    gauge_->SetPos(static_cast<std::uint32_t>(position), true);
}
