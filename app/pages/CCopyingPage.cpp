#include "app/pages/CCopyingPage.h"

#include <windows.h>

#include "app/CBillboard.h"
#include "app/CIntegrationSequence.h"
#include "app/CSetupApp.h"
#include "app/dialogs/CStackerDialog.h"
#include "framework/CStepTrace.h"
#include "framework/FormatText.h"
#include "framework/Win32Helpers.h"
#include "integration/ProductFiles.h"
#include "transfer/gauge/CGauge.h"
#include "transfer/install/CInstallFile.h"
#include "transfer/media/CSourceArchive.h"
#include "transfer/paths/CanonicalPath.h"
#include "uninstall/CUninstallLog.h"

namespace {
constexpr char kProgramGroup[] = "program";
constexpr char kInstallProgramsGroup[] = "Install Programs";
// Each look at the message queue and each new text on the page is a trip to the window system,
// and the copy loop reports every 4096 bytes, hundreds of times a frame of the screen: both happen
// at most this often.
constexpr DWORD kRefreshIntervalMs = 10;
}

CCopyingPage::CCopyingPage() : CWizardPage(IDD_COPYING, IDD_COMPLETE) {}
CCopyingPage::~CCopyingPage() = default;

void CCopyingPage::PositionPage()
{
    PlaceWindow(Handle(), 1, 2, 3, 4);
}

bool CCopyingPage::OnInitDialog()
{
    bool result = CWizardPage::OnInitDialog();
    gauge_ = std::make_unique<CGauge>(0, 0, 0);
    RECT none = {};
    gauge_->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, none, Handle(), IDC_GAUGE);
    return result;
}

int CCopyingPage::OnPageActivated()
{
    return RunInstall();
}

void CCopyingPage::AddRunningProgram()
{
    CSetupApp& app = App();
    const CGroup* program = app.groups.Find(kProgramGroup);
    if (app.inPlace || !program || !program->install)
        return;
    CGroup group;
    group.name = kInstallProgramsGroup;
    group.install = true;
    CGroup& installPrograms = app.groups.Put(group);

    char ownPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, ownPath, sizeof ownPath);
    CFilePath own(ownPath);
    auto item = std::make_unique<CSourceArchive>();
    item->fileName = own.GetFileName();
    // Installed as the uninstaller that the icons, Add/Remove Programs and Unsetup's own end name.
    item->fixedSourcePath = own.Path();
    item->installedName = ProductFiles::kUninstaller;
    item->sourceType = CSourceArchive::kPlainFile;
    item->totalSize = static_cast<std::uint32_t>(own.GetSize());
    item->fileCount = 1;
    item->destinationId = CDestinationStore::kMain;
    item->owner = &installPrograms;
    app.copyList.Insert(std::move(item));
}

std::uint64_t CCopyingPage::SelectedTotal() const
{
    std::uint64_t total = 0;
    for (const auto& source : App().copyList)
        if (source->owner && source->owner->install)
            total += source->totalSize;
    return total;
}

void CCopyingPage::AskCopyDelay()
{
    CSetupApp& app = App();
    CSetupSettings& settings = app.profileContents->settings;
    if (app.unattended) {
        // The dialog's default answer; a question would stop an unattended run for ever.
        settings.SetFileCopyDelayInterval(0);
        return;
    }
    CStackerDialog dialog(settings.FileCopyDelayInterval());
    dialog.DoModal(app.MainWindow());
    settings.SetFileCopyDelayInterval(dialog.Delay());
}

