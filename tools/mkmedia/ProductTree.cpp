#include "tools/mkmedia/ProductTree.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {
// An archive entry records sizes in 32 bits.
constexpr std::uint64_t kLargestFile = 0xFFFFFFFFull;

class TreeCollector {
public:
    explicit TreeCollector(const MediumDescription& description) : description_(description) {}

    std::vector<TreeSource> Collect()
    {
        std::vector<TreeSource> sources;
        for (const DescribedGroup& group : description_.groups)
            for (const DescribedSource& source : group.sources)
                sources.push_back(CollectSource(group, source));
        return sources;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const
    {
        throw DescriptionError(description_.file, line, message);
    }

    TreeSource CollectSource(const DescribedGroup& group, const DescribedSource& source)
    {
        TreeSource collected{&group, &source, {}, 0};
        for (const DescribedItem& item : source.items) {
            std::string written = item.treePath;
            std::replace(written.begin(), written.end(), '\\', '/');
            fs::path path = fs::path(description_.tree) / written;
            std::error_code error;
            if (fs::is_regular_file(path, error)) {
                Add(collected, item, path);
            } else if (fs::is_directory(path, error) && source.archive) {
                std::vector<fs::path> below;
                for (const auto& entry : fs::recursive_directory_iterator(path, error))
                    if (entry.is_regular_file())
                        below.push_back(entry.path());
                if (below.empty())
                    Fail(item.line, "the folder \"" + item.treePath + "\" holds no file");
                std::sort(below.begin(), below.end());
                for (const fs::path& file : below)
                    Add(collected, item, file);
            } else {
                Fail(item.line, "\"" + item.treePath + "\" is no " + (source.archive ? "file or folder" : "file") +
                                    " of the tree " + description_.tree);
            }
        }
        return collected;
    }

    void Add(TreeSource& source, const DescribedItem& item, const fs::path& path)
    {
        std::string name = source.source->archive ? path.filename().string() : source.source->name;
        if (!IsInstallableName(name))
            Fail(item.line, "\"" + path.generic_string() + "\": Setup cannot install a file named \"" + name + "\"");
        if (!IsLogKeyName(name))
            Fail(item.line, "\"" + path.generic_string() + "\": Setup refuses a file named \"" + name +
                                "\", which its uninstall log could not name again");
        auto key = std::make_pair(item.destination, LowerCase(name));
        auto earlier = installedNames_.find(key);
        if (earlier != installedNames_.end())
            Fail(item.line, "\"" + name + "\" goes into destination " + std::to_string(item.destination) +
                                " twice (also from line " + std::to_string(earlier->second) + ")");
        installedNames_[key] = item.line;
        std::uint64_t bytes = fs::file_size(path);
        if (bytes > kLargestFile)
            Fail(item.line, "\"" + path.generic_string() + "\" is larger than the 4 GB an archive entry can hold");
        source.files.push_back({path.string(), name, item.destination, bytes});
        source.bytes += bytes;
    }

    const MediumDescription& description_;
    std::map<std::pair<long, std::string>, int> installedNames_;
};
}  // namespace

std::vector<TreeSource> CollectTreeFiles(const MediumDescription& description)
{
    return TreeCollector(description).Collect();
}
