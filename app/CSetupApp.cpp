#include "app/CSetupApp.h"

#include "framework/FormatText.h"
#include "framework/RunReport.h"

#include "app/CMainWnd.h"
#include "app/CommandLine.h"
#include "app/PageEngine.h"
#include "framework/CFrameworkException.h"
#include "framework/ProcAddress.h"
#include "framework/Win32Helpers.h"
#include "integration/ProductFiles.h"
#include "integration/ShortcutRules.h"
#include "profile/CPrivateProfileSource.h"
#include "profile/ManifestLoader.h"
#include "resources/resource.h"
#include "transfer/errors/CErrorDialog.h"
#include "transfer/errors/CXException.h"
#include "transfer/errors/CXUserException.h"
#include "transfer/paths/CFilePath.h"
#include "uninstall/SelfRemoval.h"

namespace {
constexpr UINT WM_SETUP_FINISHED = WM_USER + 314;  // posted to the /T thread at exit

std::string ModuleFileName()
{
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return buffer;
}

std::string KnownDirectory(CFilePath::Known kind)
{
    return CFilePath(kind).Path();
}

std::string WithTrailingBackslash(const std::string& directory)
{
    CFilePath path(directory);
    path.AddTrailingBackslash();
    return path.Path();
}

std::string LoadMessageString(unsigned id)
{
    return LoadResString(id);
}

}

CSetupApp& App()
{
    return *static_cast<CSetupApp*>(CApplication::Current());
}

CSetupApp::CSetupApp() = default;
CSetupApp::~CSetupApp() = default;

std::string CSetupApp::ProgramDirectory() const
{
    return KnownDirectory(CFilePath::Known::programDir);
}

bool CSetupApp::InitInstance()
{
    DetectPlatform();
    SetMessageStringLoader(LoadMessageString);
    destinations = std::make_unique<CDestinationStore>(
        ProgramDirectory(), KnownDirectory(CFilePath::Known::windowsDir),
        KnownDirectory(CFilePath::Known::systemDir), KnownDirectory(CFilePath::Known::tempDir));
    CFilePath manifest(ModuleFileName());
    manifest.SetExtension("ini");
    profilePath = manifest.Path();
    sourceDirectory = ProgramDirectory();
    logPath = KnownDirectory(CFilePath::Known::windowsDir) + "kmwin4.log";
    writeLog = true;
    if (isNT && !isNT4)
        LoadThreeDControls();

    diskettes = std::make_unique<CDisketteLabels>(LoadResString(IDS_DISKETTE_LABEL));
    title = LoadResString(IDS_TITLE);
    programFolder = LoadResString(IDS_DEFAULT_FOLDER);
    SetMessageBoxCaption(title);
    ApplyCommandLine();
    // An existing uninstall log is kept: it is the only record of an earlier installation, and
    // this run's records are written into it. A run that never ended left a journal: folded in
    // before anything reads the log.
    if (unsetupMode) {
        CUninstallLog::FoldJournal(logPath);
    } else {
        log = std::make_unique<CUninstallLog>(logPath);
        log->Open();
    }

    mainWindow_ = std::make_unique<CMainWnd>();
    if (!mainWindow_->CreateMain(title, unattended))
        return false;
    SetMainWindow(mainWindow_->Handle());
    LoadProfile();

    ReportRunStart();
    if (unsetupMode) {
        profilePath = logPath;
        GoToPage(IDD_UNSETUP_START);
    } else {
        GoToPage(IDD_TITLE);
    }
    return true;
}

void CSetupApp::DetectPlatform()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        isNT = true;
        // This version or later: Windows 2000 and its successors have the NT 4 shell, not
        // Program Manager.
        isNT4 = version.dwMajorVersion >= 4;
    }
}

void CSetupApp::LoadThreeDControls()
{
    UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA("ctl3d32.dll");
    SetErrorMode(previousMode);
    if (reinterpret_cast<UINT_PTR>(library) < 33)
        return;
    threeDControls_ = library;
    auto registerControls = FindWinApiFunction<BOOL, HINSTANCE>(library, "Ctl3dRegister");
    auto autoSubclass = FindWinApiFunction<BOOL, HINSTANCE>(library, "Ctl3dAutoSubclass");
    if (registerControls && registerControls(Instance()) && autoSubclass)
        autoSubclass(Instance());
}

void CSetupApp::ApplyCommandLine()
{
    CommandLine line = CommandLine::Parse(CommandLineText());
    unsetupMode = line.unsetup;
    if (line.sourceDirectory)
        sourceDirectory = WithTrailingBackslash(*line.sourceDirectory);
    notifyThread = line.notifyThread;
    unattended = line.unattended;
    SetUnattended(unattended);
    inPlace = line.inPlace;
    conditionsOverride = line.conditionsOverride;
    restartLeftToCaller = line.restartLeftToCaller;
    if (line.runReport)
        StartRunReport(*line.runReport);
}

void CSetupApp::StartRunReport(const std::string& path)
{
    runReportPath_ = path;
    runReport_ = std::make_unique<CRunReportFile>();
    if (DWORD error = runReport_->Open(path)) {
        ReportRunReportFailure(error);
        return;
    }
    RunReport::SetWriter([this](const std::string& line) {
        if (!runReportFailed_ && !runReport_->Write(line))
            ReportRunReportFailure(GetLastError());
    });
}

