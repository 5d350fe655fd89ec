#pragma once
// One selectable part of the product, described by an "Option" section of the profile.
#include <cstdint>
#include <string>

class CIniSection;

// Shown when an option's number is below 1 (or no number); the option is kept all the same.
inline const char kOptionNumberMessage[] = "Error - Options must be greater than 0";
// Any space above 0 and below this is counted as this much.
constexpr int32_t kMinimumOptionSpace = 100000;

class COption {
public:
    COption() = default;

    // Sets the fields named by the section's keys; unknown keys and keys without a value are
    // ignored, a repeated key sets its field again.
    void FillFromSection(const CIniSection& section);

    // Numbers stay text as written: the collection orders them byte by byte.
    const std::string& OptionNumber() const { return optionNumber; }
    const std::string& ParentOptionNumber() const { return parentOptionNumber; }
    const std::string& DialogText() const { return dialogText; }
    const std::string& Description() const { return description; }
    int32_t Space() const { return space; }
    bool UserChoose() const { return userChoose; }
    bool UserVisible() const { return userVisible; }
    bool UserSetPath() const { return userSetPath; }
    bool Typical() const { return typical; }
    bool Compact() const { return compact; }
    bool AdminTypical() const { return adminTypical; }
    bool AdminCompact() const { return adminCompact; }
    const std::string& Group() const { return group; }
    int32_t DestinationId() const { return destinationId; }

    // State of the custom options page, not set from the profile.
    bool Checked() const { return checked; }
    void SetChecked(bool value) { checked = value; }
    const std::string& DestinationPath() const { return destinationPath; }
    void SetDestinationPath(std::string value) { destinationPath = std::move(value); }

private:
    void SetOptionNumber(const std::string& value);

    std::string optionNumber = "-1";
    std::string parentOptionNumber = "-1";
    std::string dialogText = "empty";
    std::string description = "<<No additional option description>>";
    int32_t space = 0;
    bool userChoose = true;
    bool userVisible = true;
    bool userSetPath = true;
    bool typical = true;
    bool compact = true;
    bool adminTypical = true;
    bool adminCompact = false;
    std::string group = "none";
    int32_t destinationId = -99;
    bool checked = false;
    std::string destinationPath = "@PARENT@";
};
