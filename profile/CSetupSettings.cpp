#include "profile/CSetupSettings.h"

#include <optional>

#include "framework/TextCompare.h"
#include "profile/CIniSection.h"
#include "profile/ProfileText.h"

// A text key of the "interface" section: the field it sets and whether escapes are expanded.
struct CSetupSettings::TextKey {
    const char* key;
    std::string CSetupSettings::*field;
    bool expandEscapes;
};

// In the order in which the keys are compared.
const CSetupSettings::TextKey CSetupSettings::textKeys[] = {
    {"Typical", &CSetupSettings::typical, true},
    {"Compact", &CSetupSettings::compact, true},
    {"Custom", &CSetupSettings::custom, true},
    {"InstallName", &CSetupSettings::installName, true},
    {"WelcomeTitle", &CSetupSettings::welcomeTitle, true},
    {"WelcomeText", &CSetupSettings::welcomeText, true},
    {"ReadingInfoTitle", &CSetupSettings::readingInfoTitle, true},
    {"ReadingInfoText", &CSetupSettings::readingInfoText, true},
    {"InstallOptionsTitle", &CSetupSettings::installOptionsTitle, true},
    {"CustomOptionsTitle", &CSetupSettings::customOptionsTitle, true},
    {"CustomMBOptionsTitle", &CSetupSettings::customMBOptionsTitle, true},
    {"CustomMBOptionsText", &CSetupSettings::customMBOptionsText, true},
    {"TypicalMBOptionsTitle", &CSetupSettings::typicalMBOptionsTitle, true},
    {"TypicalMBOptionsText", &CSetupSettings::typicalMBOptionsText, true},
    {"CompactMBOptionsTitle", &CSetupSettings::compactMBOptionsTitle, true},
    {"CompactMBOptionsText", &CSetupSettings::compactMBOptionsText, true},
    {"AbortedTitle", &CSetupSettings::abortedTitle, true},
    {"AbortedText", &CSetupSettings::abortedText, true},
    {"DoneTitle", &CSetupSettings::doneTitle, true},
    {"DoneText", &CSetupSettings::doneText, true},
    {"ReallyCancelMBTitle", &CSetupSettings::reallyCancelMBTitle, true},
    {"ReallyCancelMBText", &CSetupSettings::reallyCancelMBText, true},
    {"CopyingFilesTitle", &CSetupSettings::copyingFilesTitle, true},
    {"DefaultOptionDescription", &CSetupSettings::defaultOptionDescription, true},
    {"PMGroup", &CSetupSettings::pMGroup, false},
    {"UnWelcomeText", &CSetupSettings::unWelcomeText, true},
    {"UnWelcomeTitle", &CSetupSettings::unWelcomeTitle, true},
    {"UnDoneText", &CSetupSettings::unDoneText, true},
    {"UnDoneTitle", &CSetupSettings::unDoneTitle, true},
    {"BrowseDirText", &CSetupSettings::browseDirText, true},
    {"BrowseDirTitle", &CSetupSettings::browseDirTitle, true},
    {"LogFilename", &CSetupSettings::logFilename, true},
    {"UninstallProgressTitle", &CSetupSettings::uninstallProgressTitle, true},
    {"OutOfDiskTitle", &CSetupSettings::outOfDiskTitle, true},
    {"OutOfDiskText", &CSetupSettings::outOfDiskText, true},
};

void CSetupSettings::ApplyInterfaceSection(const CIniSection& section)
{
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        if (EqualsIgnoreCase(key.Name(), "FileCopyDelayInterval")) {
            fileCopyDelayInterval = TextToInt32(*value);
        } else if (EqualsIgnoreCase(key.Name(), "InstallTitleHeight")) {
            installTitleHeight = TextToInt32(*value);
        } else if (EqualsIgnoreCase(key.Name(), "DisplaySplashFlag")) {
            displaySplashFlag = TextToFlag(*value);
        } else {
            for (const TextKey& text : textKeys) {
                if (EqualsIgnoreCase(key.Name(), text.key)) {
                    this->*text.field = text.expandEscapes ? ExpandEscapes(*value) : *value;
                    break;
                }
            }
        }
    }
}

void CSetupSettings::ApplyBillboardSection(const CIniSection& section)
{
    std::optional<CBillboardEntry> pending;
    for (const CIniKey& key : section.Keys()) {
        const std::string* value = key.FirstValue();
        if (!value)
            continue;
        if (EqualsIgnoreCase(key.Name(), "bitmap")) {
            pending.emplace();
            pending->SetBitmapName(*value);
        } else if (EqualsIgnoreCase(key.Name(), "text") && pending) {
            pending->SetText(ExpandEscapes(*value));
            billboards.push_back(std::move(*pending));
            pending.reset();
        }
    }
}
