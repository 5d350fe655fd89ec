#include "tools/mkmedia/MediumNames.h"

#include "transfer/archive/CArchiveWriter.h"

#include <cctype>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

const char* const kProfileFileName = "ov_setup.ini";
const char* const kLicenceFileName = "agree.txt";

namespace {
// A tag file is "diskette." and the diskette's number in three digits.
bool IsTagFileName(const std::string& lowerName)
{
    const std::string prefix = "diskette.";
    if (lowerName.size() != prefix.size() + 3 || lowerName.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < lowerName.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(lowerName[i])))
            return false;
    return true;
}

class NameRegister {
public:
    explicit NameRegister(const MediumDescription& description) : description_(description) {}

    void Take(const std::string& name, int line, const std::string& what)
    {
        std::string key = LowerCase(name);
        auto earlier = taken_.find(key);
        if (earlier != taken_.end())
            throw DescriptionError(description_.file, line,
                                   "\"" + name + "\" is " + what + ", but the medium already has a file of that name: " +
                                       earlier->second.what + Where(earlier->second.line));
        taken_[key] = {line, what};
    }

private:
    struct Taken {
        int line;
        std::string what;
    };
    static std::string Where(int line) { return line > 0 ? " (line " + std::to_string(line) + ")" : ""; }

    const MediumDescription& description_;
    std::map<std::string, Taken> taken_;
};
}  // namespace

std::string ManifestFileName(const MediumDescription& description)
{
    return fs::path(description.setupProgram).stem().string() + ".ini";
}

void CheckMediumNames(const MediumDescription& description, bool archivesMaySplit, bool hasTagFiles)
{
    NameRegister names(description);
    names.Take(fs::path(description.setupProgram).filename().string(), description.setupLine, "the setup program");
    names.Take(ManifestFileName(description), description.setupLine, "the setup manifest");
    if (!description.profile.empty())
        names.Take(kProfileFileName, description.profileLine, "the install profile");
    if (!description.licence.empty())
        names.Take(kLicenceFileName, description.licenceLine, "the licence");
    for (const DescribedGroup& group : description.groups)
        for (const DescribedSource& source : group.sources) {
            if (hasTagFiles && IsTagFileName(LowerCase(source.name)))
                throw DescriptionError(description.file, source.line,
                                       "\"" + source.name + "\" is the name of a diskette's tag file");
            names.Take(source.name, source.line, "a source");
        }
    if (!archivesMaySplit)
        return;
    for (const DescribedGroup& group : description.groups)
        for (const DescribedSource& source : group.sources)
            if (source.archive)
                names.Take(CArchiveWriter::NextVolumeName(source.name), source.line,
                           "the name under which " + source.name + " goes on when it spans two diskettes");
}
