#include "app/CProfileContents.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {
const char kProfile[] =
    "[OPTION]\nOption = 1\nDialogText = \"Program\"\n"
    "[interface]\nFileCopyDelayInterval = 7\n"
    "[Registry]\nkey = \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Kalmora\\4.0\"\nname = Path\ndata = \"?0?\"\noption = 0\n"
    "[SharedDLL95]\nname = \"?3?kmshare.dll\"\noption = 1\n"
    "[shareddllnt]\nname = \"?3?kmshnt.dll\"\noption = 1\n"
    "[Interface]\nFileCopyDelayInterval = 9\n"
    "[registry]\nkey = \"HKEY_CLASSES_ROOT\\Kalmora.Document\"\ndata = \"Kalmora Document\"\noption = -1\n"
    "[MediaTypes]\ncount = 2\nfile1 = .kmd\nfile2 = .kmt\n"
    "[Vendor]\nanything = 1\n";

std::string WriteProfile(const char* text)
{
    std::string path = ::testing::TempDir() + "kalmora_ov_setup.ini";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
}

TEST(CProfileContents, HandsEverySectionToItsConsumerIgnoringCase)
{
    std::string path = WriteProfile(kProfile);
    for (bool isNT : {false, true}) {
        CProfileContents contents;
        contents.Load(path, isNT, MediaTypeValues{"2", "Kalmora", "Kalmora 4.0"});
        EXPECT_EQ(contents.options.Options().size(), 1u) << isNT;
        EXPECT_EQ(contents.registryEntries.Size(), 2u) << isNT;
        EXPECT_EQ(contents.registryEntries[1].option, "-1") << isNT;
        // The second "interface" section is applied over the first.
        EXPECT_EQ(contents.settings.FileCopyDelayInterval(), 9) << isNT;
        ASSERT_EQ(contents.sharedDlls.Size(), 1u) << isNT;
        EXPECT_EQ(contents.sharedDlls[0].valueName, isNT ? "?3?kmshnt.dll" : "?3?kmshare.dll");
        ASSERT_EQ(contents.mediaTypes.Size(), 2u) << isNT;
        EXPECT_EQ(contents.mediaTypes[1].path, "HKEY_CLASSES_ROOT\\.kmt");
        EXPECT_EQ(contents.mediaTypes[1].data, "Kalmora");
        EXPECT_EQ(contents.profile->File().Sections().size(), 9u) << "unknown sections stay in the store";
    }
    std::remove(path.c_str());
}

TEST(CProfileContents, ReadsTheMediaTypeCountAsItsBufferHoldsIt)
{
    EXPECT_EQ(CProfileContents::MediaTypeCount("3"), 3);
    EXPECT_EQ(CProfileContents::MediaTypeCount("many"), 0);
    EXPECT_EQ(CProfileContents::MediaTypeCount("2 types"), 2);
    EXPECT_EQ(CProfileContents::MediaTypeCount("123456"), 1234);
    EXPECT_EQ(CProfileContents::MediaTypeCount(""), 0);
}

TEST(CProfileContents, AMissingProfileLeavesTheDefaults)
{
    CProfileContents contents;
    contents.Load(::testing::TempDir() + "kalmora_no_such_profile.ini", true, MediaTypeValues{});
    EXPECT_EQ(contents.options.Options().size(), 0u);
    EXPECT_EQ(contents.registryEntries.Size(), 0u);
    EXPECT_EQ(contents.sharedDlls.Size(), 0u);
    EXPECT_EQ(contents.mediaTypes.Size(), 0u);
    EXPECT_EQ(contents.settings.FileCopyDelayInterval(), CSetupSettings().FileCopyDelayInterval());
}

TEST(CProfileContents, ReadsTheMediaTypeValuesThroughSetupsBuffers)
{
    std::vector<std::string> asked;
    MediaTypeValues values = CProfileContents::ReadMediaTypeValues(
        [&](const std::string& section, const std::string& key, const std::string& fallback, unsigned bufferSize) {
            asked.push_back(section + "/" + key + "/" + fallback + "/" + std::to_string(bufferSize));
            return key;
        });
    EXPECT_EQ(asked, (std::vector<std::string>{"mediatypes/count/0/5", "mediatypes/shortname//50",
                                               "mediatypes/longname//100"}));
    EXPECT_EQ(values.shortName, "shortname");
}
