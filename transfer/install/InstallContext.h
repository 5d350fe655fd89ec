#pragma once
// What the installation of files needs from the running Setup.
#include <string>
#include <vector>

class CDestinationStore;
class CDisketteLabels;
class CTargetStore;
class CUninstallLog;
class CInstallFile;

// The copying window, as file installation and source processing see it.
class ICopyProgress {
public:
    virtual ~ICopyProgress() = default;
    // Bytes of the current file done so far: gauge, file display, and the pending-cancel question.
    virtual void ReportProgress(unsigned long long bytesOfFile) = 0;
    virtual void BeginFile(const CInstallFile& file) = 0;
    virtual void EndFile(const CInstallFile& file) = 0;
};

struct InstallContext {
    CDestinationStore* destinations = nullptr;
    CTargetStore* targets = nullptr;
    CUninstallLog* log = nullptr;
    const CDisketteLabels* diskettes = nullptr;
    std::string* sourceDirectory = nullptr;   // may move to a numbered sibling directory
    bool* cancelled = nullptr;                // the application's cancel flag
    bool* noRestartNeeded = nullptr;          // cleared when a file waits for the next start
    bool* errorsSkipped = nullptr;            // set when a source is skipped after an error
    bool unattended = false;                  // nobody there: errors and prompts take their defaults
    bool isNT = false;
    // Full paths (value names) of the shared DLLs of the profile: logged elsewhere, not here.
    std::vector<std::string> sharedDllNames;
    ICopyProgress* progress = nullptr;
    void* ownerWindow = nullptr;              // HWND of the prompts' owner
};
