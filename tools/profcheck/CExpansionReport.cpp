#include "tools/profcheck/CExpansionReport.h"

#include <iterator>

#include "app/PathValidation.h"
#include "tools/profcheck/CProfileCheckReport.h"
#include "tools/profcheck/WindowsIniReader.h"

namespace {
const CExpansionReport::Platform kPlatforms[] = {
    {"Windows 95", false, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"},
    {"Windows NT", true, "C:\\WINNT", "C:\\WINNT\\SYSTEM32"},
};
const char kLaunchDrive[] = "?LaunchDrive?";

void DropMacro(MacroTable& table, const std::string& name)
{
    for (size_t i = 0; i < table.names.size() && i < table.values.size(); ++i) {
        if (table.names[i] == name) {
            table.names.erase(table.names.begin() + static_cast<std::ptrdiff_t>(i));
            table.values.erase(table.values.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

std::string MacroValue(const MacroTable& table, const std::string& name)
{
    for (size_t i = 0; i < table.names.size() && i < table.values.size(); ++i)
        if (table.names[i] == name)
            return table.values[i];
    return {};
}

// Names between question marks that the expansion left: Setup would have known them.
std::string LeftAsWritten(const std::string& text)
{
    std::string left;
    size_t open = text.find('?');
    while (open != std::string::npos) {
        size_t close = text.find('?', open + 1);
        if (close == std::string::npos)
            break;
        std::string name = text.substr(open, close - open + 1);
        if (name.size() > 2 && name.find_first_of(" \t\\\"") == std::string::npos) {
            left += (left.empty() ? "" : ", ") + name;
            open = text.find('?', close + 1);
        } else {
            open = close;
        }
    }
    return left;
}

std::string OptionNote(const CRegEntry& entry, const std::string& text)
{
    std::string left = LeftAsWritten(text);
    std::string option = entry.option.empty() ? std::string() : " (option " + entry.option + ")";
    return option + (left.empty() ? "" : "; left as written: " + left);
}
}

CExpansionReport::CExpansionReport(const std::string& profilePath, const std::string& destination)
{
    const MediaTypeValues mediaTypes = CProfileContents::ReadMediaTypeValues(WindowsIniReader(profilePath));
    expansions_.resize(std::size(kPlatforms));
    for (size_t i = 0; i < expansions_.size(); ++i) {
        Expansion& expansion = expansions_[i];
        expansion.platform = &kPlatforms[i];
        expansion.macros = Macros(kPlatforms[i], destination);
        expansion.contents.Load(profilePath, kPlatforms[i].isNT, mediaTypes);
        expansion.contents.ExpandMacros(expansion.macros.names, expansion.macros.values);
    }
    AddAssumptions(destination);
    AddRegistryEntries();
    AddSharedDlls();
    AddMediaTypes();
}

std::string CExpansionReport::DestinationError(const std::string& destination)
{
    if (destination.empty())
        return "is empty";
    PathVerdict verdict = ValidateDirectoryText(destination);
    switch (verdict.kind) {
    case PathVerdict::valid:
        return {};
    case PathVerdict::forbiddenCharacter:
        return std::string("holds ") + verdict.character + ", which Windows forbids in a path";
    case PathVerdict::misplacedColon:
        return "has a colon elsewhere than after the drive letter";
    case PathVerdict::driveMissing:
        break;
    }
    return "is not a drive path such as C:\\KALMORA";
}

MacroTable CExpansionReport::Macros(const Platform& platform, const std::string& destination)
{
    // The temporary directory and the one Setup runs from are the machine's: left empty, their
    // macros stay as written.
    CDestinationStore destinations("", platform.windowsDirectory, platform.systemDirectory, "");
    destinations.SetMainDirectory(destination);
    // Without the machine there is no short form: each directory stands as given.
    MacroTable table = BuildMacroTable(destinations, "", [](const std::string&) { return std::string(); });
    // Without a launch directory the drive would expand to nothing, which Setup never does.
    DropMacro(table, kLaunchDrive);
    return table;
}

void CExpansionReport::AddAssumptions(const std::string& destination)
{
    lines_.push_back("Expansion with destination 0 (?0?) = " + MacroValue(expansions_[0].macros, "?0?") +
                     " (given as " + destination + ")");
    for (const Expansion& expansion : expansions_)
        lines_.push_back(std::string("Assumed on ") + expansion.platform->name + ": Windows directory (?-2?) " +
                         MacroValue(expansion.macros, "?-2?") + ", system directory (?-3?) " +
                         MacroValue(expansion.macros, "?-3?"));
    lines_.push_back("Not known without the machine and the setup manifest, left as written: the other "
                     "destinations (?1? and up), the temporary directory (?-4?), Setup's directory (?-5?), "
                     "the drive Setup starts from (?LaunchDrive?)");
    lines_.push_back("Setup writes each directory in its short (8.3) form, which only the machine knows; "
                     "shown here as given");
}

void CExpansionReport::AddRegistryEntries()
{
    for (size_t i = 0; i < expansions_[0].contents.registryEntries.Size(); ++i) {
        for (const Expansion& expansion : expansions_) {
            const CRegEntry& entry = expansion.contents.registryEntries[i];
            std::string name = entry.valueName.empty() ? "(default)" : CProfileCheckReport::Quote(entry.valueName);
            Add("[Registry] " + std::to_string(i + 1), *expansion.platform,
                entry.path + " " + name + " = " + CProfileCheckReport::Quote(entry.data) +
                    OptionNote(entry, entry.path + entry.valueName + entry.data));
        }
    }
}

void CExpansionReport::AddSharedDlls()
{
    for (const Expansion& expansion : expansions_) {
        const CRegEntryList& dlls = expansion.contents.sharedDlls;
        // The section that counts on the platform, named as Setup chooses it.
        const std::string section =
            std::string("[") + CProfileContents::SharedDllSectionName(expansion.platform->isNT) + "]";
        if (dlls.Size() == 0)
            Add(section, *expansion.platform, "no shared DLL is counted");
        for (size_t i = 0; i < dlls.Size(); ++i)
            Add(section + " " + std::to_string(i + 1), *expansion.platform,
                "count of " + CProfileCheckReport::Quote(dlls[i].valueName) + " under " + dlls[i].path +
                    OptionNote(dlls[i], dlls[i].valueName));
    }
}

void CExpansionReport::AddMediaTypes()
{
    for (size_t i = 0; i < expansions_[0].contents.mediaTypes.Size(); ++i) {
        for (const Expansion& expansion : expansions_) {
            const CRegEntry& entry = expansion.contents.mediaTypes[i];
            Add("[mediatypes] " + std::to_string(i + 1), *expansion.platform,
                entry.path + " (default) = " + CProfileCheckReport::Quote(entry.data) +
                    " unless another program owns it" + OptionNote(entry, entry.path + entry.data));
        }
    }
}

void CExpansionReport::Add(const std::string& label, const Platform& platform, const std::string& what)
{
    lines_.push_back(label + ", " + platform.name + ": " + what);
}

void CExpansionReport::Print(std::FILE* out) const
{
    for (const std::string& line : lines_)
        std::fprintf(out, "%s\n", line.c_str());
}
