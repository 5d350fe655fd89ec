#include "tools/mkmedia/ManifestText.h"

#include <stdexcept>

namespace {
constexpr const char* kLineEnd = "\r\n";
}

std::string ManifestText(const MediumDescription& description, const std::vector<ManifestSource>& sources)
{
    std::string text = std::string("[destinations]") + kLineEnd;
    for (const DescribedDestination& destination : description.destinations)
        text += std::to_string(destination.number) + "=" + destination.name + "|" + std::to_string(destination.parent) +
                "|" + destination.directory + kLineEnd;
    text += std::string("[groups]") + kLineEnd;
    for (const DescribedGroup& group : description.groups)
        text += group.name + "=" + group.caption + "|" + group.description + "|" + std::to_string(group.minimal) + "|" +
                std::to_string(group.typical) + "|" + std::to_string(group.custom) + kLineEnd;
    for (const DescribedGroup& group : description.groups) {
        text += "[" + group.name + "]" + kLineEnd;
        for (const ManifestSource& source : sources) {
            if (source.group != group.name)
                continue;
            if (source.totalBytes > 0xFFFFFFFFull)
                throw std::runtime_error(source.name + " holds 4 GB or more, more than Setup can count");
            std::string disk = std::to_string(source.afterOthers ? -source.disk : source.disk);
            text += source.name + "=" + std::to_string(source.totalBytes) + "|" + (source.archive ? "1" : "0") + "|" +
                    std::to_string(source.fileCount) + "|" + disk + "|" +
                    std::to_string(source.archive ? 0 : source.destination) + "|" + kLineEnd;
        }
    }
    text += std::string("[targets]") + kLineEnd;
    for (const DescribedTarget& target : description.targets)
        text += target.program + "=" + target.value + kLineEnd;
    if (!description.labels.empty()) {
        text += std::string("[diskettes]") + kLineEnd;
        for (const auto& [number, label] : description.labels)
            text += std::to_string(number) + "=" + label + kLineEnd;
    }
    return text;
}
