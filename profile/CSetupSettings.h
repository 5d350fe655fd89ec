#pragma once
// The texts and numbers of the installer's user interface that the profile may set, with their
// defaults, and the billboards. Filled from the "interface" and "Billboard" sections.
#include <cstdint>
#include <string>
#include <vector>

#include "profile/CBillboardEntry.h"

class CIniSection;

class CSetupSettings {
public:
    // Every text starts as "default", so that a text the profile does not set is visible as such.
    CSetupSettings() = default;

    // Sets the fields named by the section's keys; unknown keys and keys without a value are
    // ignored, and a repeated key wins with its last occurrence.
    void ApplyInterfaceSection(const CIniSection& section);
    // Reads bitmap/text pairs; a bitmap that no text follows is dropped.
    void ApplyBillboardSection(const CIniSection& section);

    bool DisplaySplashFlag() const { return displaySplashFlag; }
    const std::string& LogFilename() const { return logFilename; }
    int32_t FileCopyDelayInterval() const { return fileCopyDelayInterval; }
    void SetFileCopyDelayInterval(int32_t value) { fileCopyDelayInterval = value; }
    int32_t InstallTitleHeight() const { return installTitleHeight; }
    const std::string& UnWelcomeText() const { return unWelcomeText; }
    const std::string& UnWelcomeTitle() const { return unWelcomeTitle; }
    const std::string& UnDoneText() const { return unDoneText; }
    const std::string& UnDoneTitle() const { return unDoneTitle; }
    const std::string& BrowseDirText() const { return browseDirText; }
    const std::string& BrowseDirTitle() const { return browseDirTitle; }
    const std::string& Typical() const { return typical; }
    const std::string& Compact() const { return compact; }
    const std::string& Custom() const { return custom; }
    const std::string& InstallName() const { return installName; }
    const std::string& PMGroup() const { return pMGroup; }
    const std::string& WelcomeTitle() const { return welcomeTitle; }
    const std::string& WelcomeText() const { return welcomeText; }
    const std::string& ReadingInfoTitle() const { return readingInfoTitle; }
    const std::string& ReadingInfoText() const { return readingInfoText; }
    const std::string& InstallOptionsTitle() const { return installOptionsTitle; }
    const std::string& CustomOptionsTitle() const { return customOptionsTitle; }
    const std::string& CustomMBOptionsTitle() const { return customMBOptionsTitle; }
    const std::string& CustomMBOptionsText() const { return customMBOptionsText; }
    const std::string& TypicalMBOptionsTitle() const { return typicalMBOptionsTitle; }
    const std::string& TypicalMBOptionsText() const { return typicalMBOptionsText; }
    const std::string& CompactMBOptionsTitle() const { return compactMBOptionsTitle; }
    const std::string& CompactMBOptionsText() const { return compactMBOptionsText; }
    const std::string& AbortedTitle() const { return abortedTitle; }
    const std::string& AbortedText() const { return abortedText; }
    const std::string& DoneTitle() const { return doneTitle; }
    const std::string& DoneText() const { return doneText; }
    const std::string& ReallyCancelMBTitle() const { return reallyCancelMBTitle; }
    const std::string& ReallyCancelMBText() const { return reallyCancelMBText; }
    const std::string& CopyingFilesTitle() const { return copyingFilesTitle; }
    const std::string& DefaultOptionDescription() const { return defaultOptionDescription; }
    const std::string& UninstallProgressTitle() const { return uninstallProgressTitle; }
    const std::string& OutOfDiskTitle() const { return outOfDiskTitle; }
    const std::string& OutOfDiskText() const { return outOfDiskText; }
    const std::vector<CBillboardEntry>& Billboards() const { return billboards; }

private:
    struct TextKey;
    static const TextKey textKeys[];

    bool displaySplashFlag = true;
    std::string logFilename = "default.log";
    int32_t fileCopyDelayInterval = 5;
    int32_t installTitleHeight = 24;
    std::string unWelcomeText = "default";
    std::string unWelcomeTitle = "default";
    std::string unDoneText = "default";
    std::string unDoneTitle = "default";
    std::string browseDirText = "default";
    std::string browseDirTitle = "default";
    std::string typical = "default";
    std::string compact = "default";
    std::string custom = "default";
    std::string installName = "default";
    std::string pMGroup = "default";
    std::string welcomeTitle = "default";
    std::string welcomeText = "default";
    std::string readingInfoTitle = "default";
    std::string readingInfoText = "default";
    std::string installOptionsTitle = "default";
    std::string customOptionsTitle = "default";
    std::string customMBOptionsTitle = "default";
    std::string customMBOptionsText = "default";
    std::string typicalMBOptionsTitle = "default";
    std::string typicalMBOptionsText = "default";
    std::string compactMBOptionsTitle = "default";
    std::string compactMBOptionsText = "default";
    std::string abortedTitle = "default";
    std::string abortedText = "default";
    std::string doneTitle = "default";
    std::string doneText = "default";
    std::string reallyCancelMBTitle = "default";
    std::string reallyCancelMBText = "default";
    std::string copyingFilesTitle = "default";
    std::string defaultOptionDescription = "default";
    std::string uninstallProgressTitle = "default";
    std::string outOfDiskTitle = "default";
    std::string outOfDiskText = "default";
    std::vector<CBillboardEntry> billboards;
};
