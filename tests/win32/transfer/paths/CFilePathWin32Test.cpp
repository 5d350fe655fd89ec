// File-system behaviour of the path object, drive walking and version resources, run under Wine.
#include "framework/CFrameworkException.h"
#include "profile/DestinationMacros.h"
#include "profile/MacroExpansion.h"
#include "transfer/install/CVersionInfo.h"
#include "transfer/media/CDriveIterator.h"
#include "transfer/paths/CFilePath.h"

#include <windows.h>
#undef GetFreeSpace

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

namespace {

void WriteFile(const std::string& fileName, std::size_t size)
{
    std::ofstream out(fileName, std::ios::binary);
    out << std::string(size, 'k');
}

// A fresh scratch directory under the temporary directory, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        CFilePath base(CFilePath::Known::tempDir);
        base.SetFileName("kpath");
        EXPECT_TRUE(base.MakeUniqueName(true, 100));
        base.AddTrailingBackslash();
        EXPECT_TRUE(base.MakeDirectory(false));
        root = base.Path();
    }
    ~ScratchDirectory() { RemoveTree(root); }

    std::string operator/(const std::string& relative) const { return root + relative; }
    const std::string& Root() const { return root; }

private:
    static void RemoveTree(const std::string& dir)
    {
        WIN32_FIND_DATAA entry;
        HANDLE handle = FindFirstFileA((dir + "*").c_str(), &entry);
        if (handle != INVALID_HANDLE_VALUE) {
            do {
                std::string name = entry.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(dir + name + "\\");
                else
                    DeleteFileA((dir + name).c_str());
            } while (FindNextFileA(handle, &entry));
            FindClose(handle);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string root;
};

TEST(CFilePathKnown, WellKnownDirectoriesEndInABackslashAndExist)
{
    const CFilePath::Known kinds[] = {CFilePath::Known::currentDir, CFilePath::Known::windowsDir,
                                      CFilePath::Known::systemDir, CFilePath::Known::programDir,
                                      CFilePath::Known::tempDir};
    for (CFilePath::Known kind : kinds) {
        CFilePath dir(kind);
        ASSERT_FALSE(dir.IsEmpty()) << "kind " << static_cast<int>(kind);
        EXPECT_EQ(dir.Path().back(), '\\') << dir.Path();
        EXPECT_EQ(dir.GetFileName(), "") << dir.Path();
        EXPECT_TRUE(dir.DirectoryExists()) << dir.Path();
    }
    CFilePath program(CFilePath::Known::programDir);
    program.SetFileName("paths_win32_test.exe");
    EXPECT_TRUE(program.Exists()) << program.Path();
}

TEST(CFilePathDirectories, RecursiveMakeDirectoryCreatesThreeLevels)
{
    ScratchDirectory scratch;
    CFilePath deep(scratch / "one\\two\\three\\");
    EXPECT_FALSE(CFilePath(scratch / "one\\").DirectoryExists());
    EXPECT_FALSE(deep.MakeDirectory(false));
    EXPECT_TRUE(deep.MakeDirectory(true));
    EXPECT_TRUE(CFilePath(scratch / "one\\").DirectoryExists());
    EXPECT_TRUE(CFilePath(scratch / "one\\two\\").DirectoryExists());
    EXPECT_TRUE(deep.DirectoryExists());
    // Already there: still a success, with or without recursion.
    EXPECT_TRUE(deep.MakeDirectory(true));
    EXPECT_TRUE(deep.MakeDirectory(false));
    EXPECT_NO_THROW(deep.MakeDirectoryOrThrow());
    // Without a trailing backslash the last component is a directory too.
    EXPECT_TRUE(CFilePath(scratch / "a\\b").MakeDirectory(true));
    EXPECT_TRUE(CFilePath(scratch / "a\\b\\").DirectoryExists());
    EXPECT_TRUE(CFilePath("C:\\").MakeDirectory(true));

    EXPECT_FALSE(CFilePath(scratch / "one\\").RemoveDir());
    EXPECT_TRUE(deep.RemoveDir());
    EXPECT_FALSE(deep.DirectoryExists());
}

TEST(CFilePathDirectories, MakeDirectoryOrThrowReportsTheCause)
{
    ScratchDirectory scratch;
    WriteFile(scratch / "blocker", 1);
    CFilePath blocked(scratch / "blocker\\sub\\");
    EXPECT_FALSE(blocked.MakeDirectory(true));
    try {
        blocked.MakeDirectoryOrThrow();
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_NE(e.cause, CFileException::none);
        EXPECT_EQ(e.fileName, blocked.Path());
    }
}

TEST(CFilePathFiles, ExistenceSizeAndTime)
{
    ScratchDirectory scratch;
    CFilePath file(scratch / "data.bin");
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetModifyTime(), 0);
    WriteFile(file.Path(), 1234);
    EXPECT_TRUE(file.Exists());
    EXPECT_FALSE(CFilePath(scratch.Root()).Exists());
    EXPECT_EQ(file.GetSize(), 1234u);

    // 1996-01-02 12:34:56 UTC.
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    SYSTEMTIME when = {1996, 1, 2, 2, 12, 34, 56, 0};
    FILETIME stamp;
    SystemTimeToFileTime(&when, &stamp);
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &stamp));
    // Held open without sharing, the file still counts as existing.
    EXPECT_TRUE(file.Exists());
    CloseHandle(handle);
    EXPECT_EQ(file.GetModifyTime(), 820586096);

    CFilePath renamed(scratch / "renamed.bin");
    EXPECT_TRUE(file.RenameTo(renamed));
    EXPECT_FALSE(file.Exists());
    EXPECT_TRUE(renamed.Exists());
    EXPECT_FALSE(file.Delete());
    EXPECT_TRUE(renamed.Delete());
    EXPECT_FALSE(renamed.Exists());
}

