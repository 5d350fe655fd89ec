#include "transfer/paths/CFilePath.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct SplitRow {
    const char* path;
    const char* drive;
    const char* dir;
    const char* name;
    const char* ext;
};

const SplitRow kSplitRows[] = {
    {"", "", "", "", ""},
    {"C:\\", "C:", "\\", "", ""},
    {"C:", "C:", "", "", ""},
    {"C:\\Kalmora\\setup.exe", "C:", "\\Kalmora\\", "setup", ".exe"},
    {"C:file.txt", "C:", "", "file", ".txt"},
    {"\\dir\\sub\\", "", "\\dir\\sub\\", "", ""},
    {"dir\\readme", "", "dir\\", "readme", ""},
    {"a.b\\c", "", "a.b\\", "c", ""},
    {"x.tar.gz", "", "", "x.tar", ".gz"},
    {"file.", "", "", "file", "."},
    {".profile", "", "", "", ".profile"},
    {"C:/unix/style.ini", "C:", "/unix/", "style", ".ini"},
    {"\\\\server\\share\\f.dat", "", "\\\\server\\share\\", "f", ".dat"},
};

TEST(CFilePathSplit, SplitsLikeTheRunTimeLibrary)
{
    for (const SplitRow& row : kSplitRows) {
        CFilePath::Components parts = CFilePath::Split(row.path);
        EXPECT_EQ(parts.drive, row.drive) << "row " << row.path;
        EXPECT_EQ(parts.dir, row.dir) << "row " << row.path;
        EXPECT_EQ(parts.name, row.name) << "row " << row.path;
        EXPECT_EQ(parts.ext, row.ext) << "row " << row.path;
        // Composing the parts gives the path back.
        EXPECT_EQ(CFilePath::Make(parts), row.path) << "row " << row.path;
    }
}

TEST(CFilePathSplit, MakeSuppliesColonSeparatorAndDot)
{
    EXPECT_EQ(CFilePath::Make({"D", "\\apps", "kalmora", "ini"}), "D:\\apps\\kalmora.ini");
    EXPECT_EQ(CFilePath::Make({"D:", "\\apps\\", "kalmora", ".ini"}), "D:\\apps\\kalmora.ini");
    EXPECT_EQ(CFilePath::Make({"", "", "name", ""}), "name");
    EXPECT_EQ(CFilePath::Make({"", "", "", ""}), "");
}

struct GetterRow {
    const char* path;
    const char* drive;
    const char* directory;
    const char* dirOnly;
    const char* fileName;
    const char* extension;
};

const GetterRow kGetterRows[] = {
    {"C:\\Program Files\\Kalmora\\kmwin4.dll", "C", "C:\\Program Files\\Kalmora", "\\Program Files\\Kalmora",
     "kmwin4.dll", "dll"},
    {"C:\\Kalmora\\", "C", "C:\\Kalmora", "\\Kalmora", "", ""},
    {"C:\\", "C", "C:\\", "\\", "", ""},
    {"C:\\readme", "C", "C:\\", "\\", "readme", ""},
    {"readme.txt", "", "", "", "readme.txt", "txt"},
    {"\\temp\\a.", "", "\\temp", "\\temp", "a", ""},
    {"", "", "", "", "", ""},
    {"d:\\a\\\\", "d", "d:\\a", "\\a", "", ""},
};

TEST(CFilePathGetters, GiveComponentsWithoutSeparators)
{
    for (const GetterRow& row : kGetterRows) {
        CFilePath path(row.path);
        EXPECT_EQ(path.GetDrive(), row.drive) << "row " << row.path;
        EXPECT_EQ(path.GetDirectory(), row.directory) << "row " << row.path;
        EXPECT_EQ(path.GetDirOnly(), row.dirOnly) << "row " << row.path;
        EXPECT_EQ(path.GetFileName(), row.fileName) << "row " << row.path;
        EXPECT_EQ(path.GetExtension(), row.extension) << "row " << row.path;
    }
}

TEST(CFilePathSetters, ReplaceOneComponentAndKeepTheOthers)
{
    CFilePath path("C:\\WINDOWS\\SYSTEM\\ctl3d32.DLL");
    path.SetFileTitle("kmsched");
    EXPECT_EQ(path.Path(), "C:\\WINDOWS\\SYSTEM\\kmsched.DLL");
    path.SetExtension("exe");
    EXPECT_EQ(path.Path(), "C:\\WINDOWS\\SYSTEM\\kmsched.exe");
    path.SetDrive("D");
    EXPECT_EQ(path.Path(), "D:\\WINDOWS\\SYSTEM\\kmsched.exe");
    path.SetDirOnly("Apps\\Kalmora");
    EXPECT_EQ(path.Path(), "D:\\Apps\\Kalmora\\kmsched.exe");
    path.SetDirectory("E:\\Other");
    EXPECT_EQ(path.Path(), "E:\\Other\\kmsched.exe");
    path.SetFileName("remove.pif");
    EXPECT_EQ(path.Path(), "E:\\Other\\remove.pif");
    path.SetFileName("");
    EXPECT_EQ(path.Path(), "E:\\Other\\");
    path.SetExtension("");
    EXPECT_EQ(path.Path(), "E:\\Other\\");
}

