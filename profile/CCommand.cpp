#include "profile/CCommand.h"

#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

void CCommand::FillFromSection(const CIniSection& section)
{
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        const std::string& name = key.Name();
        if (EqualsIgnoringCase(name, "arg")) {
            arguments.push_back(*value);
        } else if (EqualsIgnoringCase(name, "Command")) {
            command = *value;
        } else if (EqualsIgnoringCase(name, "option")) {
            optionNumber = *value;
            hasOption = true;
        } else if (EqualsIgnoringCase(name, "step")) {
            step = *value;
        } else if (EqualsIgnoringCase(name, "synchronous")) {
            synchronous = TextToFlag(*value);
        }
    }
}
