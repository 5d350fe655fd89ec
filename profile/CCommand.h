#pragma once
// One external program that setup runs, described by an "Execute" section of the profile.
#include <string>
#include <vector>

class CIniSection;

class CCommand {
public:
    // Sets the fields named by the section's keys; every "arg" key adds one argument in file
    // order; unknown keys and keys without a value are ignored.
    void FillFromSection(const CIniSection& section);

    const std::string& Command() const { return command; }
    const std::vector<std::string>& Arguments() const { return arguments; }
    // The option under which the command runs; empty when the section names none.
    const std::string& OptionNumber() const { return optionNumber; }
    bool HasOption() const { return hasOption; }
    const std::string& Step() const { return step; }
    bool Synchronous() const { return synchronous; }

private:
    std::string command;
    std::vector<std::string> arguments;
    std::string optionNumber;
    bool hasOption = false;
    std::string step = "copy";
    bool synchronous = true;
};