int CCopyingPage::RunInstall()
{
    CSetupApp& app = App();
    AddRunningProgram();
    total_ = SelectedTotal();
    scale_ = 0;
    while ((total_ >> scale_) > 0xFFFFFFFFull)
        ++scale_;
    gauge_->rangeMin = 0;
    gauge_->rangeMax = static_cast<std::uint32_t>(total_ >> scale_);
    gauge_->SetPos(0, true);
    AskCopyDelay();
    Billboards::Announce(total_, app.inPlace ? 2 : 6);

    InstallContext context;
    context.destinations = app.destinations.get();
    context.targets = &app.targets;
    context.log = app.log.get();
    context.diskettes = app.diskettes.get();
    context.sourceDirectory = &app.sourceDirectory;
    context.cancelled = &app.cancelled;
    context.noRestartNeeded = &app.noRestartNeeded;
    context.errorsSkipped = &app.run.errorsSkipped;
    context.unattended = app.unattended;
    context.isNT = app.isNT;
    // The shared DLLs that this installation counts are recorded through their counts alone, so
    // that Unsetup removes them only when no other product uses them any more.
    for (const auto& dll : app.profileContents->sharedDlls.Entries())
        if (dll->selected)
            context.sharedDllNames.push_back(dll->valueName);
    context.progress = this;
    context.ownerWindow = app.MainWindow();

    // What a run that stopped left under temporary names goes first; then the record that lets
    // Unsetup resolve every file goes into the log, before the first file lands.
    app.log->RemoveTemporaryCopies(false, [&](const std::string& path) { return IsInADestination(path); });
    CIntegrationSequence integration(app);
    integration.SaveRecord();
    doneBeforeFile_ = 0;
    CopySources(context);
    if (app.inPlace)
        app.targets.TakeFilesFrom(app.sourceDirectory);
    else
        app.targets.UseInstalledPaths();
    Billboards::Close();
    if (app.cancelled) {
        // The files copied so far stay, and the record that lets Unsetup find them.
        integration.SaveRecord();
        app.log->Commit();
        return IDD_NOT_INSTALLED;
    }
    int next = integration.Run();
    // The run's work is done: the log that Unsetup reads is written now.
    app.log->Commit();
    return next;
}

bool CCopyingPage::IsInADestination(const std::string& path) const
{
    // This run's destinations come from the manifest and the machine, never from the log.
    auto longForm = [](const std::string& name) { return CFilePath(name).LongForm(); };
    std::string directory = CanonicalPath::Full(CFilePath(path).GetDirectory(), longForm);
    if (directory.empty())
        return false;
    for (const auto& [number, destination] : App().destinations->All())
        if (!destination.directory.IsEmpty() &&
            CanonicalPath::Same(directory, CanonicalPath::Full(destination.directory.Path(), longForm)))
            return true;
    return false;
}

void CCopyingPage::CopySources(InstallContext& context)
{
    CStepTrace trace("copying");
    CSetupApp& app = App();
    for (const auto& source : app.copyList) {
        if (app.cancelled)
            break;
        if (!source->owner || !source->owner->install)
            continue;
        SetItemText(IDC_SOURCE_FILE, source->fileName);
        UpdateWindow(Handle());
        currentSource_ = source.get();
        source->Process(context);
        currentSource_ = nullptr;
    }
}

void CCopyingPage::BeginFile(const CInstallFile& file)
{
    currentFile_ = &file;
}

void CCopyingPage::EndFile(const CInstallFile& file)
{
    doneBeforeFile_ += file.header.originalSize;
    currentFile_ = nullptr;
    ShowGauge(doneBeforeFile_);
    Billboards::ReportProgress(doneBeforeFile_);
}

void CCopyingPage::ShowGauge(std::uint64_t done)
{
    std::uint32_t position = static_cast<std::uint32_t>(done >> scale_);
    unsigned percent = CGauge::Percent(gauge_->rangeMin, gauge_->rangeMax, position);
    // The gauge shows whole percents: repainting it for every 4096 bytes would cost more than
    // the copying itself.
    bool changed = percent != shownPercent_;
    gauge_->SetPos(position, changed);
    shownPercent_ = percent;
}

void CCopyingPage::ReportProgress(unsigned long long bytesOfFile)
{
    DWORD now = GetTickCount();
    bool refresh = now - lastRefreshTick_ >= kRefreshIntervalMs;
    if (refresh) {
        lastRefreshTick_ = now;
        PumpMessages();
    }
    CSetupApp& app = App();
    if (cancelRequested_) {
        if (ConfirmCancel()) {
            if (currentSource_)
                currentSource_->Abort();
            app.cancelled = true;
            SetNextId(IDD_NOT_INSTALLED);
            return;
        }
        cancelRequested_ = false;
    }
    std::uint64_t done = doneBeforeFile_ + bytesOfFile;
    ShowGauge(done);
    if (currentFile_ && refresh)
        ShowFileProgress(*currentFile_, bytesOfFile);
    Billboards::ReportProgress(done);
}

void CCopyingPage::ShowFileProgress(const CInstallFile& file, unsigned long long bytesOfFile)
{
    std::uint64_t size = file.header.originalSize;
    std::uint64_t percent = bytesOfFile * 100 / (size + 1);
    if (percent > 100)
        percent = 100;
    std::string text = FormatText("%s (%d%%)", file.destinationPath.GetFileName().c_str(), static_cast<int>(percent));
    if (text != shownFileText_) {
        SetItemText(IDC_DESTINATION_FILE, text);
        shownFileText_ = text;
    }
}