TEST(CFilePathFiles, UniqueNamesAreFreshAndKeepTheExtension)
{
    ScratchDirectory scratch;
    std::set<std::string> names;
    for (int i = 0; i < 25; ++i) {
        CFilePath temp(scratch / "kmwin4.dll");
        ASSERT_TRUE(temp.MakeUniqueName(true, 1000));
        EXPECT_EQ(temp.GetExtension(), "dll");
        EXPECT_EQ(temp.GetTitle().size(), 8u);
        EXPECT_EQ(temp.GetDirectory() + "\\", scratch.Root());
        EXPECT_FALSE(temp.Exists());
        WriteFile(temp.Path(), 1);
        names.insert(temp.Path());
    }
    EXPECT_EQ(names.size(), 25u);
    CFilePath none(scratch / "x.tmp");
    EXPECT_FALSE(none.MakeUniqueName(true, 0));
}

TEST(CFilePathSearch, FindFirstFollowsTheAttributeMask)
{
    ScratchDirectory scratch;
    ASSERT_TRUE(CFilePath(scratch / "sub\\").MakeDirectory());
    WriteFile(scratch / "file.txt", 10);
    const int fileBits = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_READONLY;

    CFilePath directory(scratch / "s*");
    EXPECT_TRUE(directory.FindFirst(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(directory.Path(), scratch / "sub\\");

    CFilePath file(scratch / "*.txt");
    EXPECT_TRUE(file.FindFirst(fileBits));
    EXPECT_EQ(file.Path(), scratch / "file.txt");

    CFilePath onlyDirectories(scratch / "*.txt");
    EXPECT_FALSE(onlyDirectories.FindFirst(FILE_ATTRIBUTE_DIRECTORY));
    // A file found with a mask that also allows directories stays a file name.
    CFilePath either(scratch / "f*");
    EXPECT_TRUE(either.FindFirst(fileBits | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(either.Path(), scratch / "file.txt");
    // A second search on the same object closes the first one and starts afresh.
    EXPECT_TRUE(either.FindFirst(fileBits));
    EXPECT_EQ(either.Path(), scratch / "file.txt");

    EXPECT_TRUE(CFilePath(scratch.Root()).HasSubdirectory());
    EXPECT_TRUE(CFilePath(scratch / "file.txt").HasSubdirectory());
    EXPECT_FALSE(CFilePath(scratch / "missing\\").HasSubdirectory());
}

TEST(CFilePathSearch, NearestExistingDirectory)
{
    ScratchDirectory scratch;
    CFilePath start(scratch / "gone\\deeper\\setup.ini");
    EXPECT_TRUE(start.SetToNearestExistingDirectory());
    EXPECT_EQ(start.Path(), scratch.Root());
}

// The prefix has an A: drive without a disk (set up by the test's fixture), as most machines of
// the time did.
TEST(CFilePathDrives, TypesAndSpaceOfTheRoots)
{
    EXPECT_EQ(CFilePath("C:\\windows\\win.ini").QueryDriveType(), static_cast<unsigned>(DRIVE_FIXED));
    EXPECT_FALSE(CFilePath("c:\\").IsRemovable());
    EXPECT_TRUE(CFilePath("a:\\setup.exe").IsRemovable());
    EXPECT_EQ(CFilePath("a:\\").GetFreeSpace(), 0u);

    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("c:\\", &available, &total, &free));
    CFilePath drive("C:\\anything\\file.txt");
    EXPECT_EQ(drive.GetTotalSpace(), total.QuadPart);
    EXPECT_GT(drive.GetFreeSpace(), 0u);
    EXPECT_LE(drive.GetFreeSpace(), drive.GetTotalSpace());
    std::printf("c: total %llu, free %llu bytes\n", drive.GetTotalSpace(), drive.GetFreeSpace());
    EXPECT_EQ(CFilePath("q:\\nothing").GetTotalSpace(), 0u);
}

TEST(CDriveIterator, VisitsExistingDrivesInOrder)
{
    CDriveIterator drives;
    EXPECT_EQ(drives.Index(), -1);
    std::string letters;
    while (drives.Next()) {
        letters += drives.Letter();
        EXPECT_NE(drives.DriveType(), CDriveIterator::kNoRootDir) << drives.Letter();
        EXPECT_EQ(drives.Root(), std::string(1, static_cast<char>('a' + drives.Index())) + ":\\");
    }
    EXPECT_NE(letters.find('C'), std::string::npos) << letters;
    EXPECT_NE(letters.find('Z'), std::string::npos) << letters;
    EXPECT_EQ(letters.find('Q'), std::string::npos) << letters;
    for (std::size_t i = 1; i < letters.size(); ++i)
        EXPECT_LT(letters[i - 1], letters[i]) << letters;
    // The last drive stays current after the end.
    EXPECT_EQ(drives.Letter(), letters.back());

    CDriveIterator fixed;
    ASSERT_TRUE(fixed.NextFixed());
    EXPECT_EQ(fixed.Letter(), 'C');
    CDriveIterator removable;
    ASSERT_TRUE(removable.NextOfType(CDriveIterator::kRemovable));
    EXPECT_EQ(removable.Letter(), 'A');
    CDriveIterator none;
    EXPECT_FALSE(none.NextOfType(CDriveIterator::kRamDisk));
    EXPECT_EQ(none.Index(), -1);
}

TEST(CVersionInfo, ReadsTheFixedFileVersionOfTwoLibraries)
{
    CFilePath older(CFilePath::Known::programDir), newer(CFilePath::Known::programDir);
    older.SetFileName("paths_version_a.dll");
    newer.SetFileName("paths_version_b.dll");
    CVersionInfo a, b;
    ASSERT_TRUE(a.Load(older.Path())) << older.Path();
    ASSERT_TRUE(b.Load(newer.Path())) << newer.Path();
    FileVersion version{};
    ASSERT_TRUE(a.GetFileVersion(version));
    EXPECT_EQ(version, (FileVersion{1, 2, 3, 4}));
    ASSERT_TRUE(b.GetFileVersion(version));
    EXPECT_EQ(version, (FileVersion{2, 0, 10, 300}));
    EXPECT_TRUE(b.IsNewerThan(a));
    EXPECT_FALSE(a.IsNewerThan(b));

    CFilePath program(CFilePath::Known::programDir);
    program.SetFileName("paths_win32_test.exe");
    CVersionInfo none;
    EXPECT_FALSE(none.Load(program.Path()));
    EXPECT_FALSE(none.GetFileVersion(version));
    EXPECT_FALSE(none.Load("c:\\no\\such.dll"));
    // A failed load forgets what an earlier one read.
    EXPECT_FALSE(a.Load(program.Path()));
    EXPECT_FALSE(a.GetFileVersion(version));
}

} // namespace

// The macro table over the system's own short names: "?N?" is the directory in 8.3 form with its
// backslash, a directory that does not exist stands as it is, and "?LaunchDrive?" is the drive.
TEST(DestinationMacros, DirectoriesInTheSystemsShortFormWithTheirBackslash)
{
    ScratchDirectory scratch;
    const std::string longDirectory = scratch / "Kalmora Long Directory Name\\";
    ASSERT_TRUE(CFilePath(longDirectory).MakeDirectory(false));
    CDestinationStore destinations("D:\\DISK01\\", "C:\\windows\\", "C:\\windows\\system32\\", scratch.Root());
    destinations.SetNameAndParent(0, "Kalmora", -1);
    destinations.SetDirectory(0, longDirectory);
    destinations.SetNameAndParent(1, "Missing", 0);
    destinations.SetDirectory(1, "C:\\No Such Kalmora Folder\\");
    destinations.SetNameAndParent(2, "Unused", 0);

    MacroTable table = BuildMacroTable(destinations, "D:\\DISK01\\",
                                       [](const std::string& path) { return CFilePath(path).ShortForm(); });
    auto expand = [&](const std::string& text) { return ExpandMacros(text, table.names, table.values); };

    std::string shortMain = expand("?0?");
    EXPECT_EQ(shortMain.find(' '), std::string::npos) << shortMain;
    ASSERT_EQ(shortMain.back(), '\\');
    char longForm[MAX_PATH] = {};
    ASSERT_GT(GetLongPathNameA(shortMain.c_str(), longForm, sizeof longForm), 0u);
    EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, longForm, -1, longDirectory.c_str(), -1),
              CSTR_EQUAL) << longForm;
    EXPECT_EQ(expand("?0?kmshare.dll"), shortMain + "kmshare.dll");
    EXPECT_EQ(expand("?1?letter.kmd"), "C:\\No Such Kalmora Folder\\letter.kmd");
    EXPECT_EQ(std::count(table.names.begin(), table.names.end(), "?2?"), 0) << "a destination without directory";
    EXPECT_EQ(expand("?LaunchDrive?\\DISK01"), "D:\\DISK01");
}
