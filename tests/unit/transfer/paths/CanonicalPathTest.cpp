#include "transfer/paths/CanonicalPath.h"

#include <gtest/gtest.h>

// Every spelling that Windows resolves to one place resolves to one text; what is no full path
// with a drive resolves to nothing.
TEST(CanonicalPath, ResolvesAsWindowsDoes)
{
    const struct {
        const char* path;
        const char* resolved;
    } rows[] = {
        {"C:\\WINDOWS\\", "C:\\WINDOWS"},       {"C:\\WINDOWS.\\", "C:\\WINDOWS"},
        {"C:\\WINDOWS. .\\", "C:\\WINDOWS"},    {"c:/windows//system/", "c:\\windows\\system"},
        {"C:\\KALMORA\\..\\WINDOWS", "C:\\WINDOWS"}, {"C:\\..\\..\\WINDOWS", "C:\\WINDOWS"},
        {"C:\\WINDOWS\\.\\SYSTEM\\.", "C:\\WINDOWS\\SYSTEM"}, {"C:\\WINDOWS\\...\\win.ini", "C:\\WINDOWS\\win.ini"},
        {"C:\\", "C:\\"},                       {"C:\\.", "C:\\"},
        {"C:\\Kalmora 4.0", "C:\\Kalmora 4.0"}, {"C:", ""},
        {"C:WINDOWS", ""},                      {"\\WINDOWS", ""},
        {"\\\\server\\share\\", ""},            {"WINDOWS", ""},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CanonicalPath::Resolve(row.path), row.resolved) << row.path;
}

TEST(CanonicalPath, ComparesPlacesWithoutRegardToCase)
{
    auto longForm = [](const std::string& path) {
        return path.rfind("C:\\WINDOW~1", 0) == 0 ? "C:\\WINDOWS" + path.substr(11) : path;
    };
    EXPECT_EQ(CanonicalPath::Full("C:\\WINDOW~1\\SYSTEM.\\", longForm), "C:\\WINDOWS\\SYSTEM");
    EXPECT_TRUE(CanonicalPath::Same("C:\\Windows", "c:\\WINDOWS"));
    EXPECT_FALSE(CanonicalPath::Same("", ""));
    EXPECT_TRUE(CanonicalPath::Within("C:\\WINDOWS\\SYSTEM", "c:\\windows"));
    EXPECT_TRUE(CanonicalPath::Within("C:\\WINDOWS", "C:\\WINDOWS"));
    EXPECT_FALSE(CanonicalPath::Below("C:\\WINDOWS", "C:\\WINDOWS"));
    EXPECT_FALSE(CanonicalPath::Within("C:\\WINDOWSX", "C:\\WINDOWS"));
    EXPECT_TRUE(CanonicalPath::Below("C:\\KALMORA", "C:\\"));
    EXPECT_FALSE(CanonicalPath::Below("D:\\KALMORA", "C:\\"));
    EXPECT_TRUE(CanonicalPath::IsRoot("C:\\"));
    EXPECT_FALSE(CanonicalPath::IsRoot("C:\\WINDOWS"));
}
