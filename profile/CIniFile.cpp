#include "profile/CIniFile.h"

void CIniFile::AddKey(CIniKey key)
{
    if (!sections.empty())
        sections.back().AddKey(std::move(key));
}

void CIniFile::AddValue(std::string value)
{
    if (sections.empty())
        return;
    if (CIniKey* key = sections.back().LastKey())
        key->AddValue(std::move(value));
}
