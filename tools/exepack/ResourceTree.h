#pragma once
// A program's resource directory as a tree: read from its mapped image, cut down to some types,
// and written again for a given address. The packer leaves the resources that are read from the
// file itself (Explorer's icon, the version) in a small tree of their own in place of the whole.
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

struct ResourceDirectory;

struct ResourceEntry {
    std::vector<std::uint8_t> name;  // the length-prefixed UTF-16 name; empty: known by id
    std::uint32_t id = 0;
    std::unique_ptr<ResourceDirectory> directory;  // a directory, or else the data below
    std::vector<std::uint8_t> data;
    std::uint32_t codePage = 0;
};

struct ResourceDirectory {
    std::uint32_t characteristics = 0;
    std::uint32_t timeDateStamp = 0;
    std::uint16_t majorVersion = 0;
    std::uint16_t minorVersion = 0;
    std::vector<ResourceEntry> entries;  // named entries first, then by id, as they were read
};

// The tree whose root is at rva in the image; throws ExePackError for a tree that points outside
// the image or nests deeper than any loader reads.
ResourceDirectory ReadResourceTree(const std::vector<std::uint8_t>& image, std::uint32_t rva);

// The root's entries whose type ids are among types, with everything below them.
ResourceDirectory KeepResourceTypes(const ResourceDirectory& root, const std::set<std::uint32_t>& types);

// The tree's bytes for a section at rva: directories, data entries, names, then data.
std::vector<std::uint8_t> WriteResourceTree(const ResourceDirectory& root, std::uint32_t rva);
