#pragma once
// What Setup does once the files are copied, in its fixed order: the record of the installation
// in the uninstall log, the program icons, the product's registry entries, shared DLL counts and
// file types with the destinations' macros expanded, its COM servers registered and its scheduler
// started, and the entries for what the product creates later. Its result is the last page:
// complete, or restart needed.
#include "uninstall/CUninstallLog.h"

class CSetupApp;

class CIntegrationSequence {
public:
    explicit CIntegrationSequence(CSetupApp& app);

    // The page that follows: IDD_COMPLETE, or IDD_RESTART when a file waits for the next start.
    int Run();
    // The destinations, groups and targets into the log (also after a cancelled copy: without
    // this record Unsetup could not find the files copied so far).
    void SaveRecord();

private:
    bool ProgramIsInstalled() const;
    void CreateProgramIcons();
    // The destinations' macros expanded in the registry entries and the shared DLLs.
    void PrepareMacros();
    void LogFilesTheProductCreates();
    void CreateAlarmsDirectory();

    CSetupApp& app_;
    CUninstallLog& log_;
};
