#include "tools/mkmedia/MediumReadBack.h"

#include "profile/CGroupStore.h"
#include "profile/ManifestLoader.h"
#include "tools/mkmedia/DiskettePlan.h"
#include "tools/mkmedia/MediumDescription.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CArchiveWriter.h"
#include "transfer/media/CSourceList.h"
#include "uninstall/CIniTextSource.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {
[[noreturn]] void Fail(const std::string& message)
{
    throw VerifyError("the medium does not read back as Setup will read it: " + message);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The one file of the folder whose name is `name`, case ignored, as FAT finds it.
std::string FindOnce(const std::string& folder, const std::string& name)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (LowerCase(entry.path().filename().string()) == LowerCase(name))
            found.push_back(entry.path().string());
    if (found.empty())
        Fail(name + " is not in " + folder);
    if (found.size() > 1)
        Fail(name + " is in " + folder + " " + std::to_string(found.size()) + " times");
    return found.front();
}

void CheckFile(const std::string& folder, const std::string& name, const FileCheck& expected)
{
    if (!(FileCheck::Of(FindOnce(folder, name)) == expected))
        Fail(name + " in " + folder + " does not hold the bytes that were written");
}

void CheckTagFiles(const WrittenMedium& medium)
{
    for (int disk = 1; disk <= medium.diskettes; ++disk) {
        std::string own = DiskettePlan::TagFileName(disk);
        FindOnce(medium.diskFolder(disk), own);
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(medium.diskFolder(disk), error)) {
            std::string name = LowerCase(entry.path().filename().string());
            if (name != own && name.compare(0, 9, "diskette.") == 0)
                Fail(medium.diskFolder(disk) + " holds another diskette's tag file, " + name);
        }
    }
}

const WrittenSource& Written(const WrittenMedium& medium, const CSourceArchive& read)
{
    for (const WrittenSource& source : medium.sources)
        if (source.group == read.owner->name && LowerCase(source.name) == LowerCase(read.fileName))
            return source;
    Fail("the manifest names " + read.fileName + ", which was not written");
}

void CheckSource(const WrittenMedium& medium, const CSourceArchive& read, const WrittenSource& written)
{
    bool archive = read.sourceType == CSourceArchive::kArchive;
    if (archive != written.archive || read.diskNumber != written.disk || read.afterOthers != written.afterOthers ||
        read.fileCount != static_cast<int>(written.fileCount) || read.totalSize != written.installedBytes)
        Fail("the manifest does not describe " + written.name + " as it was written");
    if (read.diskNumber < 1 || read.diskNumber > medium.diskettes)
        Fail(written.name + " is on diskette " + std::to_string(read.diskNumber) + " of " + std::to_string(medium.diskettes));
    CheckFile(medium.diskFolder(read.diskNumber), read.fileName, written.volumes.at(0));
    if (written.volumes.size() > 1) {
        if (read.diskNumber + 1 > medium.diskettes)
            Fail(written.name + " goes on past the last diskette");
        CheckFile(medium.diskFolder(read.diskNumber + 1), CArchiveWriter::NextVolumeName(read.fileName),
                  written.volumes[1]);
    }
}
}  // namespace

FileCheck FileCheck::Of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path);
    FileCheck check;
    std::vector<char> buffer(1 << 16);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        std::size_t count = static_cast<std::size_t>(in.gcount());
        check.checksum = UpdateArchiveChecksum(check.checksum, buffer.data(), count);
        check.bytes += count;
    }
    return check;
}

FileCheck FileCheck::OfText(const std::string& text)
{
    return {text.size(), UpdateArchiveChecksum(0, text.data(), text.size())};
}

void ReadBackMedium(const WrittenMedium& medium)
{
    std::string first = medium.diskFolder(1);
    for (const auto& [name, check] : medium.setupFiles)
        CheckFile(first, name, check);
    if (medium.tagFiles)
        CheckTagFiles(medium);
    CIniTextSource manifest(ReadText(FindOnce(first, medium.manifestName)));
    CGroupStore groups;
    ManifestLoader::LoadGroups(manifest, groups);
    CSourceList sources;
    ManifestLoader::LoadSources(manifest, groups, sources);
    std::set<const WrittenSource*> found;
    for (const auto& read : sources) {
        const WrittenSource& written = Written(medium, *read);
        CheckSource(medium, *read, written);
        found.insert(&written);
    }
    if (found.size() != medium.sources.size())
        Fail("the manifest names " + std::to_string(found.size()) + " of the " + std::to_string(medium.sources.size()) +
             " sources written");
}
