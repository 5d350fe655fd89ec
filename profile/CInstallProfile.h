#pragma once
// Owner of the parsed install profile: reads the file named at construction into its store.
#include <string>

#include "profile/CIniFile.h"

class IIniReadObserver;

class CInstallProfile {
public:
    explicit CInstallProfile(const std::string& path) : store(path) {}

    // Reads the file into the store (an unreadable file gives an empty store). Never throws for
    // bad input; the observer, if given, hears about every recovery of the reader.
    void Load(IIniReadObserver* observer = nullptr);
    const CIniFile& File() const { return store; }

private:
    CIniFile store;
};
