#include "app/CProfileContents.h"

#include "framework/TextCompare.h"
#include "profile/ProfileText.h"

const char* CProfileContents::SharedDllSectionName(bool isNT)
{
    return isNT ? "SharedDLLNT" : "SharedDLL95";
}

int CProfileContents::MediaTypeCount(const std::string& text)
{
    return TextToInt32(text.substr(0, kCountCharacters));
}

MediaTypeValues CProfileContents::ReadMediaTypeValues(const ProfileValueReader& read)
{
    MediaTypeValues values;
    values.count = read("mediatypes", "count", "0", kCountCharacters + 1);
    values.shortName = read("mediatypes", "shortname", "", CMediaTypeList::kMaxShortName + 1);
    values.longName = read("mediatypes", "longname", "", CMediaTypeList::kMaxLongName + 1);
    return values;
}

void CProfileContents::ExpandMacros(const std::vector<std::string>& names, const std::vector<std::string>& values)
{
    registryEntries.ExpandMacros(names, values);
    sharedDlls.ExpandMacros(names, values);
}

void CProfileContents::SelectEntries(const std::string& registryOption, const std::string& sharedDllOption)
{
    registryEntries.SelectByOption(registryOption);
    sharedDlls.SelectByOption(sharedDllOption);
}

void CProfileContents::Load(const std::string& path, bool isNT, const MediaTypeValues& mediaTypeValues)
{
    mediaTypes.SetNames(mediaTypeValues.shortName, mediaTypeValues.longName);
    const int mediaTypeCount = MediaTypeCount(mediaTypeValues.count);
    profile = std::make_unique<CInstallProfile>(path);
    profile->Load();
    const std::string sharedDllSection = SharedDllSectionName(isNT);
    // A name that occurs several times is handed over each time: each "Option" adds an option,
    // and a second "interface" section is applied over the first.
    for (const CIniSection& section : profile->File().Sections()) {
        const std::string& name = section.Name();
        if (EqualsIgnoreCase(name, "Option"))
            options.AddOptionFromSection(section);
        else if (EqualsIgnoreCase(name, "Billboard"))
            settings.ApplyBillboardSection(section);
        else if (EqualsIgnoreCase(name, "interface"))
            settings.ApplyInterfaceSection(section);
        else if (EqualsIgnoreCase(name, "Registry"))
            registryEntries.AddFromSection(section);
        else if (EqualsIgnoreCase(name, "Execute"))
            commands.AddCommandFromSection(section);
        else if (EqualsIgnoreCase(name, sharedDllSection))
            sharedDlls.AddFromSection(section);
        else if (EqualsIgnoreCase(name, "mediatypes"))
            mediaTypes.AddFromSection(section, mediaTypeCount);
    }
}
