#include "profile/CDisketteLabels.h"

#include "profile/ManifestErrors.h"
#include "transfer/errors/CInstallProfileException.h"

CDisketteLabels::CDisketteLabels(const std::string& defaultFormat) : labels_(kDefaultCount + 1)
{
    for (int i = 1; i <= kDefaultCount; ++i) {
        // The format comes from our own string table and takes one number.
        std::string label = defaultFormat;
        size_t at = label.find("%d");
        if (at != std::string::npos)
            label.replace(at, 2, std::to_string(i));
        labels_[i] = label;
    }
}

bool CDisketteLabels::Set(long number, const std::string& label)
{
    if (number < 0 || number > kHighestNumber)
        return false;
    if (static_cast<size_t>(number) >= labels_.size())
        labels_.resize(static_cast<size_t>(number) + 1);
    labels_[static_cast<size_t>(number)] = label;
    return true;
}

const std::string& CDisketteLabels::Get(long number) const
{
    if (number < 0 || static_cast<size_t>(number) >= labels_.size())
        throw CInstallProfileException(kProfileDisketteOutOfRange);
    return labels_[static_cast<size_t>(number)];
}