TEST(CFilePathSetters, HandleEmptyAndRootTexts)
{
    CFilePath path("C:\\dir\\file.txt");
    path.SetDirectory("");
    EXPECT_EQ(path.Path(), "file.txt");
    path.SetDirectory("A:");
    EXPECT_EQ(path.Path(), "A:\\file.txt");
    path.SetDirOnly("");
    EXPECT_EQ(path.Path(), "A:\\file.txt");
    path.SetDrive("");
    EXPECT_EQ(path.Path(), "\\file.txt");

    CFilePath empty;
    empty.SetFileName("setup.ini");
    EXPECT_EQ(empty.Path(), "setup.ini");
    CFilePath dirOnly("C:\\Kalmora\\");
    dirOnly.SetDirectory(dirOnly.GetDirectory());
    EXPECT_EQ(dirOnly.Path(), "C:\\Kalmora\\");
    CFilePath root("C:\\");
    root.SetDirectory(root.GetDirectory());
    EXPECT_EQ(root.Path(), "C:\\");
}

TEST(CFilePathDirectories, AppendAndRemoveComponents)
{
    CFilePath path("C:\\Kalmora\\kalmora.exe");
    path.AppendDirectory("");
    EXPECT_EQ(path.Path(), "C:\\Kalmora\\kalmora.exe");
    path.AppendDirectory("\\Samples");
    EXPECT_EQ(path.Path(), "C:\\Kalmora\\Samples\\kalmora.exe");
    path.AppendDirectory("Alarms\\");
    EXPECT_EQ(path.Path(), "C:\\Kalmora\\Samples\\Alarms\\kalmora.exe");

    std::string removed;
    EXPECT_TRUE(path.RemoveLastDirectory(&removed));
    EXPECT_EQ(removed, "Alarms");
    EXPECT_EQ(path.Path(), "C:\\Kalmora\\Samples\\kalmora.exe");
    EXPECT_TRUE(path.RemoveLastDirectory(&removed));
    EXPECT_TRUE(path.RemoveLastDirectory(&removed));
    EXPECT_EQ(removed, "Kalmora");
    EXPECT_EQ(path.Path(), "C:\\kalmora.exe");
    removed = "untouched";
    EXPECT_FALSE(path.RemoveLastDirectory(&removed));
    EXPECT_EQ(removed, "untouched");
    EXPECT_EQ(path.Path(), "C:\\kalmora.exe");

    CFilePath relative("sub\\f");
    EXPECT_TRUE(relative.RemoveLastDirectory(&removed));
    EXPECT_EQ(removed, "sub");
    EXPECT_EQ(relative.Path(), "f");

    CFilePath noDir("readme");
    noDir.AppendDirectory("docs");
    EXPECT_EQ(noDir.Path(), "docs\\readme");
}

TEST(CFilePathDirectories, SetToRootKeepsTheDrive)
{
    CFilePath path("D:\\a\\b\\c.txt");
    path.SetToRoot();
    EXPECT_EQ(path.Path(), "D:\\");
    CFilePath noDrive("a\\b.txt");
    noDrive.SetToRoot();
    EXPECT_EQ(noDrive.Path(), "\\");
}

