// The registry and file work of the shared DLL counts.
#include "integration/CSharedDllEntry.h"

#include <windows.h>

#include "framework/Win32Helpers.h"
#include "integration/SharedDllCount.h"
#include "profile/CPrivateProfileSource.h"
#include "resources/resource.h"

namespace {
std::optional<std::uint32_t> StoredCount(CRegEntry& entry)
{
    if (entry.QueryValue() != ERROR_SUCCESS)
        return std::nullopt;
    return SharedDllCount::Read(entry.valueType, entry.data);
}

void StoreCount(CRegEntry& entry, std::uint32_t count)
{
    entry.valueType = CRegEntry::kTypeDword;
    entry.data = SharedDllCount::DataText(count);
    entry.SetValue();
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
}

void CSharedDllList::IncrementCounts(const std::string& logPath)
{
    for (const auto& entry : Entries()) {
        if (!entry->selected)
            continue;
        // The SharedDLLs key belongs to Windows: created here or not, it is never logged.
        entry->Create(nullptr);
        std::uint32_t count = SharedDllCount::Incremented(StoredCount(*entry));
        StoreCount(*entry, count);
        WritePrivateProfileStringA(SharedDllCount::kLogSection, entry->valueName.c_str(),
                                   SharedDllCount::DataText(count).c_str(), logPath.c_str());
        entry->CloseKeys();
    }
}

void DecrementCounts(const std::string& logPath, const std::string& windowsDirectory,
                     const std::string& systemDirectory, const ConfirmSharedDllDeletion& confirm)
{
    std::vector<std::string> dlls = CPrivateProfileSource(logPath).KeyNames(SharedDllCount::kLogSection);
    CSharedDllEntry scratch;
    for (auto dll = dlls.rbegin(); dll != dlls.rend(); ++dll) {
        scratch.Set(scratch.countKeyPath, *dll, "", CRegEntry::kInternalOption);
        std::optional<std::uint32_t> stored;
        if (scratch.Create(nullptr) == ERROR_SUCCESS)
            stored = StoredCount(scratch);
        SharedDllCount::Decision decision =
            SharedDllCount::DecideRemoval(stored, *dll, windowsDirectory, systemDirectory);
        if (decision.removal == SharedDllCount::Removal::skip) {
            // A name no installation of ours writes: left as it is.
        } else if (decision.removal == SharedDllCount::Removal::keepCount) {
            StoreCount(scratch, decision.countToKeep);
        } else if (!IsFreeToDelete(*dll)) {
            // Gone already, or in use: the count keeps its number and the file stays.
        } else if (decision.removal == SharedDllCount::Removal::askThenDelete &&
                   !confirm(SharedDllCount::FileNameOf(*dll))) {
            StoreCount(scratch, decision.countToKeep);
        } else {
            DeleteDll(*dll);
            scratch.DeleteValue();
        }
        scratch.CloseKeys();
    }
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
