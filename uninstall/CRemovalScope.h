#pragma once
// Where Unsetup may act. The log says where Setup put the product, but a damaged log can say
// anything: its destinations count only where they are Setup's own. Destination 0 is the
// directory of the running uninstaller, or, when Unsetup runs from elsewhere, the logged one if
// it lies outside Windows' directories; every other destination lies below its parent (a product
// destination or one of Setup's fixed ones). Never a drive's root, nor the Windows, system or
// temporary directory themselves. Paths are compared as Windows resolves them: "C:\WINDOWS.\"
// and "C:\WINDOW~1\" are the Windows directory.
#include <string>

#include "profile/CDestinationStore.h"
#include "transfer/paths/CanonicalPath.h"

class CRemovalScope {
public:
    struct Places {
        std::string uninstallerDirectory;  // of the running program
        std::string uninstallerProgram;    // the running program's own file
        std::string windowsDirectory;
        std::string systemDirectory;
        std::string temporaryDirectory;
    };

    CRemovalScope(const Places& places, CanonicalPath::LongForm longForm);

    // The logged destinations as Unsetup may use them: Setup's own with their resolved
    // directories (a trailing backslash), every other one without a directory, and the fixed
    // destinations (-2 to -5) from this machine, whatever the log says of them.
    CDestinationStore Trusted(const CDestinationStore& logged) const;
    // A directory that Unsetup may try to remove: a full path below a drive's root that is not the
    // Windows, system or temporary directory.
    bool MayRemoveDirectory(const std::string& directory) const;
    // The running program's own file: it cannot delete itself, its epilogue does.
    bool IsUninstaller(const std::string& path) const;
    // The path as Windows resolves it, its short names expanded; "" when it is not a full path.
    std::string Canonical(const std::string& path) const;

private:
    bool IsSystemPlace(const std::string& resolved) const;
    bool IsOwnMain(const std::string& resolved) const;

    CanonicalPath::LongForm longForm_;
    std::string uninstaller_;
    std::string uninstallerProgram_;
    std::string windows_;
    std::string system_;
    std::string temporary_;
};
