// Program icons as shell links in the real Programs and Startup folders of the prefix, and their
// removal as Unsetup does it: the icons and the emptied folder gone, nothing touched outside the
// product's folder whatever the log names. Every file is removed again.
#include "integration/CShellLink.h"
#include "integration/Shortcuts.h"

#include <gtest/gtest.h>

#include "ScratchRegistry.h"

namespace {
std::string OwnDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CShortcutTarget Target(const std::string& fileName, const std::string& itemName)
{
    CShortcutTarget target;
    target.fileName = fileName;
    target.itemName = itemName;
    target.hotKey = -1;
    target.programPath = CFilePath(OwnDirectory() + fileName);
    return target;
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        programs_ = ShellFolder("Programs");
        startup_ = ShellFolder("Startup");
        ASSERT_FALSE(programs_.empty());
        ASSERT_FALSE(startup_.empty());
        place_.shellLinks = true;
        place_.programFolder = "Kalmora Test " + std::to_string(GetCurrentProcessId());
        place_.mainDirectory = OwnDirectory();
        folder_ = programs_ + "\\" + place_.programFolder;
        WritePrivateProfileStringA("PMGroup", "pmgroup", place_.programFolder.c_str(), log_.Path().c_str());
    }
    void TearDown() override
    {
        for (const char* name : {"Kalmora 4.lnk", "Kalmora Help.lnk"})
            DeleteFileA((folder_ + "\\" + name).c_str());
        RemoveDirectoryA(folder_.c_str());
        DeleteFileA((startup_ + "\\Kalmora Scheduler.lnk").c_str());
    }

    std::string programs_, startup_, folder_;
    ShortcutPlace place_;
    ScratchFile log_{"klg"};
};
}

TEST_F(Shortcuts, EachRemovalTakesItsIconAndTheLastTakesTheFolder)
{
    CTargetStore targets;
    CShortcutTarget program = targets.Put(Target("kmwin.exe", "Kalmora 4.0"));
    CShortcutTarget help = targets.Put(Target("kmhelp.hlp", "Kalmora Help"));
    CreateShortcuts(targets.All(), place_, nullptr);
    ASSERT_TRUE(FileExists(folder_ + "\\Kalmora 4.lnk"));
    ASSERT_TRUE(FileExists(folder_ + "\\Kalmora Help.lnk"));
    ASSERT_TRUE(FileExists(startup_ + "\\Kalmora Scheduler.lnk"));

    RemoveShortcut(program, true, log_.Path());
    EXPECT_FALSE(FileExists(folder_ + "\\Kalmora 4.lnk"));
    EXPECT_TRUE(FileExists(folder_));
    RemoveShortcut(help, true, log_.Path());
    EXPECT_FALSE(FileExists(folder_));
}

TEST_F(Shortcuts, ALoggedFolderOutsideProgramsIsLeftAlone)
{
    CTargetStore targets;
    CShortcutTarget program = targets.Put(Target("kmwin.exe", "Kalmora 4.0"));
    CreateShortcuts(targets.All(), place_, nullptr);
    // The same link reached by a way out of the Programs folder and back in.
    std::string detour = "..\\Programs\\" + place_.programFolder;
    WritePrivateProfileStringA("PMGroup", "pmgroup", detour.c_str(), log_.Path().c_str());
    RemoveShortcut(program, true, log_.Path());
    EXPECT_TRUE(FileExists(folder_ + "\\Kalmora 4.lnk"));
}
