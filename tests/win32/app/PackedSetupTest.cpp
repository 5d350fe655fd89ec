// The packed setup.exe, as others read it from the file without running it: Explorer's icon is
// there, with the same bytes as the program's own; the pictures are not (they are packed).
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {
std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct DataFile {
    explicit DataFile(const std::string& path) : module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataFile()
    {
        if (module)
            FreeLibrary(module);
    }
    std::vector<char> Resource(const char* name, const char* type) const
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found)
            return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return {data, data + SizeofResource(module, found)};
    }
    HMODULE module;
};
}  // namespace

TEST(PackedSetup, ExplorerFindsItsIconInTheFile)
{
    const std::string packed = BesideThisProgram("setup.exe");
    DataFile file(packed);
    ASSERT_NE(nullptr, file.module) << packed;
    std::vector<char> group = file.Resource(MAKEINTRESOURCEA(IDI_SETUP), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_FALSE(group.empty());
    // Each icon the group names is there too, as the program itself has it.
    HRSRC own = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_SETUP), MAKEINTRESOURCEA(14));
    ASSERT_NE(nullptr, own);
    const char* ownGroup = static_cast<const char*>(LockResource(LoadResource(nullptr, own)));
    EXPECT_EQ(std::vector<char>(ownGroup, ownGroup + SizeofResource(nullptr, own)), group);
    const auto count = *reinterpret_cast<const WORD*>(group.data() + 4);
    for (WORD i = 0; i < count; ++i) {
        const WORD id = *reinterpret_cast<const WORD*>(group.data() + 6 + 14 * i + 12);
        EXPECT_FALSE(file.Resource(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */).empty()) << id;
    }
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), packed.c_str(), 0);
    EXPECT_NE(nullptr, icon);
    EXPECT_NE(reinterpret_cast<HICON>(1), icon);  // 1: not a program file
    if (icon)
        DestroyIcon(icon);
    EXPECT_TRUE(file.Resource(MAKEINTRESOURCEA(IDB_TITLE), MAKEINTRESOURCEA(2) /* RT_BITMAP */).empty());
}
