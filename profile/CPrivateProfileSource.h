#pragma once
// An INI file read through the Windows private-profile functions.
#include <utility>

#include "profile/IIniSource.h"

class CPrivateProfileSource : public IIniSource {
public:
    explicit CPrivateProfileSource(std::string path) : path_(std::move(path)) {}
    std::vector<std::string> KeyNames(const std::string& section) const override;
    std::string Value(const std::string& section, const std::string& key) const override;
    // The value as a buffer of bufferSize characters (its terminating zero included) receives it,
    // cut to fit; the fallback when the file, section or key is missing.
    std::string Value(const std::string& section, const std::string& key, const std::string& fallback,
                      unsigned bufferSize) const;

    // Every key of a section with its value, in the file's order, read in one go: for sections of
    // thousands of keys, where a read per key would read the file as often.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;

private:
    std::string path_;
};
