// The registry and file work of the shared DLL counts.
#include "integration/CSharedDllEntry.h"

#include <windows.h>

#include <algorithm>

#include "framework/RunReport.h"
#include "framework/TextCompare.h"
#include "framework/Win32Helpers.h"
#include "integration/SharedDllCount.h"
#include "profile/CPrivateProfileSource.h"
#include "resources/resource.h"
#include "transfer/install/RenameAtRestart.h"
#include "transfer/paths/CFilePath.h"
#include "uninstall/ILogWriter.h"

namespace {
std::optional<std::uint32_t> StoredCount(CRegEntry& entry)
{
    if (entry.QueryValue() != ERROR_SUCCESS)
        return std::nullopt;
    return SharedDllCount::Read(entry.valueType, entry.data);
}

// The count as Unsetup reads it: a key or value that is not there is missing; any other failure,
// or a value that holds no count, leaves it unreadable.
SharedDllCount::CountState ReadCount(CRegEntry& entry, std::uint32_t& count)
{
    LONG status = entry.Open();
    if (status == ERROR_SUCCESS)
        status = entry.QueryValue();
    if (status == ERROR_FILE_NOT_FOUND)
        return SharedDllCount::CountState::missing;
    if (status != ERROR_SUCCESS)
        return SharedDllCount::CountState::unreadable;
    std::optional<std::uint32_t> read = SharedDllCount::Read(entry.valueType, entry.data);
    if (!read)
        return SharedDllCount::CountState::unreadable;
    count = *read;
    return SharedDllCount::CountState::present;
}

void StoreCount(CRegEntry& entry, std::uint32_t count)
{
    if (!entry.currentKey && entry.Create(nullptr) != ERROR_SUCCESS)
        return;
    entry.valueType = CRegEntry::kTypeDword;
    entry.data = SharedDllCount::DataText(count);
    entry.SetValue();
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// True when the file exists and no process has it open: only such a file may be deleted. Opened
// for reading, without sharing: any open handle of another program refuses that, while a
// read-only file, which refuses writing, still counts as free.
bool IsFreeToDelete(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// A read-only DLL goes as well.
void DeleteDll(const std::string& path)
{
    if (DeleteFileA(path.c_str()))
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Deletes an unused DLL. The count goes with the file; while the file is still there (it goes at
// the next start, or not at all) its count stays, at 0, so that no other uninstaller takes the
// DLL for one nobody ever counted.
void DeleteUnused(CRegEntry& entry, const std::string& dll, SharedDllCount::CountState state,
                  const SharedDllRemoval& removal, SharedDllRemovalResult& result)
{
    DeleteDll(dll);
    if (!Exists(dll)) {
        if (state == SharedDllCount::CountState::present)
            entry.DeleteValue();
        RunReport::Say("shared DLL " + dll + ": nothing uses it any more, deleted with its count");
        return;
    }
    if (state == SharedDllCount::CountState::present)
        StoreCount(entry, 0);
    if (RenameAtRestart::DeleteAtRestart(dll, removal.isNT, false)) {
        RunReport::Say("shared DLL " + dll + ": nothing uses it any more, in use now: goes at the next start of Windows");
        result.atRestart = true;
    } else {
        RunReport::Say("shared DLL " + dll + ": nothing uses it any more, but it could not be deleted: it stays");
        result.failed = true;
    }
}
// Whether any count names the file, by its path as given or by its short form.
bool AnyoneCounts(CSharedDllEntry& entry, const std::string& path)
{
    CFilePath file(path);
    for (const std::string& name : {path, file.ShortForm()}) {
        entry.Set(entry.countKeyPath, name, "", CRegEntry::kInternalOption);
        std::uint32_t count = 0;
        SharedDllCount::CountState state = ReadCount(entry, count);
        entry.CloseKeys();
        if (state != SharedDllCount::CountState::missing)
            return true;
    }
    return false;
}

// The shared DLLs that file installation placed but that Setup stopped before it counted: no line
// of the log's counts names them. Nobody counting them, they are the product's alone.
void RemoveUncountedFiles(const SharedDllRemoval& removal, const std::vector<std::string>& counted,
                          SharedDllRemovalResult& result)
{
    if (!removal.canonical || !removal.isProductFile)
        return;
    CSharedDllEntry scratch;
    for (const std::string& file : removal.installedFiles) {
        std::string resolved = removal.canonical(file);
        bool wasCounted = std::any_of(counted.begin(), counted.end(), [&](const std::string& dll) {
            return EqualsIgnoreCase(removal.canonical(dll), resolved);
        });
        if (wasCounted || resolved.empty() || !removal.isProductFile(file) || !IsFreeToDelete(file) ||
            AnyoneCounts(scratch, file))
            continue;
        DeleteUnused(scratch, file, SharedDllCount::CountState::missing, removal, result);
    }
}
}  // namespace

void CSharedDllList::IncrementCounts(ILogWriter& log)
{
    for (const auto& entry : Entries()) {
        // One installation holds one reference: a DLL that the log counts already (a second
        // Setup over the same installation, or one after a run that stopped) is not counted again,
        // since Unsetup lowers its count once.
        if (!entry->selected || log.Has(SharedDllCount::kLogSection, entry->valueName))
            continue;
        // The SharedDLLs key belongs to Windows: created here or not, it is never logged.
        entry->Create(nullptr);
        std::optional<std::uint32_t> before = StoredCount(*entry);
        std::uint32_t count = SharedDllCount::Incremented(before);
        StoreCount(*entry, count);
        if (RunReport::IsOn())
            RunReport::Say("shared DLL " + entry->valueName + ": count " + (before ? std::to_string(*before) : "(none)") +
                           " -> " + std::to_string(count));
        // Noted once raised: a count raised but never noted (Setup stopped between the two) only
        // keeps the DLL, where one noted but never raised would be lowered below another's.
        log.Write(SharedDllCount::kLogSection, entry->valueName, SharedDllCount::DataText(count));
        entry->CloseKeys();
    }
}

SharedDllRemovalResult DecrementCounts(const SharedDllRemoval& removal)
{
    std::vector<std::string> dlls = CPrivateProfileSource(removal.logPath).KeyNames(SharedDllCount::kLogSection);
    SharedDllRemovalResult result;
    CSharedDllEntry scratch;
    for (auto dll = dlls.rbegin(); dll != dlls.rend(); ++dll) {
        scratch.Set(scratch.countKeyPath, *dll, "", CRegEntry::kInternalOption);
        std::uint32_t count = 0;
        SharedDllCount::CountState state = ReadCount(scratch, count);
        bool installed = state != SharedDllCount::CountState::missing ||
                         (removal.isProductFile && removal.isProductFile(*dll));
        SharedDllCount::Decision decision = SharedDllCount::DecideRemoval(
            state, count, installed, *dll, removal.windowsDirectory, removal.systemDirectory);
        bool handled = true;
        std::string said;
        if (state == SharedDllCount::CountState::unreadable) {
            // Nothing can be decided on a count nobody can read: it stays for another try.
            handled = false;
            result.failed = true;
            said = "its count cannot be read: file and count stay for another try";
        } else if (decision.removal == SharedDllCount::Removal::skip) {
            // A name no installation of ours writes: left as it is.
            said = "not the product's: left as it is";
        } else if (decision.removal == SharedDllCount::Removal::keepCount) {
            StoreCount(scratch, decision.countToKeep);
            said = "count " + std::to_string(count) + " -> " + std::to_string(decision.countToKeep) + ", still in use: kept";
        } else if (!Exists(*dll)) {
            // Never placed (Setup skipped it after an error) or gone already: a count that guards
            // no file goes.
            if (state == SharedDllCount::CountState::present)
                scratch.DeleteValue();
            said = "the file is not there: its count goes";
        } else if (!IsFreeToDelete(*dll)) {
            // In use: the count keeps its number and the file stays.
            said = "in use: file and count stay";
        } else if (decision.removal == SharedDllCount::Removal::askThenDelete &&
                   !removal.confirm(SharedDllCount::FileNameOf(*dll))) {
            StoreCount(scratch, decision.countToKeep);
            said = "kept, as the question about deleting it was answered";
        } else {
            DeleteUnused(scratch, *dll, state, removal, result);
        }
        if (!said.empty())
            RunReport::Say("shared DLL " + *dll + ": " + said);
        scratch.CloseKeys();
        if (handled)
            WritePrivateProfileStringA(SharedDllCount::kLogSection, dll->c_str(), nullptr, removal.logPath.c_str());
    }
    RemoveUncountedFiles(removal, dlls, result);
    return result;
}

ConfirmSharedDllDeletion AskBeforeDeletingSharedDll(bool unattended)
{
    return [unattended](const std::string& fileName) {
        // Unattended, the question takes its default button: No, the file stays.
        if (unattended)
            return false;
        std::string question;
        LoadFormatText(question, IDS_DELETE_SHARED_DLL, fileName.c_str());
        return ShowMessageBox(question, MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES;
    };
}
