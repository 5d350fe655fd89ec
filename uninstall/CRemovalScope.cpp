#include "uninstall/CRemovalScope.h"

#include <map>

#include "framework/TextCompare.h"

namespace {
std::string WithBackslash(const std::string& resolved)
{
    return resolved.empty() || resolved.back() == '\\' ? resolved : resolved + "\\";
}
}  // namespace

CRemovalScope::CRemovalScope(const Places& places, CanonicalPath::LongForm longForm)
    : longForm_(std::move(longForm)),
      uninstaller_(Canonical(places.uninstallerDirectory)),
      uninstallerProgram_(Canonical(places.uninstallerProgram)),
      windows_(Canonical(places.windowsDirectory)),
      system_(Canonical(places.systemDirectory)),
      temporary_(Canonical(places.temporaryDirectory))
{
}

std::string CRemovalScope::Canonical(const std::string& path) const
{
    return CanonicalPath::Full(path, longForm_);
}

bool CRemovalScope::IsUninstaller(const std::string& path) const
{
    // The names first: resolving every removed file's path would ask the file system each time.
    auto name = [](const std::string& text) { return text.substr(text.find_last_of("\\/") + 1); };
    return EqualsIgnoreCase(name(path), name(uninstallerProgram_)) &&
           CanonicalPath::Same(Canonical(path), uninstallerProgram_);
}

bool CRemovalScope::IsSystemPlace(const std::string& resolved) const
{
    return resolved.empty() || CanonicalPath::IsRoot(resolved) || CanonicalPath::Same(resolved, windows_) ||
           CanonicalPath::Same(resolved, system_) || CanonicalPath::Same(resolved, temporary_);
}

bool CRemovalScope::IsOwnMain(const std::string& resolved) const
{
    if (IsSystemPlace(resolved))
        return false;
    if (CanonicalPath::Same(resolved, uninstaller_))
        return true;
    return !CanonicalPath::Within(resolved, windows_) && !CanonicalPath::Within(resolved, system_) &&
           !CanonicalPath::Within(resolved, temporary_);
}

CDestinationStore CRemovalScope::Trusted(const CDestinationStore& logged) const
{
    CDestinationStore trusted(WithBackslash(uninstaller_), WithBackslash(windows_), WithBackslash(system_),
                              WithBackslash(temporary_));
    std::map<int, std::string> own;  // number -> resolved directory
    for (int fixed : {CDestinationStore::kWindows, CDestinationStore::kSystem, CDestinationStore::kTemporary,
                      CDestinationStore::kSetupProgram})
        own[fixed] = Canonical(trusted.GetDirectory(fixed));
    for (const auto& [number, destination] : logged.All()) {
        if (number < 0)
            continue;
        trusted.SetNameAndParent(number, destination.name, destination.parent);
        if (number == CDestinationStore::kMain) {
            std::string resolved = Canonical(destination.directory.Path());
            if (IsOwnMain(resolved))
                own[number] = resolved;
        }
    }
    // Each pass admits the destinations whose parents were admitted before; a chain can be no
    // longer than the store.
    for (std::size_t pass = 0; pass < logged.Count(); ++pass) {
        bool admitted = false;
        for (const auto& [number, destination] : logged.All()) {
            if (number <= CDestinationStore::kMain || own.count(number))
                continue;
            auto parent = own.find(destination.parent);
            if (parent == own.end())
                continue;
            std::string resolved = Canonical(destination.directory.Path());
            if (!IsSystemPlace(resolved) && CanonicalPath::Below(resolved, parent->second)) {
                own[number] = resolved;
                admitted = true;
            }
        }
        if (!admitted)
            break;
    }
    for (const auto& [number, resolved] : own)
        if (number >= 0)
            trusted.SetDirectory(number, WithBackslash(resolved));
    return trusted;
}

bool CRemovalScope::MayRemoveDirectory(const std::string& directory) const
{
    return !IsSystemPlace(Canonical(directory));
}
