#include "app/SummaryText.h"

const char* const kSummaryGroups[7] = {"program", "art", "samples", "Album1000", "Album2000", "Alarms",
                                       "Backgrounds"};

std::string BuildSummary(const std::string& typeName, const std::vector<std::string>& descriptions,
                         const std::string& directory, const std::string& programFolder)
{
    std::string text = "Setup Type:\r\n\t" + typeName + "\r\n";
    for (const std::string& description : descriptions)
        text += "\t\t" + description + "\r\n";
    text += "\r\nTargetDirectory\r\n\t" + directory + "\r\n\r\n";
    text += "Program Folder\r\n\t" + programFolder;
    return text;
}
