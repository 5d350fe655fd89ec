#include "uninstall/CUninstallLog.h"

#include <windows.h>

#include "framework/WholeFile.h"
#include "uninstall/LogRecords.h"

namespace {
constexpr char kJournalExtension[] = ".jnl";
constexpr char kNewExtension[] = ".new";

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The new INI takes the old one's place. Where the system cannot replace a file in one step
// (Windows 95), the old one goes first; a crash between the two leaves the complete new file,
// which the next reader puts in place (RecoverInterruptedCommit).
bool PutInPlace(const std::string& written, const std::string& path)
{
    if (MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(path.c_str());
    return MoveFileA(written.c_str(), path.c_str()) != 0;
}

void RecoverInterruptedCommit(const std::string& path)
{
    std::string written = path + kNewExtension;
    if (!Exists(written))
        return;
    // Written whole before the old INI went: complete. With the old INI still there, it may be
    // cut short instead, and the journal still holds what it would have added.
    if (!Exists(path))
        MoveFileA(written.c_str(), path.c_str());
    else
        DeleteFileA(written.c_str());
}

// The INI with the journal folded in.
CLogContents ReadLog(const std::string& path, bool& hadJournal)
{
    RecoverInterruptedCommit(path);
    CLogContents contents;
    std::string text;
    if (ReadWholeFile(path, text) == ERROR_SUCCESS)
        contents.ReadIni(text);
    hadJournal = ReadWholeFile(CUninstallLog::JournalPath(path), text) == ERROR_SUCCESS;
    if (hadJournal)
        contents.ApplyJournal(text);
    return contents;
}

// The record of the destinations, groups and targets is written before the first file, but
// stands after the files' sections, where readers of the log have always found it.
bool WriteIni(const std::string& path, const CLogContents& contents)
{
    static const std::vector<std::string> kAfterTheFiles = {
        LogRecords::kDestinationsSection, LogRecords::kGroupsSection, LogRecords::kTargetsSection,
        LogRecords::kRegistrySection, LogRecords::kSharedDllSection, LogRecords::kSharedFileSection,
        LogRecords::kTemporarySection};
    std::string written = path + kNewExtension;
    return WriteWholeFile(written, contents.Ini(kAfterTheFiles), true) == ERROR_SUCCESS && PutInPlace(written, path);
}
}  // namespace

CUninstallLog::CUninstallLog(std::string path) : path_(std::move(path)) {}

CUninstallLog::~CUninstallLog()
{
    CloseJournal();
}

std::string CUninstallLog::JournalPath(const std::string& path)
{
    std::string::size_type dot = path.find_last_of('.');
    std::string::size_type slash = path.find_last_of("\\/");
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + kJournalExtension;
}

void CUninstallLog::Open()
{
    bool hadJournal = false;
    contents_ = ReadLog(path_, hadJournal);
    // A journal left by an earlier run stays until this run has written the INI.
    changed_ = hadJournal;
}

void CUninstallLog::Append(const std::string& line)
{
    changed_ = true;
    if (!journal_) {
        HANDLE file = CreateFileA(JournalPath(path_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return;
        journal_ = file;
    }
    // One write per change: a crash cuts at most this line short, and the reader passes it over.
    DWORD written = 0;
    ::WriteFile(static_cast<HANDLE>(journal_), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void CUninstallLog::Write(const std::string& section, const std::string& key, const std::string& value)
{
    contents_.Set(section, key, value);
    Append(CLogContents::JournalSet(section, key, value));
}

void CUninstallLog::Remove(const std::string& section, const std::string& key)
{
    if (!contents_.Value(section, key))
        return;
    contents_.Remove(section, key);
    Append(CLogContents::JournalRemove(section, key));
}

void CUninstallLog::CloseJournal()
{
    if (journal_)
        CloseHandle(static_cast<HANDLE>(journal_));
    journal_ = nullptr;
}

bool CUninstallLog::Commit()
{
    if (!changed_)
        return true;
    if (!WriteIni(path_, contents_))
        return false;
    CloseJournal();
    DeleteFileA(JournalPath(path_).c_str());
    changed_ = false;
    return true;
}

void CUninstallLog::FoldJournal(const std::string& path)
{
    bool hadJournal = false;
    CLogContents contents = ReadLog(path, hadJournal);
    if (hadJournal && WriteIni(path, contents))
        DeleteFileA(JournalPath(path).c_str());
}

bool CUninstallLog::RemoveTemporaryCopies(bool waitingToo,
                                          const std::function<bool(const std::string&)>& isProductPlace)
{
    bool allGone = true;
    for (const auto& [path, state] : contents_.Section(LogRecords::kTemporarySection)) {
        if (!waitingToo && state == LogRecords::kTemporaryAtRestart)
            continue;
        if (LogRecords::IsTemporaryCopy(path) && isProductPlace(path)) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str()) && Exists(path)) {
                allGone = false;
                continue;
            }
        }
        Remove(LogRecords::kTemporarySection, path);
    }
    return allGone;
}

void CUninstallLog::WriteProgramFolder(const std::string& folder)
{
    Write(LogRecords::kProgramFolderSection, LogRecords::kProgramFolderKey, folder);
}

void CUninstallLog::WriteFile(const std::string& group, const std::string& fileName, unsigned destinationId,
                              bool installedNow, bool replacedExisting)
{
    Write(group, fileName, LogRecords::FileRecord(destinationId, installedNow, replacedExisting));
}

void CUninstallLog::WriteStores(const CDestinationStore& destinations, const CGroupStore& groups,
                                const CTargetStore& targets)
{
    for (const auto& [number, destination] : destinations.All())
        if (number >= 0)
            Write(LogRecords::kDestinationsSection, std::to_string(number), LogRecords::DestinationRecord(destination));
    for (const auto& [name, group] : groups.All())
        Write(LogRecords::kGroupsSection, name, LogRecords::GroupRecord(group));
    for (const auto& [name, target] : targets.All())
        Write(LogRecords::kTargetsSection, name, LogRecords::TargetRecord(target));
}
