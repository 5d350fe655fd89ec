#include "framework/CFrameworkException.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(CFileException, MapsWindowsErrorsToCauses)
{
    struct Row { long osError; int cause; } rows[] = {
        {2, CFileException::fileNotFound}, {3, CFileException::badPath},
        {5, CFileException::accessDenied}, {32, CFileException::sharingViolation},
        {112, CFileException::diskFull}, {38, CFileException::endOfFile},
        {12345, CFileException::generic},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CFileException::CauseFromOsError(row.osError), row.cause) << "error " << row.osError;
}

TEST(CFileException, MapsErrnoToCauses)
{
    EXPECT_EQ(CFileException::CauseFromErrno(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::CauseFromErrno(ENOSPC), CFileException::diskFull);
    try {
        CFileException::ThrowErrno(EACCES, "x.txt");
        FAIL();
    } catch (const CFrameworkException& e) {
        EXPECT_STREQ(e.ClassName(), "CFileException");
        EXPECT_EQ(static_cast<const CFileException&>(e).cause, CFileException::accessDenied);
    }
}
