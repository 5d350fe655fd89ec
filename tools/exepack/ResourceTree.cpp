#include "tools/exepack/ResourceTree.h"

#include "tools/exepack/PeImage.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kNamed = 0x80000000u;
constexpr int kDeepestLevel = 8;  // types, names and languages are three
constexpr std::size_t kMostEntries = 65536;

std::uint32_t AlignUp(std::uint32_t value, std::uint32_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

void ReadDirectory(const std::vector<std::uint8_t>& image, std::uint32_t rootRva, std::uint32_t offset, int level,
                   std::size_t& entriesRead, ResourceDirectory& directory)
{
    if (level > kDeepestLevel)
        throw ExePackError("resource directories nest too deep");
    const std::size_t at = static_cast<std::size_t>(rootRva) + offset;
    directory.characteristics = ReadLe32(image, at);
    directory.timeDateStamp = ReadLe32(image, at + 4);
    directory.majorVersion = ReadLe16(image, at + 8);
    directory.minorVersion = ReadLe16(image, at + 10);
    const unsigned count = ReadLe16(image, at + 12) + ReadLe16(image, at + 14);
    for (unsigned i = 0; i < count; ++i) {
        if (++entriesRead > kMostEntries)
            throw ExePackError("more resources than a program holds");
        const std::uint32_t key = ReadLe32(image, at + 16 + 8 * i);
        const std::uint32_t target = ReadLe32(image, at + 20 + 8 * i);
        ResourceEntry entry;
        if (key & kNamed) {
            const std::size_t name = static_cast<std::size_t>(rootRva) + (key & ~kNamed);
            const std::size_t length = ReadLe16(image, name);
            ReadLe16(image, name + 2 * length);  // the whole name lies in the image
            entry.name.assign(image.begin() + name, image.begin() + name + 2 + 2 * length);
        } else {
            entry.id = key;
        }
        if (target & kSubdirectory) {
            entry.directory = std::make_unique<ResourceDirectory>();
            ReadDirectory(image, rootRva, target & ~kSubdirectory, level + 1, entriesRead, *entry.directory);
        } else {
            const std::size_t leaf = static_cast<std::size_t>(rootRva) + target;
            const std::uint32_t dataRva = ReadLe32(image, leaf), size = ReadLe32(image, leaf + 4);
            if (dataRva > image.size() || image.size() - dataRva < size)
                throw ExePackError("resource data outside the image");
            entry.data.assign(image.begin() + dataRva, image.begin() + dataRva + size);
            entry.codePage = ReadLe32(image, leaf + 8);
        }
        directory.entries.push_back(std::move(entry));
    }
}

ResourceDirectory Copy(const ResourceDirectory& from)
{
    ResourceDirectory to;
    to.characteristics = from.characteristics;
    to.timeDateStamp = from.timeDateStamp;
    to.majorVersion = from.majorVersion;
    to.minorVersion = from.minorVersion;
    for (const ResourceEntry& entry : from.entries) {
        ResourceEntry copy;
        copy.name = entry.name;
        copy.id = entry.id;
        copy.data = entry.data;
        copy.codePage = entry.codePage;
        if (entry.directory)
            copy.directory = std::make_unique<ResourceDirectory>(Copy(*entry.directory));
        to.entries.push_back(std::move(copy));
    }
    return to;
}

// Where each part of the tree goes: directories breadth first, then the data entries, the names
// and the data, each in the order in which the directories list them.
struct TreeLayout {
    std::vector<const ResourceDirectory*> directories;
    std::vector<std::uint32_t> directoryOffsets;
    std::vector<const ResourceEntry*> leaves;
    std::vector<const ResourceEntry*> named;

    explicit TreeLayout(const ResourceDirectory& root)
    {
        directories.push_back(&root);
        for (std::size_t i = 0; i < directories.size(); ++i)
            for (const ResourceEntry& entry : directories[i]->entries) {
                if (!entry.name.empty())
                    named.push_back(&entry);
                if (entry.directory)
                    directories.push_back(entry.directory.get());
                else
                    leaves.push_back(&entry);
            }
        std::uint32_t offset = 0;
        for (const ResourceDirectory* directory : directories) {
            directoryOffsets.push_back(offset);
            offset += 16 + 8 * static_cast<std::uint32_t>(directory->entries.size());
        }
        leafStart = offset;
        nameStart = leafStart + 16 * static_cast<std::uint32_t>(leaves.size());
        offset = nameStart;
        for (const ResourceEntry* entry : named) {
            nameOffsets.push_back(offset);
            offset += static_cast<std::uint32_t>(entry->name.size());
        }
        offset = AlignUp(offset, 8);
        for (const ResourceEntry* entry : leaves) {
            dataOffsets.push_back(offset);
            offset = AlignUp(offset + static_cast<std::uint32_t>(entry->data.size()), 8);
        }
        size = offset;
    }

    template <typename T>
    static std::uint32_t IndexOf(const std::vector<const T*>& list, const T* item)
    {
        return static_cast<std::uint32_t>(std::find(list.begin(), list.end(), item) - list.begin());
    }

    std::uint32_t leafStart = 0, nameStart = 0, size = 0;
    std::vector<std::uint32_t> nameOffsets, dataOffsets;
};
}  // namespace

