#pragma once
// The numbered destination directories of the product. 0 is the main directory; the negative
// numbers are predefined: -2 Windows, -3 system, -4 temporary, -5 the setup program's directory.
// A destination with a parent lies in the subdirectory of its name under the parent's directory.
#include <map>
#include <string>

#include "transfer/paths/CFilePath.h"

struct CDestination {
    int number = 0;
    std::string name;
    int parent = -1;  // -1: none
    CFilePath directory;  // with a trailing backslash, or empty
};

class CDestinationStore {
public:
    static constexpr int kMain = 0;
    static constexpr int kWindows = -2;
    static constexpr int kSystem = -3;
    static constexpr int kTemporary = -4;
    static constexpr int kSetupProgram = -5;

    CDestinationStore(const std::string& programDirectory, const std::string& windowsDirectory,
                      const std::string& systemDirectory, const std::string& temporaryDirectory);

    // Both create the record when the number is new.
    void SetNameAndParent(int number, const std::string& name, int parent);
    void SetDirectory(int number, const std::string& directory);
    // The directory with a trailing backslash; "" for an unknown number or an unset directory.
    std::string GetDirectory(int number) const;
    const CDestination* Find(int number) const;
    // Empties the directory of every destination numbered 0 or more.
    void ClearProductDirectories();
    // Derives every child's directory from its parent; throws CInstallProfileException code 1
    // when a parent is missing, has no directory, or parents form a cycle.
    void Resolve();
    // A new main directory: clears the product's directories, sets 0 and resolves.
    void SetMainDirectory(const std::string& directory);

    const std::map<int, CDestination>& All() const { return destinations_; }
    size_t Count() const { return destinations_.size(); }

private:
    CDestination& Record(int number);
    bool ResolvePass();
    bool HasParentCycle() const;

    std::map<int, CDestination> destinations_;
};