void CSetupApp::ReportRunReportFailure(DWORD error)
{
    // Said once; the installation goes on without its record.
    runReportFailed_ = true;
    if (!unattended)
        ShowMessageBox(FormatText(LoadResString(IDS_RUN_REPORT_FAILED).c_str(), runReportPath_.c_str(),
                                  SystemErrorText(error).c_str()),
                       MB_OK | MB_ICONEXCLAMATION);
}

void CSetupApp::ReportRunStart() const
{
    if (!RunReport::IsOn())
        return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    const char* platform = !isNT ? "Windows 95" : isNT4 ? "Windows NT, the Start menu's shell" : "Windows NT, Program Manager";
    RunReport::Say(title + (unsetupMode ? ": Unsetup" : ": Setup") + " (" + ModuleFileName() + ")");
    RunReport::Say(FormatText("platform: %s (version %lu.%lu, build %lu)", platform, version.dwMajorVersion,
                              version.dwMinorVersion, version.dwBuildNumber & 0xFFFF));
    RunReport::Say("command line: " + CommandLineText());
    RunReport::Say("medium: " + sourceDirectory + "; uninstall log: " + logPath);
}

int CSetupApp::ExitInstance()
{
    mainWindow_.reset();
    if (threeDControls_)
        FreeLibrary(threeDControls_);
    threeDControls_ = nullptr;

    if (!unsetupMode) {
        // However the run ended, what it wrote goes into the log that Unsetup reads.
        if (log)
            log->Commit();
        if (notifyThread)
            PostThreadMessageA(notifyThread, WM_SETUP_FINISHED, 0, 0);
    } else {
        RunUnsetupEpilogue();
    }
    CApplication::ExitInstance();
    RunOutcome outcome = DecideOutcome(run);
    int exitCode = ExitCodeOf(outcome);
    RunReport::Say(std::string("outcome: ") + OutcomeName(outcome) + ", exit code " + std::to_string(exitCode));
    RunReport::SetWriter(nullptr);
    return exitCode;
}

void CSetupApp::RunUnsetupEpilogue()
{
    std::string ownDirectory = ProgramDirectory();
    SetCurrentDirectoryA(ownDirectory.c_str());
    if (notifyThread)
        PostThreadMessageA(notifyThread, WM_SETUP_FINISHED, 0, 0);
    Sleep(5000);
    // Until the product is gone its uninstaller stays: after a cancel, a stop or a failure it is
    // what removes the product later.
    if (keepUnsetupFiles || inPlace || !run.reachedEnd)
        return;
    // Leaving the directory first, so that nothing of this process holds it any more.
    CFilePath directory(ownDirectory);
    directory.RemoveTrailingBackslash();
    SetCurrentDirectoryA(CFilePath(CFilePath::Known::tempDir).c_str());
    CFilePath uninstaller(ownDirectory + ProductFiles::kUninstaller);
    if (uninstaller.Exists()) {
        RunReport::Say("uninstaller " + uninstaller.Path() + ": goes, with its folder when that is empty, once this run has ended");
        StartSelfRemoval(uninstaller.Path(), directory.Path());
    }
}

void CSetupApp::OnWindowProcException(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const CUserException&) {
        // A cancellation: nothing to report.
    } catch (const CXUserException&) {
    } catch (const std::exception& error) {
        OnFatalError(error);
    } catch (...) {
        OnFatalError(CXException(1));
    }
}

void CSetupApp::OnFatalError(const std::exception& error)
{
    if (unattended) {
        EndUnattendedRun();
        return;
    }
    run.failed = true;
    ReportFatalError(IDS_SETUP_CANNOT_CONTINUE, error);
}

bool CSetupApp::UsesShellLinks() const
{
    return ::UsesShellLinks(isNT, isNT4);
}

void CSetupApp::EndUnattendedRun()
{
    run.failed = true;
    cancelled = true;
    // Nobody would read the report, and nobody could leave the page it leaves behind: the run
    // ends as a confirmed cancel would end it, without the closing page that only says so.
    PostQuitMessage(0);
}

void CSetupApp::LoadStores()
{
    CPrivateProfileSource file(profilePath);
    ManifestLoader::LoadDestinations(file, *destinations);
    PumpMessages();
    ManifestLoader::LoadGroups(file, groups);
    PumpMessages();
    ManifestLoader::LoadTargets(file, targets);
    PumpMessages();
    ManifestLoader::LoadSources(file, groups, copyList);
    PumpMessages();
    ManifestLoader::LoadDisketteLabels(file, *diskettes);
    PumpMessages();
}

void CSetupApp::LoadProfile()
{
    CFilePath path(ModuleFileName());
    path.SetFileName(CProfileContents::kFileName);
    const std::string file = path.Path();
    CPrivateProfileSource values(file);
    MediaTypeValues mediaTypes = CProfileContents::ReadMediaTypeValues(
        [&](const std::string& section, const std::string& key, const std::string& fallback, unsigned bufferSize) {
            return values.Value(section, key, fallback, bufferSize);
        });
    profileContents = std::make_unique<CProfileContents>();
    profileContents->Load(file, isNT, mediaTypes);
}

void CSetupApp::FillSpaceTable()
{
    static const std::int32_t kSpace[9] = {
        12637460, 10409172, 2228288,  // Minimal: total, destination 0, system
        34519758, 32291470, 2228288,  // Typical
        46655694, 44427406, 2228288,  // Custom
    };
    for (int i = 0; i < 9; ++i)
        spaceTable[i] = kSpace[i];
}
