#include "profile/COption.h"

#include "framework/TextCompare.h"
#include "framework/UserMessage.h"
#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

namespace {
int32_t SpaceFromText(const std::string& text)
{
    int32_t space = TextToInt32(text);
    return space > 0 && space < kMinimumOptionSpace ? kMinimumOptionSpace : space;
}
}

void COption::SetOptionNumber(const std::string& value)
{
    if (TextToInt32(value) < 1)
        ShowUserMessage(kOptionNumberMessage);
    optionNumber = value;
}

void COption::FillFromSection(const CIniSection& section)
{
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        const std::string& name = key.Name();
        if (EqualsIgnoreCase(name, "DialogText"))
            dialogText = *value;
        else if (EqualsIgnoreCase(name, "ParentOption"))
            parentOptionNumber = *value;
        else if (EqualsIgnoreCase(name, "OptionDescription"))
            description = ExpandEscapes(*value);
        else if (EqualsIgnoreCase(name, "Option"))
            SetOptionNumber(*value);
        else if (EqualsIgnoreCase(name, "Space"))
            space = SpaceFromText(*value);
        else if (EqualsIgnoreCase(name, "UserChoose"))
            userChoose = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "UserVisible"))
            userVisible = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "UserSetPath"))
            userSetPath = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "Typical"))
            typical = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "Compact"))
            compact = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "AdminTypical"))
            adminTypical = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "AdminCompact"))
            adminCompact = TextToFlag(*value);
        else if (EqualsIgnoreCase(name, "Group"))
            group = *value;
        else if (EqualsIgnoreCase(name, "DestinationID"))
            destinationId = TextToInt32(*value);
    }
}