TEST(CFilePathDirectories, RootOfDriveOrShare)
{
    const struct {
        const char* path;
        const char* root;
    } rows[] = {
        {"C:\\Kalmora\\setup.exe", "c:\\"}, {"d:", "d:\\"},   {"Q:file", "q:\\"},
        {"\\\\server\\share\\dir\\f.txt", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},    {"\\\\server", ""},
        {"\\\\\\x", ""},  {"\\dir\\f.txt", ""}, {"f.txt", ""}, {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CFilePath(row.path).GetRoot(), row.root) << "row " << row.path;
}

TEST(CFilePathDirectories, TrailingBackslashes)
{
    const struct {
        const char* in;
        const char* added;
        const char* removed;
    } rows[] = {
        {"", "", ""},
        {"C:\\", "C:\\", "C:\\"},
        {"\\", "\\", "\\"},
        {"C:\\a", "C:\\a\\", "C:\\a"},
        {"C:\\a\\\\", "C:\\a\\\\", "C:\\a"},
        {"a", "a\\", "a"},
    };
    for (const auto& row : rows) {
        CFilePath added(row.in), removed(row.in);
        added.AddTrailingBackslash();
        removed.RemoveTrailingBackslash();
        EXPECT_EQ(added.Path(), row.added) << "row " << row.in;
        EXPECT_EQ(removed.Path(), row.removed) << "row " << row.in;
    }
}

TEST(CFilePathLimits, SettersRefuseAPathLongerThanTheLimit)
{
    std::string dir = "C:\\" + std::string(240, 'd') + "\\";
    CFilePath path(dir + "name.txt");
    EXPECT_TRUE(path.SetFileTitle(std::string(259 - dir.size() - 4, 'n')));
    EXPECT_EQ(path.Path().size(), 259u);
    std::string before = path.Path();
    EXPECT_FALSE(path.SetFileTitle(std::string(259 - dir.size() - 3, 'n')));
    EXPECT_FALSE(path.AppendDirectory("more"));
    EXPECT_FALSE(path.SetExtension("longer"));
    EXPECT_FALSE(path.AddTrailingBackslash());
    EXPECT_EQ(path.Path(), before);
}

TEST(CFilePathNames, PlainNamesCannotLeaveTheirDirectory)
{
    const struct {
        const char* name;
        bool plain;
    } rows[] = {
        {"kmwin4.dll", true}, {"readme", true}, {"a..b", true}, {"", false}, {".", false},
        {"..", false}, {"..\\evil.dll", false}, {"sub/evil", false}, {"C:evil", false},
        {"\\evil", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CFilePath::IsPlainName(row.name), row.plain) << "row " << row.name;
}

TEST(CFilePathNames, FilesInDirectoriesHaveADriveADirectoryAndAPlainName)
{
    const struct {
        const char* text;
        bool fileInDirectory;
    } rows[] = {
        {"C:\\WINDOWS\\SYSTEM\\kmshare.dll", true}, {"d:\\k\\a.dll", true}, {"C:\\kmshare.dll", false},
        {"kmshare.dll", false}, {"KALMORA\\kmshare.dll", false}, {"C:KALMORA\\kmshare.dll", false},
        {"\\\\server\\share\\kmshare.dll", false}, {"\\KALMORA\\kmshare.dll", false},
        {"C:\\KALMORA\\..\\kmshare.dll", false}, {"C:\\KALMORA\\.\\kmshare.dll", false},
        {"C:\\KALMORA\\\\kmshare.dll", false}, {"C:\\KALMORA\\", false}, {"C:\\KALMORA/x\\a.dll", false},
        {"1:\\KALMORA\\a.dll", false}, {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CFilePath::IsFileInDirectory(row.text), row.fileInDirectory) << "row " << row.text;
    EXPECT_EQ(CFilePath::FullPathDepth("C:\\"), 0);
    EXPECT_EQ(CFilePath::FullPathDepth("C:\\KALMORA"), 1);
    EXPECT_EQ(CFilePath::FullPathDepth("c:\\KALMORA\\Data\\"), 2);
    EXPECT_EQ(CFilePath::FullPathDepth("C:"), -1);
    EXPECT_EQ(CFilePath::FullPathDepth("C:\\KALMORA\\\\"), -1);
}

TEST(CFilePathNames, RandomHexNamesAreLowercaseHexAndVary)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        std::string name = CFilePath::RandomHexName(8);
        ASSERT_EQ(name.size(), 8u);
        EXPECT_EQ(name.find_first_not_of("0123456789abcdef"), std::string::npos) << name;
        // Every group of four digits is a number up to 32767.
        EXPECT_LE(name[0], '7') << name;
        EXPECT_LE(name[4], '7') << name;
        seen.insert(name);
    }
    EXPECT_GT(seen.size(), 190u);
    EXPECT_EQ(CFilePath::RandomHexName(20).size(), 20u);
    EXPECT_EQ(CFilePath::RandomHexName(99).size(), 20u);
    EXPECT_EQ(CFilePath::RandomHexName(-1), "");
}

TEST(CFilePathCopy, CopiesThePathOnly)
{
    CFilePath original("C:\\a\\b.txt");
    CFilePath copy(original);
    EXPECT_EQ(copy.Path(), original.Path());
    CFilePath assigned;
    assigned = original;
    EXPECT_EQ(assigned.Path(), "C:\\a\\b.txt");
    assigned = assigned;
    EXPECT_EQ(assigned.Path(), "C:\\a\\b.txt");
}

} // namespace
