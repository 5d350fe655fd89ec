#pragma once
// The program icons to create: one target per program, keyed by the program's file name.
#include <map>
#include <string>

#include "framework/TextCompare.h"
#include "transfer/paths/CFilePath.h"

struct CShortcutTarget {
    std::string fileName;    // the key
    long iconIndex = 0;
    long hotKey = 0;         // negative: none
    long minimized = 0;
    std::string itemName;    // the icon's title and the link file's name
    std::string arguments;
    std::string iconFile;    // in destination 0; empty: none
    CFilePath programPath;
    CFilePath installedPath;  // where file installation put the program
};

class CTargetStore {
public:
    using Map = std::map<std::string, CShortcutTarget, CaseInsensitiveLess>;

    CShortcutTarget& Put(CShortcutTarget target);
    CShortcutTarget* Find(const std::string& fileName);
    // After copying: a program that was installed is where installation put it, whatever
    // directory the manifest's path assumed. The icons and the log use that path.
    void UseInstalledPaths();
    // In-place installation: every program stays where Setup found it.
    void TakeFilesFrom(const std::string& directory);
    Map& All() { return targets_; }
    const Map& All() const { return targets_; }

private:
    Map targets_;
};
