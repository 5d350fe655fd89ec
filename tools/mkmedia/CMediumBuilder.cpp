#include "tools/mkmedia/CMediumBuilder.h"

#include "framework/CFrameworkException.h"
#include "tools/mkmedia/DisketteImages.h"
#include "tools/mkmedia/MediumNames.h"
#include "transfer/archive/ArchiveChecksum.h"
#include "transfer/archive/CArchiveWriter.h"
#include "transfer/archive/CVolumeReader.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>

namespace fs = std::filesystem;

namespace {
// Room kept for the manifest beyond its size with every source on diskette 1: longer diskette
// numbers and the minus signs of split archives.
constexpr std::uint64_t kManifestSlackPerSource = 4;

// An entry that compares what it decodes with the tree's file instead of writing it.
class CCompareEntry : public CMultiFileEntry {
public:
    explicit CCompareEntry(const std::vector<TreeFile>& files) : files_(files) {}

    void Open(const std::string&, OpenMode) override {}
    void Close() override {}
    void ApplyStatus() override {}
    void Write(const void* buffer, std::size_t count) override
    {
        std::vector<char> expected(count);
        tree_.read(expected.data(), static_cast<std::streamsize>(count));
        if (static_cast<std::size_t>(tree_.gcount()) != count || std::memcmp(expected.data(), buffer, count) != 0)
            differs_ = true;
        crc = UpdateArchiveChecksum(crc, buffer, count);
        bytesWritten += static_cast<std::uint32_t>(count);
    }

    // Opens the tree file that the entry just read must decode to.
    void Expect(std::size_t index)
    {
        tree_.close();
        tree_.clear();
        tree_.open(files_.at(index).path, std::ios::binary);
        differs_ = !tree_;
        bytesWritten = 0;
    }
    bool Matches(std::size_t index) { return !differs_ && bytesWritten == files_.at(index).bytes && tree_.peek() == EOF; }

private:
    const std::vector<TreeFile>& files_;
    std::ifstream tree_;
    bool differs_ = false;
};

void CopyFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error))
        throw std::runtime_error("cannot copy " + from + " to " + to + ": " + error.message());
}
}  // namespace

CMediumBuilder::CMediumBuilder(MediumDescription description, std::string output, BuildOptions options)
    : description_(std::move(description)), output_(std::move(output)), options_(std::move(options))
{
    staging_ = fs::path(output_).lexically_normal().string();
    while (!staging_.empty() && (staging_.back() == '/' || staging_.back() == '\\'))
        staging_.pop_back();
    staging_ += ".building";
}

CMediumBuilder::~CMediumBuilder()
{
    std::error_code ignored;
    if (!finished_)
        fs::remove_all(staging_, ignored);
}

void CMediumBuilder::Build()
{
    CheckSetupFiles();
    CheckMediumNames(description_, options_.kind != MediumKind::directory, options_.kind == MediumKind::diskettes);
    std::vector<TreeSource> sources = CollectTreeFiles(description_);
    if (fs::exists(output_) && !fs::is_empty(output_) && !options_.replace)
        throw std::runtime_error(output_ + " already holds files: give another folder, or --replace");
    StartStaging();
    WriteSources(std::move(sources));
    WriteSetupFiles();
    ReadBack();
    if (options_.images)
        WriteImages();
    Finish();
}

void CMediumBuilder::CheckSetupFiles() const
{
    std::pair<const char*, const std::string*> files[] = {
        {"setup", &description_.setupProgram}, {"profile", &description_.profile}, {"licence", &description_.licence}};
    for (const auto& [key, path] : files)
        if (!path->empty() && !fs::is_regular_file(*path))
            throw DescriptionError(description_.file, 0, std::string("[medium] ") + key + ": " + *path + " is not a file");
    if (!fs::is_directory(description_.tree))
        throw DescriptionError(description_.file, 0, "[medium] tree: " + description_.tree + " is not a folder");
}

