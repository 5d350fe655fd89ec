#pragma once
// The uninstall log as Setup writes it. Each change goes at once, in one write of constant cost,
// into a journal beside the log ("kmwin4.jnl" beside "kmwin4.log"), so that the log is never
// behind what is on disk; the INI file that Unsetup and every other reader read is written whole
// when the run ends (Commit), and the journal goes. A run that never ended (killed, a power cut)
// leaves its journal, which the next Setup or Unsetup folds into the INI before it reads.
#include <functional>
#include <string>

#include "profile/CDestinationStore.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "uninstall/CLogContents.h"
#include "uninstall/ILogWriter.h"

class CUninstallLog : public ILogWriter {
public:
    explicit CUninstallLog(std::string path);
    ~CUninstallLog() override;
    CUninstallLog(const CUninstallLog&) = delete;
    CUninstallLog& operator=(const CUninstallLog&) = delete;

    const std::string& Path() const { return path_; }
    const CLogContents& Contents() const { return contents_; }

    // Reads the log as it stands: the INI with an unfinished run's journal folded in.
    void Open();
    void Write(const std::string& section, const std::string& key, const std::string& value) override;
    void Remove(const std::string& section, const std::string& key) override;
    const std::string* Find(const std::string& section, const std::string& key) const override
    {
        return contents_.Value(section, key);
    }
    // Writes the INI whole (a new file put in the old one's place) and drops the journal; nothing
    // when nothing changed. False when the INI could not be written: the journal then stays.
    bool Commit();

    // Removes the temporary copies that an earlier run left (it stopped while they existed), and
    // their lines; with waitingToo also those that wait for the next start to take their file's
    // place. Only a copy in one of the product's places (isProductPlace of the copy's path) is
    // touched: a damaged log reaches nothing else, and such a line just goes. One that cannot be
    // removed keeps its line. True when all went.
    bool RemoveTemporaryCopies(bool waitingToo, const std::function<bool(const std::string&)>& isProductPlace);

    void WriteProgramFolder(const std::string& folder);
    void WriteFile(const std::string& group, const std::string& fileName, unsigned destinationId,
                   bool installedNow, bool replacedExisting);
    // The three stores, as the manifest holds them; negative destinations are left out.
    void WriteStores(const CDestinationStore& destinations, const CGroupStore& groups, const CTargetStore& targets);

    // What a run that never ended left: its journal folded into the INI, for readers that read
    // the INI alone (Unsetup). Nothing when there is no journal.
    static void FoldJournal(const std::string& path);
    // The journal beside a log.
    static std::string JournalPath(const std::string& path);

private:
    void Append(const std::string& line);
    void CloseJournal();

    std::string path_;
    CLogContents contents_;
    void* journal_ = nullptr;  // the open journal's handle, once written to
    bool changed_ = false;
};
