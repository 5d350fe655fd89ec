#pragma once
// The shell's link object for one group of link operations: COM is initialised for the object's
// lifetime, and the link and its file interface are released with it.
#include <windows.h>

#include <shlobj.h>

#include <string>

class CShellLink {
public:
    CShellLink();
    ~CShellLink();
    CShellLink(const CShellLink&) = delete;
    CShellLink& operator=(const CShellLink&) = delete;

    // false when the shell offers no link object: nothing can be saved.
    bool IsValid() const { return link_ && file_; }
    IShellLinkA* operator->() const { return link_; }
    // Writes the link to the file; false when the path cannot be converted or the save failed.
    bool Save(const std::string& path);

private:
    bool comInitialised_ = false;
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

// The folder that the Explorer's "Shell Folders" key names under the value ("Programs",
// "Startup"), without a trailing backslash; empty when the key has no such value.
std::string ShellFolder(const std::string& valueName);