void CMediumBuilder::StartStaging()
{
    fs::remove_all(staging_);
    fs::create_directories(fs::path(staging_) / "packed");
}

std::string CMediumBuilder::ManifestName() const
{
    return ManifestFileName(description_);
}

std::string CMediumBuilder::DiskFolder(int disk) const
{
    char name[16] = "";
    if (options_.kind == MediumKind::cd)
        std::snprintf(name, sizeof name, "DISK%02d", disk);
    else if (options_.kind == MediumKind::diskettes)
        std::snprintf(name, sizeof name, "disk%d", disk);
    return (fs::path(staging_) / name).string();
}

void CMediumBuilder::Progress(const std::string& text) const
{
    if (options_.progress)
        std::fprintf(stderr, "%s\n", text.c_str());
}

// The files that go onto the first diskette before any source.
std::vector<std::pair<std::string, std::uint64_t>> CMediumBuilder::SetupFiles(std::uint64_t manifestBytes) const
{
    std::vector<std::pair<std::string, std::uint64_t>> files = {
        {fs::path(description_.setupProgram).filename().string(), fs::file_size(description_.setupProgram)},
        {ManifestName(), manifestBytes}};
    if (!description_.profile.empty())
        files.push_back({kProfileFileName, fs::file_size(description_.profile)});
    if (!description_.licence.empty())
        files.push_back({kLicenceFileName, fs::file_size(description_.licence)});
    return files;
}

DisketteFormat CMediumBuilder::Format() const
{
    if (options_.kind != MediumKind::directory)
        return options_.format;
    DisketteFormat unlimited = DisketteFormat::OfSize(UINT64_MAX / 2);
    unlimited.rootEntries = 0;
    return unlimited;
}

// Room for the manifest on the first diskette, known before anything is packed: its figures are
// the tree's sizes and counts, only the diskette numbers wait for the plan.
std::uint64_t CMediumBuilder::ManifestBytes(const std::vector<TreeSource>& sources) const
{
    std::vector<ManifestSource> estimate;
    for (const TreeSource& tree : sources)
        estimate.push_back({tree.group->name, tree.source->name, tree.bytes, tree.source->archive, tree.files.size(), 1,
                            false, tree.files.front().destination});
    return ManifestText(description_, estimate).size() + kManifestSlackPerSource * estimate.size();
}

// Each source in turn: packed, placed and written. An archive is read back on a second thread
// while the next one packs, so that reading back costs the vendor little time; only one archive
// is read back at a time (the decoder's bit input is shared).
void CMediumBuilder::WriteSources(std::vector<TreeSource> sources)
{
    DiskettePlan plan(Format(), SetupFiles(ManifestBytes(sources)));
    placed_.reserve(sources.size());  // the reading thread holds on to its element
    std::future<void> readingBack;
    std::vector<ManifestSource> manifestSources;
    for (TreeSource& source : sources) {
        placed_.push_back({std::move(source), {}, 0, nullptr, {}});
        Placed& placed = placed_.back();
        const DescribedSource& described = *placed.tree.source;
        if (described.archive)
            Pack(placed);
        else
            placed.bytesOnMedium = placed.tree.bytes;
        placed.placement = plan.Place(described.name, placed.bytesOnMedium, described.archive);
        fs::create_directories(DiskFolder(placed.placement.disk));
        if (described.archive) {
            if (placed.placement.split)
                fs::create_directories(DiskFolder(placed.placement.disk + 1));
            std::vector<std::string> volumes = LayOut(placed);
            if (readingBack.valid())
                readingBack.get();
            readingBack = std::async(std::launch::async, [this, &placed, volumes] { ReadBackAndMove(placed, volumes); });
        } else {
            CopyFile(placed.tree.files.front().path, (fs::path(DiskFolder(placed.placement.disk)) / described.name).string());
            placed.written = {FileCheck::Of(placed.tree.files.front().path)};
        }
        manifestSources.push_back({placed.tree.group->name, described.name, placed.tree.bytes, described.archive,
                                   placed.tree.files.size(), placed.placement.disk, placed.placement.afterOthers,
                                   placed.tree.files.front().destination});
    }
    if (readingBack.valid())
        readingBack.get();
    diskettes_ = plan.Diskettes();
    manifest_ = ManifestText(description_, manifestSources);
}

