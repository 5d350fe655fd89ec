#pragma once
// The commands of the profile in file order. Copies are deep.
#include <vector>

#include "profile/CCommand.h"

class CIniSection;

class CCommandList {
public:
    // Makes one command from an "Execute" section and appends it.
    void AddCommandFromSection(const CIniSection& section);

    const std::vector<CCommand>& Commands() const { return commands; }

private:
    std::vector<CCommand> commands;
};
