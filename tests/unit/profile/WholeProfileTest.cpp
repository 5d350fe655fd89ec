// Realistic profiles read end to end and handed to the consumers section by section.
#include <gtest/gtest.h>

#include "ProfileTestFiles.h"
#include "framework/TextCompare.h"
#include "profile/CCommandList.h"
#include "profile/CInstallProfile.h"
#include "profile/COptionList.h"
#include "profile/CSetupSettings.h"
#include "profile/MacroExpansion.h"

namespace {
const char kVendorProfile[] =
    "; Kalmora 4.0 install profile\r\n"
    "#include \"texts.ini\"\r\n"
    "\r\n"
    "[Billboard]\r\n"
    "bitmap = bb1.bmp\r\n"
    "text = \"Kalmora plans your week.\\nEvery week.\"\r\n"
    "bitmap = bb2.bmp\r\n"
    "text = \"Shares calendars over the network\"\r\n"
    "\r\n"
    "[Option]\r\n"
    "Option = 2\r\n"
    "DialogText = \"Sample data\"\r\n"
    "Space = 500\r\n"
    "Typical = false\r\n"
    "Group = Samples\r\n"
    "DestinationID = 2\r\n"
    "\r\n"
    "[Option]\r\n"
    "Option = 1\r\n"
    "DialogText = \"Program files\"\r\n"
    "OptionDescription = \"The program\\tand its help\"\r\n"
    "UserChoose = false\r\n"
    "Space = 2400000\r\n"
    "Group = Program\r\n"
    "DestinationID = 1\r\n"
    "\r\n"
    "[Option]\r\n"
    "Option = 10\r\n"
    "ParentOption = 1\r\n"
    "DialogText = \"Online help\"\r\n"
    "\r\n"
    "[Execute]\r\n"
    "Command = \"?1?\\kmsetup.exe\"\r\n"
    "arg = /register\r\n"
    "arg = \"?LaunchDrive?\\data\"\r\n"
    "step = finish\r\n"
    "synchronous = true\r\n"
    "\r\n"
    "[Registry]\r\n"
    "key = \"HKEY_LOCAL_MACHINE\\Software\\Kalmora\\4.0\"\r\n"
    "values =\r\n"
    "  \"Path=?1?\"\r\n"
    "  \"Quote=''x''\"\r\n";

const char kTexts[] =
    "[interface]\n"
    "InstallName = \"Kalmora 4.0\"\n"
    "WelcomeTitle = \"Welcome to Kalmora\"\n"
    "WelcomeText = \"Setup installs Kalmora 4.0.\\n\\nClose other programs first.\"\n"
    "PMGroup = \"Kalmora 4.0\"\n"
    "FileCopyDelayInterval = 3\n"
    "DisplaySplashFlag = FALSE ; no splash on slow machines\n"
    "LogFilename = kmwin4.log\n";

struct Consumers {
    CSetupSettings settings;
    COptionList options;
    CCommandList commands;
    std::vector<const CIniSection*> others;
};

Consumers HandOut(const CIniFile& store)
{
    Consumers consumers;
    for (const CIniSection& section : store.Sections()) {
        if (EqualsIgnoreCase(section.Name(), "Option"))
            consumers.options.AddOptionFromSection(section);
        else if (EqualsIgnoreCase(section.Name(), "Billboard"))
            consumers.settings.ApplyBillboardSection(section);
        else if (EqualsIgnoreCase(section.Name(), "interface"))
            consumers.settings.ApplyInterfaceSection(section);
        else if (EqualsIgnoreCase(section.Name(), "Execute"))
            consumers.commands.AddCommandFromSection(section);
        else
            consumers.others.push_back(&section);
    }
    return consumers;
}
}

