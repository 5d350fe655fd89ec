#include "integration/SharedDllCount.h"

#include "transfer/paths/CFilePath.h"

namespace SharedDllCount {
namespace {
constexpr std::uint32_t kTypeString = 1;        // REG_SZ
constexpr std::uint32_t kTypeExpandString = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t kTypeDword = 4;         // REG_DWORD

std::optional<std::uint32_t> DecimalText(const std::string& text)
{
    std::string::size_type at = text.find_first_not_of(" \t");
    if (at == std::string::npos || text[at] < '0' || text[at] > '9')
        return std::nullopt;
    std::uint64_t number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + static_cast<std::uint64_t>(text[at] - '0');
        if (number > kMaxCount)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(number);
}
}

std::optional<std::uint32_t> Read(std::uint32_t valueType, const std::string& bytes)
{
    if (valueType == kTypeDword) {
        if (bytes.size() < 4)
            return std::nullopt;
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        if (number > kMaxCount)
            return std::nullopt;
        return number;
    }
    if (valueType == kTypeString || valueType == kTypeExpandString)
        return DecimalText(bytes);
    return std::nullopt;
}

std::uint32_t Incremented(std::optional<std::uint32_t> stored)
{
    if (!stored)
        return 1;
    return *stored >= kMaxCount ? kMaxCount : *stored + 1;
}

Decision DecideRemoval(CountState state, std::uint32_t count, bool installedByProduct, const std::string& dllPath,
                       const std::string& windowsDirectory, const std::string& systemDirectory)
{
    if (!CFilePath::IsFileInDirectory(dllPath) || state == CountState::unreadable ||
        (state == CountState::missing && !installedByProduct))
        return {Removal::skip, 0};
    std::int64_t remaining = static_cast<std::int64_t>(state == CountState::present ? count : 0) - 1;
    std::uint32_t keep = remaining > 0 ? static_cast<std::uint32_t>(remaining) : 0;
    if (remaining > 0)
        return {Removal::keepCount, keep};
    std::string directory = CFilePath(dllPath).GetDirectory();
    if (CFilePath::IsSameDirectory(directory, windowsDirectory) ||
        CFilePath::IsSameDirectory(directory, systemDirectory))
        return {Removal::askThenDelete, keep};
    return {Removal::delete_, keep};
}

std::string DataText(std::uint32_t count)
{
    return "#" + std::to_string(count);
}

std::string FileNameOf(const std::string& dllPath)
{
    std::string::size_type cut = dllPath.find_last_of("\\/:");
    return cut == std::string::npos ? dllPath : dllPath.substr(cut + 1);
}

}  // namespace SharedDllCount
