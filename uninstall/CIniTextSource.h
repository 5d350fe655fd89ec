#pragma once
// An INI file's text read as the Windows private-profile functions give it to Setup, without
// Windows: sections and keys compare without regard to case, the first of a name counts, a value
// between matching quotes loses them, and a value is cut to the buffer that receives it. Tools
// read a medium's manifest and a vendor's profile with it as Setup would. Portable.
#include <string>
#include <vector>

#include "profile/IIniSource.h"
#include "uninstall/CLogContents.h"

class CIniTextSource : public IIniSource {
public:
    explicit CIniTextSource(const std::string& text) { contents_.ReadIni(text); }
    // The file's bytes; an unreadable file reads as an empty one, as the functions read it.
    static CIniTextSource FromFile(const std::string& path);

    std::vector<std::string> KeyNames(const std::string& section) const override;
    // At most 255 characters, as the manifest's values are read.
    std::string Value(const std::string& section, const std::string& key) const override;
    // The value as a buffer of bufferSize characters (its terminating zero included) receives it;
    // the fallback when the section or key is missing.
    std::string Value(const std::string& section, const std::string& key, const std::string& fallback,
                      unsigned bufferSize) const;

private:
    CLogContents contents_;
};
