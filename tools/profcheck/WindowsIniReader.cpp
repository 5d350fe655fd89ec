#include "tools/profcheck/WindowsIniReader.h"

#include <memory>

#include "uninstall/CIniTextSource.h"

ProfileValueReader WindowsIniReader(const std::string& path)
{
    auto file = std::make_shared<CIniTextSource>(CIniTextSource::FromFile(path));
    return [file](const std::string& section, const std::string& key, const std::string& fallback,
                  unsigned bufferSize) { return file->Value(section, key, fallback, bufferSize); };
}
