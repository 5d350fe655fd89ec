#include "app/CIntegrationSequence.h"

#include "app/CSetupApp.h"
#include "framework/CStepTrace.h"
#include "integration/CRegistryRecord.h"
#include "integration/CSelfRegDll.h"
#include "integration/Shortcuts.h"
#include "profile/DestinationMacros.h"
#include "resources/resource.h"
#include "transfer/paths/CFilePath.h"

namespace {
constexpr char kProgramGroup[] = "program";
// Files that the product writes later into its directory; Unsetup removes them with the rest.
const char* const kFilesTheProductCreates[] = {"kmwin.GID", "kmwin.FTS", "pxlalbum.gid", "pxlalbum.FTS",
                                               "wb_list.wbl"};
constexpr int kAlarmsParent = 3;
constexpr char kAlarmsKey[] = "11";

// Each step reports its time to a listening debugger (the integration benchmark reads them).
template <typename Step>
void Timed(const char* name, Step step)
{
    CStepTrace trace(name);
    step();
}
}

CIntegrationSequence::CIntegrationSequence(CSetupApp& app) : app_(app), log_(*app.log)
{
}

void CIntegrationSequence::SaveRecord()
{
    if (app_.writeLog)
        log_.WriteStores(*app_.destinations, app_.groups, app_.targets);
}

int CIntegrationSequence::Run()
{
    Timed("record of the installation", [&] { SaveRecord(); });
    if (ProgramIsInstalled() || app_.inPlace) {
        CProfileContents& contents = *app_.profileContents;
        // One record for the registry entries and the file types: a key that one of them
        // creates is the product's, whichever writes into it.
        CRegistryRecord registry(&log_);
        PrepareMacros();
        Timed("program icons", [&] { CreateProgramIcons(); });
        Timed("registry entries", [&] { contents.registryEntries.ApplySelected(registry); });
        Timed("shared DLLs", [&] { contents.sharedDlls.IncrementCounts(log_); });
        Timed("file types", [&] {
            contents.mediaTypes.ResolveConflicts();
            contents.mediaTypes.ApplySelected(registry);
        });
        // Under /B the load and registration failures are not shown: nobody would answer them.
        Timed("self-registration", [&] {
            // A server that did not register leaves the product incomplete, whether or not
            // someone saw the message.
            if (!RegisterDlls(*app_.destinations, app_.unattended) && AnyServerInstalled(*app_.destinations))
                app_.run.errorsSkipped = true;
        });
        Timed("scheduler start", [&] { StartScheduler(*app_.destinations, app_.isNT); });
        if (!app_.inPlace) {
            Timed("entries for later files, Alarms", [&] {
                LogFilesTheProductCreates();
                CreateAlarmsDirectory();
            });
        }
    }
    return app_.noRestartNeeded ? IDD_COMPLETE : IDD_RESTART;
}

bool CIntegrationSequence::ProgramIsInstalled() const
{
    const CGroup* program = app_.groups.Find(kProgramGroup);
    return program && program->install;
}

void CIntegrationSequence::CreateProgramIcons()
{
    ShortcutPlace place;
    place.shellLinks = app_.UsesShellLinks();
    place.programFolder = app_.programFolder;
    place.mainDirectory = app_.destinations->GetDirectory(CDestinationStore::kMain);
    if (app_.writeLog)
        place.log = &log_;
    CreateShortcuts(app_.targets.All(), place, app_.MainWindowHandle());
}

void CIntegrationSequence::PrepareMacros()
{
    CProfileContents& contents = *app_.profileContents;
    // One table serves the registry entries and the shared DLLs: "?N?" is destination N's
    // directory in short form with its backslash, "?LaunchDrive?" the drive Setup started from.
    MacroTable macros = BuildMacroTable(*app_.destinations, app_.sourceDirectory,
                                        [](const std::string& path) { return CFilePath(path).ShortForm(); });
    contents.ExpandMacros(macros.names, macros.values);
}

void CIntegrationSequence::LogFilesTheProductCreates()
{
    for (const char* name : kFilesTheProductCreates)
        log_.WriteFile(kProgramGroup, name, 0, true, false);
}

void CIntegrationSequence::CreateAlarmsDirectory()
{
    std::string parent = app_.destinations->GetDirectory(kAlarmsParent);
    // Without its parent's directory the name would be taken relative to wherever Setup stands.
    if (parent.empty())
        return;
    CFilePath alarms(parent + "Alarms\\");
    // Logged before it is made, so that Unsetup finds it whenever Setup stops.
    log_.Write("destinations", kAlarmsKey, "Alarms|" + std::to_string(kAlarmsParent) + "|" + alarms.Path());
    alarms.MakeDirectory(true);
}
