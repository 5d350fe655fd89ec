#include "profile/CCommandList.h"

void CCommandList::AddCommandFromSection(const CIniSection& section)
{
    CCommand command;
    command.FillFromSection(section);
    commands.push_back(std::move(command));
}