void CMediumBuilder::Pack(Placed& placed) const
{
    const DescribedSource& described = *placed.tree.source;
    Progress("packing " + described.name + " (" + std::to_string(placed.tree.files.size()) + " files, " +
             std::to_string(placed.tree.bytes) + " bytes)");
    std::vector<ArchiveInput> inputs;
    for (const TreeFile& file : placed.tree.files)
        inputs.push_back({file.path, file.storedName, static_cast<std::uint16_t>(file.destination)});
    placed.writer = std::make_unique<CArchiveWriter>((fs::path(staging_) / "packed" / described.name).string(), 0,
                                                     options_.store, options_.progress);
    placed.writer->Pack(inputs);
    placed.bytesOnMedium = placed.writer->ArchiveBytes();
}

// Writes the packed archive's volumes beside one another, where reading back finds them.
std::vector<std::string> CMediumBuilder::LayOut(Placed& placed) const
{
    std::vector<std::string> volumes =
        placed.writer->WriteVolumes(placed.placement.split ? placed.placement.firstVolumeBytes : 0);
    placed.writer.reset();  // its scratch files go
    for (const std::string& volume : volumes)
        placed.written.push_back(FileCheck::Of(volume));
    return volumes;
}

// Reads the archive back through all its volumes, then moves each onto its diskette.
void CMediumBuilder::ReadBackAndMove(const Placed& placed, const std::vector<std::string>& volumes) const
{
    VerifyArchive(volumes.front(), placed.tree);
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        fs::path target = fs::path(DiskFolder(placed.placement.disk + static_cast<int>(i))) / fs::path(volumes[i]).filename();
        fs::rename(volumes[i], target);
    }
}

void CMediumBuilder::VerifyArchive(const std::string& firstVolume, const TreeSource& tree) const
{
    CVolumeReader reader(false);
    reader.OpenArchive(firstVolume);
    CCompareEntry entry(tree.files);
    std::size_t index = 0;
    while (reader.ReadNextEntry(entry, false)) {
        if (index >= tree.files.size() || tree.files[index].storedName != entry.header.name)
            throw VerifyError(tree.source->name + ": entry " + std::to_string(index + 1) + " is not " +
                              (index < tree.files.size() ? tree.files[index].storedName : std::string("expected")));
        entry.Expect(index);
        reader.Extract(entry);
        if (!entry.Matches(index))
            throw VerifyError(tree.source->name + ": " + entry.header.name + " does not read back as " + tree.files[index].path);
        ++index;
    }
    if (index != tree.files.size())
        throw VerifyError(tree.source->name + ": " + std::to_string(index) + " entries read back, " +
                          std::to_string(tree.files.size()) + " packed");
}

void CMediumBuilder::WriteSetupFiles()
{
    fs::path first = DiskFolder(1);
    CopyFile(description_.setupProgram, (first / fs::path(description_.setupProgram).filename()).string());
    std::ofstream manifest(first / ManifestName(), std::ios::binary);
    manifest << manifest_;
    if (!manifest.flush())
        throw std::runtime_error("cannot write " + (first / ManifestName()).string());
    if (!description_.profile.empty())
        CopyFile(description_.profile, (first / kProfileFileName).string());
    if (!description_.licence.empty())
        CopyFile(description_.licence, (first / kLicenceFileName).string());
    if (options_.kind == MediumKind::diskettes)
        for (const PlannedDiskette& disk : diskettes_)
            std::ofstream(fs::path(DiskFolder(disk.number)) / DiskettePlan::TagFileName(disk.number), std::ios::binary);
    fs::remove_all(fs::path(staging_) / "packed");
}