ResourceDirectory ReadResourceTree(const std::vector<std::uint8_t>& image, std::uint32_t rva)
{
    ResourceDirectory root;
    std::size_t entriesRead = 0;
    ReadDirectory(image, rva, 0, 0, entriesRead, root);
    return root;
}

ResourceDirectory KeepResourceTypes(const ResourceDirectory& root, const std::set<std::uint32_t>& types)
{
    ResourceDirectory kept = Copy(root);
    kept.entries.erase(std::remove_if(kept.entries.begin(), kept.entries.end(),
                                      [&](const ResourceEntry& entry) {
                                          return !entry.name.empty() || types.count(entry.id) == 0;
                                      }),
                       kept.entries.end());
    return kept;
}

std::vector<std::uint8_t> WriteResourceTree(const ResourceDirectory& root, std::uint32_t rva)
{
    TreeLayout layout(root);
    std::vector<std::uint8_t> out(layout.size, 0);
    for (std::size_t d = 0; d < layout.directories.size(); ++d) {
        const ResourceDirectory& directory = *layout.directories[d];
        const std::uint32_t at = layout.directoryOffsets[d];
        auto namedCount = std::count_if(directory.entries.begin(), directory.entries.end(),
                                        [](const ResourceEntry& entry) { return !entry.name.empty(); });
        WriteLe32(out, at, directory.characteristics);
        WriteLe32(out, at + 4, directory.timeDateStamp);
        WriteLe16(out, at + 8, directory.majorVersion);
        WriteLe16(out, at + 10, directory.minorVersion);
        WriteLe16(out, at + 12, static_cast<std::uint16_t>(namedCount));
        WriteLe16(out, at + 14, static_cast<std::uint16_t>(directory.entries.size() - namedCount));
        for (std::size_t i = 0; i < directory.entries.size(); ++i) {
            const ResourceEntry& entry = directory.entries[i];
            const std::size_t slot = at + 16 + 8 * i;
            WriteLe32(out, slot, entry.name.empty()
                                     ? entry.id
                                     : kNamed | layout.nameOffsets[TreeLayout::IndexOf(layout.named, &entry)]);
            WriteLe32(out, slot + 4, entry.directory
                                         ? kSubdirectory | layout.directoryOffsets[TreeLayout::IndexOf(
                                                               layout.directories,
                                                               static_cast<const ResourceDirectory*>(entry.directory.get()))]
                                         : layout.leafStart + 16 * TreeLayout::IndexOf(layout.leaves, &entry));
        }
    }
    for (std::size_t i = 0; i < layout.leaves.size(); ++i) {
        const ResourceEntry& entry = *layout.leaves[i];
        const std::uint32_t at = layout.leafStart + 16 * static_cast<std::uint32_t>(i);
        WriteLe32(out, at, rva + layout.dataOffsets[i]);
        WriteLe32(out, at + 4, static_cast<std::uint32_t>(entry.data.size()));
        WriteLe32(out, at + 8, entry.codePage);
        std::copy(entry.data.begin(), entry.data.end(), out.begin() + layout.dataOffsets[i]);
    }
    for (std::size_t i = 0; i < layout.named.size(); ++i)
        std::copy(layout.named[i]->name.begin(), layout.named[i]->name.end(), out.begin() + layout.nameOffsets[i]);
    return out;
}
