#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "profile/CIniEntry.h"
#include "profile/CPrivateProfileSource.h"
#include "profile/ManifestLoader.h"

namespace {
// A manifest file in the temporary directory, removed at the end of the test.
class ManifestFile {
public:
    explicit ManifestFile(const std::string& text)
    {
        char directory[MAX_PATH] = {};
        GetTempPathA(sizeof directory, directory);
        path_ = std::string(directory) + "kalmora-manifest-test.ini";
        FILE* file = std::fopen(path_.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    ~ManifestFile() { DeleteFileA(path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
}

TEST(CPrivateProfileSource, KeysInFileOrderAndValuesOfAtMost255Characters)
{
    std::string longValue(400, 'x');
    ManifestFile file("[Groups]\r\nprogram=a\r\nart=b\r\nSamples=c\r\n[long]\r\nk=" + longValue + "\r\n");
    CPrivateProfileSource source(file.Path());
    std::vector<std::string> keys = source.KeyNames("groups");
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], "program");
    EXPECT_EQ(keys[2], "Samples");
    EXPECT_EQ(source.Value("GROUPS", "ART"), "b");
    EXPECT_LE(source.Value("long", "k").size(), 255u);
    EXPECT_TRUE(source.KeyNames("missing").empty());
}

TEST(CIniSectionEnumerator, GrowsItsBufferForLongKeyLists)
{
    std::string text = "[many]\r\n";
    for (int i = 0; i < 200; ++i)
        text += "key_number_" + std::to_string(i) + "=1\r\n";
    ManifestFile file(text);
    EXPECT_EQ(CPrivateProfileSource(file.Path()).KeyNames("many").size(), 200u);
}

TEST(CIniEntry, ReadWriteAndModification)
{
    ManifestFile file("[s]\r\nk=old\r\n");
    CIniEntry entry("default", "s", "k", true, file.Path());
    EXPECT_EQ(entry.Value(), "old");
    EXPECT_FALSE(entry.IsModified());
    entry.SetValue("new");
    EXPECT_TRUE(entry.IsModified());
    EXPECT_TRUE(entry.Write());
    EXPECT_EQ(CIniEntry("", "s", "k", true, file.Path()).Value(), "new");
    CIniEntry unnamed("keep", "s", "", true, file.Path());
    EXPECT_EQ(unnamed.Value(), "keep");
}

TEST(ManifestLoader, DestinationsFromARealFile)
{
    ManifestFile file("[destinations]\r\n0=Kalmora|-1|C:\\KALMORA\r\n1=Samples|0|\r\n");
    CDestinationStore store("C:\\S\\", "C:\\W\\", "C:\\W\\S\\", "C:\\T\\");
    ManifestLoader::LoadDestinations(CPrivateProfileSource(file.Path()), store);
    store.SetMainDirectory("D:\\P");
    EXPECT_EQ(store.GetDirectory(1), "D:\\P\\Samples\\");
}
