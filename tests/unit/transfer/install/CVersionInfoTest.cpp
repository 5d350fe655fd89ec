#include "transfer/install/CVersionInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(CompareFileVersions, FirstDifferingPartDecides)
{
    const struct {
        FileVersion a;
        FileVersion b;
        int sign;
    } rows[] = {
        {{1, 2, 3, 4}, {1, 2, 3, 4}, 0},       {{2, 0, 10, 300}, {1, 2, 3, 4}, 1},
        {{1, 2, 3, 4}, {2, 0, 10, 300}, -1},   {{4, 0, 0, 2}, {4, 0, 0, 1}, 1},
        {{4, 0, 0, 1}, {4, 1, 0, 0}, -1},      {{65535, 0, 0, 0}, {1, 65535, 65535, 65535}, 1},
        {{0, 0, 0, 0}, {0, 0, 0, 1}, -1},
    };
    for (const auto& row : rows) {
        int result = CompareFileVersions(row.a, row.b);
        int sign = result < 0 ? -1 : result > 0 ? 1 : 0;
        EXPECT_EQ(sign, row.sign) << "row " << row.a[0] << "." << row.a[1] << "." << row.a[2]
                                  << "." << row.a[3] << " vs " << row.b[0] << "." << row.b[1]
                                  << "." << row.b[2] << "." << row.b[3];
    }
}

TEST(CVersionInfo, IsNewerOnlyWhenBothHaveAVersion)
{
    CVersionInfo none, older, newer;
    older.SetFileVersion({4, 0, 0, 1});
    newer.SetFileVersion({4, 0, 0, 2});
    EXPECT_TRUE(newer.IsNewerThan(older));
    EXPECT_FALSE(older.IsNewerThan(newer));
    EXPECT_FALSE(older.IsNewerThan(older));
    EXPECT_FALSE(newer.IsNewerThan(none));
    EXPECT_FALSE(none.IsNewerThan(older));
    FileVersion version{9, 9, 9, 9};
    EXPECT_FALSE(none.GetFileVersion(version));
    EXPECT_EQ(version, (FileVersion{9, 9, 9, 9}));
    EXPECT_TRUE(newer.GetFileVersion(version));
    EXPECT_EQ(version, (FileVersion{4, 0, 0, 2}));
}

} // namespace
