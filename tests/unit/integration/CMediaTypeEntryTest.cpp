#include "integration/CMediaTypeEntry.h"

#include <gtest/gtest.h>

#include "ProfileSections.h"

namespace {
CIniSection MediaTypes(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    return MakeSection("mediatypes", pairs);
}
}

TEST(CMediaTypeList, NumbersItsEntriesFromOneToTheCountAndLeavesGapsAtTheBareRoot)
{
    CMediaTypeList list;
    list.SetNames("Kalmora", "Kalmora 4.0 Document");
    list.AddFromSection(MediaTypes({{"FILE1", ".kmd"}, {"file02", ".kmx"}, {"file3", ".kmt"}, {"option", "2"}}), 3);
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list[0].path, "HKEY_CLASSES_ROOT\\.kmd");
    EXPECT_EQ(list[1].path, "HKEY_CLASSES_ROOT");  // "file02" is not "file2"
    EXPECT_EQ(list[1].components.size(), 1u);
    EXPECT_EQ(list[2].path, "HKEY_CLASSES_ROOT\\.kmt");
    for (std::size_t index = 0; index < list.Size(); ++index) {
        EXPECT_EQ(list[index].valueName, "") << index;
        EXPECT_EQ(list[index].data, "Kalmora") << index;
        EXPECT_EQ(list[index].option, "2") << index;
        EXPECT_EQ(list[index].root, RegistryRoot::classesRoot) << index;
    }
}

TEST(CMediaTypeList, AddsNothingForACountBelowOneAndCutsLongNames)
{
    CMediaTypeList list;
    list.SetNames(std::string(60, 's'), std::string(120, 'l'));
    EXPECT_EQ(list.ShortName().size(), CMediaTypeList::kMaxShortName);
    EXPECT_EQ(list.LongName().size(), CMediaTypeList::kMaxLongName);
    list.AddFromSection(MediaTypes({{"file1", ".kmd"}}), 0);
    list.AddFromSection(MediaTypes({{"file1", ".kmd"}}), -4);
    EXPECT_EQ(list.Size(), 0u);
}
