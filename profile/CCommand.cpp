#include "profile/CCommand.h"

#include "framework/TextCompare.h"
#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

void CCommand::FillFromSection(const CIniSection& section)
{
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        const std::string& name = key.Name();
        if (EqualsIgnoreCase(name, "arg")) {
            arguments.push_back(*value);
        } else if (EqualsIgnoreCase(name, "Command")) {
            command = *value;
        } else if (EqualsIgnoreCase(name, "option")) {
            optionNumber = *value;
            hasOption = true;
        } else if (EqualsIgnoreCase(name, "step")) {
            step = *value;
        } else if (EqualsIgnoreCase(name, "synchronous")) {
            synchronous = TextToFlag(*value);
        }
    }
}
