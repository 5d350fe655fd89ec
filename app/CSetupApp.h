#pragma once
// The application object of Setup and Unsetup: owns everything that lives for the whole run.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "app/CProfileContents.h"
#include "app/RunOutcome.h"
#include "framework/CApplication.h"
#include "framework/CRunReportFile.h"
#include "profile/CDestinationStore.h"
#include "profile/CDisketteLabels.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "transfer/media/CSourceList.h"
#include "uninstall/CUninstallLog.h"

class CMainWnd;

class CSetupApp : public CApplication {
public:
    CSetupApp();
    ~CSetupApp() override;

    bool InitInstance() override;
    int ExitInstance() override;
    void OnWindowProcException(std::exception_ptr exception) override;
    // Unattended, a run that cannot go on ends at once, as not completed.
    void EndUnattendedRun();

    std::string title;                // string 4: caption and setup title
    std::string programFolder;        // string 6 until the Program Folder page changes it
    bool unsetupMode = false;         // "/U"
    std::unique_ptr<CDestinationStore> destinations;
    CGroupStore groups;
    CTargetStore targets;
    CSourceList copyList;
    std::unique_ptr<CDisketteLabels> diskettes;
    std::string profilePath;          // the setup manifest: own file name with extension "ini"
    std::string sourceDirectory;      // where files are read from, with a trailing backslash
    std::string logPath;              // the uninstall log in the Windows directory
    std::unique_ptr<CUninstallLog> log;  // Setup: the log this run writes
    bool writeLog = true;
    bool cancelled = false;           // a cancel was confirmed
    std::uint32_t notifyThread = 0;   // "/T:"
    bool unattended = false;          // "/B"
    bool conditionsOverride = false;  // "/I"
    bool keepUnsetupFiles = false;
    bool inPlace = false;             // "/N"
    bool restartLeftToCaller = false; // "/R"
    bool noRestartNeeded = true;      // cleared when a file waits for the next start of Windows
    RunRecord run;                    // how the run is going: the exit code at the end
    bool isNT = false;
    bool isNT4 = false;               // Windows NT 4 or later
    // What the install profile describes; the settings hold the copy delay that the "Stacker
    // Settings" question starts from and stores.
    std::unique_ptr<CProfileContents> profileContents;
    int setupType = 0;                // 1 Minimal, 2 Typical, 3 Custom; 0 until chosen
    // Disk space per setup type: total, part on destination 0's drive, part on the system drive.
    std::int32_t spaceTable[9] = {};

    // The program's own directory, with a trailing backslash.
    std::string ProgramDirectory() const;
    // Reads the five stores from the file at the profile path, pumping messages between them.
    void LoadStores();
    // Reads the install profile "ov_setup.ini" beside the running program into profileContents.
    void LoadProfile();
    // The space per setup type that the setup type pages show and check.
    void FillSpaceTable();
    HWND MainWindowHandle() const { return MainWindow(); }
    // Shell links (Windows 95, NT 4) or Program Manager (older NT) for the program icons.
    bool UsesShellLinks() const;

private:
    void DetectPlatform();
    void LoadThreeDControls();
    void ApplyCommandLine();
    void RunUnsetupEpilogue();
    // The run cannot go on: reported to the user, or unattended, ended as not completed.
    void OnFatalError(const std::exception& error);

    void StartRunReport(const std::string& path);
    void ReportRunStart() const;
    void ReportRunReportFailure(DWORD error);

    HMODULE threeDControls_ = nullptr;
    std::unique_ptr<CRunReportFile> runReport_;
    std::string runReportPath_;
    bool runReportFailed_ = false;
    std::unique_ptr<CMainWnd> mainWindow_;
};

CSetupApp& App();
