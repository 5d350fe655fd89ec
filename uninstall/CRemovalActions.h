#pragma once
// What Unsetup's removal asks of Windows, carried out for real: the icons and the scheduler, the
// registry keys, the COM servers, the shared DLL counts, the logged files, the directories and the
// log. The status lines and the gauge go to the progress page that shows them.
#include "uninstall/CRemoval.h"

class CRegEntryList;

// What the removal needs to know of the run that carries it out.
struct RemovalSettings {
    std::string logPath;
    bool unattended = false;  // no question may be shown (/B)
    bool isNT = false;
    bool shellLinks = false;  // the program icons are shell links rather than Program Manager items
    CRegEntryList* registryEntries = nullptr;  // the profile's, whose removal keys go first
};

class IRemovalProgress {
public:
    virtual ~IRemovalProgress() = default;
    // false when the user confirmed a stop.
    virtual bool SetStatus(int labelId, int textId) = 0;
    virtual bool SetFileStatus(int labelId, const std::string& path) = 0;
    virtual void SetGauge(int position) = 0;
};

class CRemovalActions : public IRemovalActions {
public:
    CRemovalActions(RemovalSettings settings, IRemovalProgress& progress);

    bool ShowStatus(int labelId, int textId) override { return progress_.SetStatus(labelId, textId); }
    bool ShowFileStatus(int labelId, const std::string& path) override
    {
        return progress_.SetFileStatus(labelId, path);
    }
    void SetGauge(int position) override { progress_.SetGauge(position); }

    void RemoveSchedulerIcon() override;
    void RemoveShortcut(const CShortcutTarget& target) override;
    void RemoveProgramFolder() override;
    bool DeleteRemovalKeys() override;
    void UnregisterDlls(const CDestinationStore& destinations) override;
    bool RemoveLoggedKeys() override;
    Disposal DecrementCounts(const std::function<bool(const std::string& path)>& isProductFile) override;
    Disposal RemoveTemporaryCopies(const std::function<bool(const std::string& path)>& isProductFile) override;
    std::vector<std::pair<std::string, std::string>> LoggedFiles(const std::string& group) override;
    void ClearReadOnly(const std::string& path) override;
    Disposal DeleteInstalledFile(const std::string& path) override;
    void DeleteSettingsFile() override;
    Disposal RemoveEmptyDirectory(const std::string& path) override;
    bool RemoveDirectoryAtRestart(const std::string& path) override;
    void DeleteLog() override;

    const std::string& WindowsDirectory() const { return windowsDirectory_; }
    const std::string& SystemDirectory() const { return systemDirectory_; }

private:
    RemovalSettings settings_;
    IRemovalProgress& progress_;
    std::string windowsDirectory_;
    std::string systemDirectory_;
};
