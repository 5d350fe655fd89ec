#include "profile/ManifestLoader.h"


#include "profile/ManifestErrors.h"
#include "profile/ManifestValue.h"
#include "transfer/errors/CInstallProfileException.h"

namespace ManifestLoader {

void LoadDestinations(const IIniSource& file, CDestinationStore& destinations)
{
    std::vector<std::string> keys = file.KeyNames("destinations");
    if (keys.empty())
        throw CInstallProfileException(kProfileMissingDestinations);
    for (const std::string& key : keys) {
        ManifestValue value(file.Value("destinations", key));
        int number = static_cast<int>(ManifestValue::ToNumber(key));
        destinations.SetNameAndParent(number, value.Text(0), static_cast<int>(value.Number(1, -1)));
        destinations.SetDirectory(number, value.Text(2));
    }
}

void LoadGroups(const IIniSource& file, CGroupStore& groups)
{
    for (const std::string& key : file.KeyNames("groups")) {
        ManifestValue value(file.Value("groups", key));
        CGroup group;
        group.name = key;
        group.caption = value.Text(0);
        group.description = value.Text(1);
        group.minimal = value.Number(2);
        group.typical = value.Number(3);
        group.custom = value.Number(4);
        groups.Put(std::move(group));
    }
}

void LoadTargets(const IIniSource& file, CTargetStore& targets)
{
    for (const std::string& key : file.KeyNames("targets")) {
        ManifestValue value(file.Value("targets", key));
        CShortcutTarget target;
        target.fileName = key;
        target.iconIndex = value.Number(0);
        target.hotKey = value.Number(1);
        target.minimized = value.Number(2);
        target.itemName = value.Text(3);
        target.arguments = value.Text(4);
        target.iconFile = value.Text(5);
        target.programPath = CFilePath(value.Text(6));
        targets.Put(std::move(target));
    }
}

void LoadSources(const IIniSource& file, CGroupStore& groups, CSourceList& sources)
{
    for (auto& [name, group] : groups.All()) {
        for (const std::string& key : file.KeyNames(name)) {
            ManifestValue value(file.Value(name, key));
            auto source = std::make_unique<CSourceArchive>();
            source->fileName = key;
            source->totalSize = static_cast<std::uint32_t>(ManifestValue::ToUnsigned(value.Text(0)));
            source->sourceType = static_cast<int>(value.Number(1));
            source->fileCount = static_cast<int>(value.Number(2));
            long disk = value.Number(3);
            source->afterOthers = disk < 0;
            source->diskNumber = static_cast<int>(disk < 0 ? -disk : disk);
            source->destinationId = static_cast<int>(value.Number(4));
            source->text = value.Text(5);
            source->owner = &group;
            sources.Insert(std::move(source));
        }
    }
}

void LoadDisketteLabels(const IIniSource& file, CDisketteLabels& labels)
{
    for (const std::string& key : file.KeyNames("diskettes"))
        labels.Set(ManifestValue::ToNumber(key), file.Value("diskettes", key));
}

}  // namespace ManifestLoader
