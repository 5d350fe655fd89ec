#include "profile/CDestinationStore.h"

#include "profile/ManifestErrors.h"
#include "transfer/errors/CInstallProfileException.h"

CDestinationStore::CDestinationStore(const std::string& programDirectory,
                                     const std::string& windowsDirectory,
                                     const std::string& systemDirectory,
                                     const std::string& temporaryDirectory)
{
    SetDirectory(kWindows, windowsDirectory);
    SetDirectory(kSystem, systemDirectory);
    SetDirectory(kTemporary, temporaryDirectory);
    SetDirectory(kSetupProgram, programDirectory);
}

CDestination& CDestinationStore::Record(int number)
{
    CDestination& record = destinations_[number];
    record.number = number;
    return record;
}

void CDestinationStore::SetNameAndParent(int number, const std::string& name, int parent)
{
    CDestination& record = Record(number);
    record.name = name;
    record.parent = parent;
}

void CDestinationStore::SetDirectory(int number, const std::string& directory)
{
    CDestination& record = Record(number);
    record.directory = CFilePath();
    if (!directory.empty())
        record.directory.SetDirectory(directory);
}

std::string CDestinationStore::GetDirectory(int number) const
{
    const CDestination* record = Find(number);
    return record ? record->directory.Path() : std::string();
}

const CDestination* CDestinationStore::Find(int number) const
{
    auto it = destinations_.find(number);
    return it == destinations_.end() ? nullptr : &it->second;
}

void CDestinationStore::ClearProductDirectories()
{
    for (auto& [number, record] : destinations_)
        if (number >= 0)
            record.directory = CFilePath();
}

bool CDestinationStore::ResolvePass()
{
    bool allResolved = true;
    for (auto& [number, record] : destinations_) {
        if (record.parent == -1)
            continue;
        const CDestination* parent = Find(record.parent);
        if (!parent || parent->directory.IsEmpty() || parent == &record) {
            allResolved = false;
            continue;
        }
        CFilePath directory = parent->directory;
        directory.AppendDirectory(record.name);
        record.directory = directory;
    }
    return allResolved;
}

bool CDestinationStore::HasParentCycle() const
{
    for (const auto& [number, record] : destinations_) {
        int current = record.parent;
        // A chain longer than the store itself must revisit a destination.
        for (size_t steps = 0; current != -1; ++steps) {
            if (current == number || steps > destinations_.size())
                return true;
            const CDestination* parent = Find(current);
            if (!parent)
                break;
            current = parent->parent;
        }
    }
    return false;
}

void CDestinationStore::Resolve()
{
    // Directories left from the manifest would let a cycle pass for resolved.
    if (HasParentCycle())
        throw CInstallProfileException(kProfileUnresolvedDestinations);
    for (size_t pass = 0; pass < destinations_.size(); ++pass)
        if (ResolvePass())
            return;
    throw CInstallProfileException(kProfileUnresolvedDestinations);
}

void CDestinationStore::SetMainDirectory(const std::string& directory)
{
    ClearProductDirectories();
    SetDirectory(kMain, directory);
    Resolve();
}
