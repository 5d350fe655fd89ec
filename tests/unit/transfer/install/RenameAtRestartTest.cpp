#include "transfer/install/RenameAtRestart.h"

#include <gtest/gtest.h>

using RenameAtRestart::InsertLine;

TEST(RenameAtRestart, EmptyFileGetsHeaderAndLine)
{
    EXPECT_EQ(InsertLine("", "C:\\K\\A.DLL", "C:\\K\\1F2E.DLL"), "[rename]\r\nC:\\K\\A.DLL=C:\\K\\1F2E.DLL\r\n");
}

TEST(RenameAtRestart, NewLinesStandDirectlyUnderTheHeader)
{
    std::string text = "[Rename]\r\nOLD=X\r\n[other]\r\nk=v\r\n";
    EXPECT_EQ(InsertLine(text, "NEW", "Y"), "[Rename]\r\nNEW=Y\r\nOLD=X\r\n[other]\r\nk=v\r\n");
}

TEST(RenameAtRestart, FileWithoutTheSectionGetsItAppended)
{
    EXPECT_EQ(InsertLine("[boot]\nshell=x\n", "T", "S"), "[boot]\r\nshell=x\r\n[rename]\r\nT=S\r\n");
}

TEST(RenameAtRestart, HeaderAsLastLine)
{
    EXPECT_EQ(InsertLine("[rename]", "T", "S"), "[rename]\r\nT=S\r\n");
}
