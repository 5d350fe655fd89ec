#pragma once
// An INI file read through the Windows private-profile functions.
#include "profile/IIniSource.h"

class CPrivateProfileSource : public IIniSource {
public:
    explicit CPrivateProfileSource(std::string path) : path_(std::move(path)) {}
    std::vector<std::string> KeyNames(const std::string& section) const override;
    std::string Value(const std::string& section, const std::string& key) const override;

private:
    std::string path_;
};