void CMediumBuilder::ReadBack() const
{
    if (options_.beforeReadBack)
        options_.beforeReadBack(staging_);
    Progress("reading the medium back");
    WrittenMedium medium;
    medium.diskFolder = [this](int disk) { return DiskFolder(disk); };
    medium.diskettes = static_cast<int>(diskettes_.size());
    medium.tagFiles = options_.kind == MediumKind::diskettes;
    medium.manifestName = ManifestName();
    medium.setupFiles = {{fs::path(description_.setupProgram).filename().string(), FileCheck::Of(description_.setupProgram)},
                         {ManifestName(), FileCheck::OfText(manifest_)}};
    if (!description_.profile.empty())
        medium.setupFiles.push_back({kProfileFileName, FileCheck::Of(description_.profile)});
    if (!description_.licence.empty())
        medium.setupFiles.push_back({kLicenceFileName, FileCheck::Of(description_.licence)});
    for (const Placed& placed : placed_)
        medium.sources.push_back({placed.tree.group->name, placed.tree.source->name, placed.tree.source->archive,
                                  placed.placement.disk, placed.placement.afterOthers, placed.tree.files.size(),
                                  placed.tree.bytes, placed.written});
    ReadBackMedium(medium);
}

void CMediumBuilder::WriteImages() const
{
    for (const PlannedDiskette& disk : diskettes_) {
        auto label = description_.labels.find(disk.number);
        std::string image = (fs::path(staging_) / ("disk" + std::to_string(disk.number) + ".img")).string();
        Progress("writing " + image);
        WriteDisketteImage(DiskFolder(disk.number), image, options_.format,
                           VolumeLabel(label == description_.labels.end() ? "" : label->second, disk.number));
    }
}

void CMediumBuilder::Finish()
{
    if (fs::exists(output_))
        fs::remove_all(output_);
    fs::rename(staging_, output_);
    finished_ = true;
}

void CMediumBuilder::PrintSummary(std::FILE* out) const
{
    std::map<int, std::vector<std::string>> sourcesOf;
    for (const Placed& placed : placed_) {
        std::string name = placed.tree.source->name + (placed.placement.split ? " (continued)" : "");
        sourcesOf[placed.placement.disk].push_back(name);
        if (placed.placement.split)
            sourcesOf[placed.placement.disk + 1].push_back(placed.placement.secondVolumeName);
    }
    if (options_.kind == MediumKind::diskettes) {
        // What a vendor pays diskettes for: how much of the first one Setup leaves to the product.
        std::uint64_t setupBytes = 0, productBytes = 0;
        for (const auto& [name, bytes] : SetupFiles(manifest_.size()))
            setupBytes += bytes;
        for (const Placed& placed : placed_)
            if (placed.placement.disk == 1)
                productBytes += placed.placement.split ? placed.placement.firstVolumeBytes : placed.bytesOnMedium;
        std::fprintf(out, "disk 1 holds Setup and its files (%llu bytes) and %llu bytes of the product\n",
                     static_cast<unsigned long long>(setupBytes), static_cast<unsigned long long>(productBytes));
    }
    const char* unit = options_.kind == MediumKind::directory ? "medium" : "disk";
    for (const PlannedDiskette& disk : diskettes_) {
        std::string names;
        for (const std::string& name : sourcesOf[disk.number])
            names += (names.empty() ? "" : ", ") + name;
        if (options_.kind == MediumKind::directory)
            std::fprintf(out, "%s: %llu bytes: %s\n", unit, static_cast<unsigned long long>(disk.usedBytes), names.c_str());
        else
            std::fprintf(out, "%s %d: %llu bytes used, %llu free: %s\n", unit, disk.number,
                         static_cast<unsigned long long>(disk.usedBytes),
                         static_cast<unsigned long long>(options_.format.dataBytes - disk.usedBytes), names.c_str());
    }
}