TEST(WholeProfile, VendorProfileFillsEveryConsumer)
{
    ScratchDirectory dir;
    dir.Write("texts.ini", kTexts);
    CInstallProfile profile(dir.Write("ov_setup.ini", kVendorProfile));
    profile.Load();
    MessageRecorder recorder;
    Consumers c = HandOut(profile.File());

    EXPECT_EQ(c.settings.InstallName(), "Kalmora 4.0");
    EXPECT_EQ(c.settings.WelcomeText(), "Setup installs Kalmora 4.0.\n\nClose other programs first.");
    EXPECT_EQ(c.settings.FileCopyDelayInterval(), 3);
    EXPECT_FALSE(c.settings.DisplaySplashFlag());
    EXPECT_EQ(c.settings.LogFilename(), "kmwin4.log");
    EXPECT_EQ(c.settings.DoneTitle(), "default");
    ASSERT_EQ(c.settings.Billboards().size(), 2u);
    EXPECT_EQ(c.settings.Billboards()[0].Text(), "Kalmora plans your week.\nEvery week.");

    ASSERT_EQ(c.options.Options().size(), 3u);
    EXPECT_EQ(c.options.Options()[0].DialogText(), "Program files");
    EXPECT_EQ(c.options.Options()[1].DialogText(), "Online help");
    EXPECT_EQ(c.options.Options()[2].Space(), 100000);
    EXPECT_FALSE(c.options.Options()[2].Typical());
    EXPECT_TRUE(recorder.messages.empty());

    ASSERT_EQ(c.commands.Commands().size(), 1u);
    const CCommand& command = c.commands.Commands()[0];
    std::vector<std::string> names = {"?1?", "?LaunchDrive?"};
    std::vector<std::string> values = {"C:\\KALMORA", "A:"};
    EXPECT_EQ(ExpandMacros(command.Command(), names, values), "C:\\KALMORA\\kmsetup.exe");
    EXPECT_EQ(ExpandMacros(command.Arguments().at(1), names, values), "A:\\data");
    EXPECT_EQ(command.Step(), "finish");

    ASSERT_EQ(c.others.size(), 1u);
    const CIniKey& registryValues = c.others[0]->Keys().at(1);
    EXPECT_EQ(registryValues.Values(), (std::vector<std::string>{"Path=?1?", "Quote=''x''"}));
    EXPECT_EQ(ExpandMacros(registryValues.Values()[1], names, values), "Quote=\"x\"");
}

TEST(WholeProfile, DamagedSectionLosesOnlyItsOwnKeys)
{
    const char damaged[] =
        "[interface]\n"
        "WelcomeTitle = Hello\n"
        "[Option]\n"
        "Option = 1 2\n"
        "Group = lost\n"
        "[Option]\n"
        "Option = 2\n"
        "Group = kept\n";
    ScratchDirectory dir;
    CInstallProfile profile(dir.Write("ov_setup.ini", damaged));
    profile.Load();
    MessageRecorder recorder;
    Consumers c = HandOut(profile.File());
    EXPECT_EQ(c.settings.WelcomeTitle(), "Hello");
    ASSERT_EQ(c.options.Options().size(), 2u);
    EXPECT_EQ(c.options.Options()[0].OptionNumber(), "1");
    EXPECT_EQ(c.options.Options()[0].Group(), "none");
    EXPECT_EQ(c.options.Options()[1].Group(), "kept");
}

TEST(WholeProfile, ProfileSplitOverIncludesReadsAsOne)
{
    ScratchDirectory dir;
    dir.Write("parts/options.ini",
              "; every option of the product\n"
              "[OPTION]\nOption = 1\nDialogText = \"Program\"\n"
              "#include \"help.ini\"\n");
    dir.Write("parts/help.ini", "[option]\nOption = 11\nParentOption = 1\nDialogText = \"Help\"\n");
    dir.Write("parts/dlls.ini", "  kmcal32.dll\n  kmnet32.dll ; network\n");
    const char main[] =
        "#include \"parts/options.ini\"\n"
        "[SharedDLL95]\n"
        "files =\n"
        "  kmbase32.dll\n"
        "#include \"parts/dlls.ini\"\n"
        "  \"km util.dll\"\n"
        "[Execute]\nCommand = kmsched.exe\nstep = finish ; after copying\nsynchronous = false\n";
    CInstallProfile profile(dir.Write("ov_setup.ini", main));
    profile.Load();
    EXPECT_EQ(RenderStore(profile.File()),
              "[OPTION] Option={1} DialogText={Program} [option] Option={11} ParentOption={1} DialogText={Help} "
              "[SharedDLL95] files={kmbase32.dll}{kmcal32.dll}{kmnet32.dll}{km util.dll} "
              "[Execute] Command={kmsched.exe} step={finish} synchronous={false}");
    Consumers c = HandOut(profile.File());
    ASSERT_EQ(c.options.Options().size(), 2u);
    EXPECT_EQ(c.options.Options()[1].ParentOptionNumber(), "1");
    ASSERT_EQ(c.commands.Commands().size(), 1u);
    EXPECT_FALSE(c.commands.Commands()[0].Synchronous());
}
