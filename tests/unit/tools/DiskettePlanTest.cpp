#include "tools/mkmedia/DisketteImages.h"
#include "tools/mkmedia/DiskettePlan.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint64_t kDisk = 2847ull * 512;  // a 1.44 MB diskette's room for files

DiskettePlan WithSetup(std::uint64_t setupBytes = 600000)
{
    return DiskettePlan(DisketteFormat::Megabytes144(), {{"SETUP.EXE", setupBytes}, {"SETUP.INI", 1000}});
}
}  // namespace

TEST(DiskettePlan, SourcesFillTheDiskettesInTheirOrderInWholeClusters)
{
    DiskettePlan plan = WithSetup();
    EXPECT_EQ(plan.Place("ART.MF1", 1, true).disk, 1);
    const PlannedDiskette& first = plan.Diskettes()[0];
    EXPECT_EQ(first.files, (std::vector<std::string>{"diskette.001", "SETUP.EXE", "SETUP.INI", "ART.MF1"}));
    EXPECT_EQ(first.usedBytes, 600064u + 1024 + 512);
    // A plain file that no longer fits goes whole onto the next diskette, and what follows it too.
    SourcePlacement big = plan.Place("WAVES.BMP", kDisk - 500000, false);
    EXPECT_EQ(big.disk, 2);
    EXPECT_FALSE(big.split);
    EXPECT_EQ(plan.Place("LETTER.KMD", 100, false).disk, 2);
    EXPECT_EQ(plan.Diskettes()[1].files.front(), "diskette.002");
}

TEST(DiskettePlan, AnArchiveThatDoesNotFitFillsTheDisketteAndGoesOnOnTheNext)
{
    DiskettePlan plan = WithSetup();
    std::uint64_t free = kDisk - plan.Diskettes()[0].usedBytes;
    SourcePlacement program = plan.Place("PROGRAM.MF1", free + 50000, true);
    EXPECT_TRUE(program.split);
    EXPECT_TRUE(program.afterOthers);  // read last on its diskette: Setup never asks for it again
    EXPECT_EQ(program.disk, 1);
    EXPECT_EQ(program.firstVolumeBytes, free);
    EXPECT_EQ(program.secondVolumeName, "program.mf2");
    EXPECT_EQ(program.secondVolumeBytes, 50000u + 8);  // its own volume header
    EXPECT_EQ(plan.Diskettes()[0].usedBytes, kDisk);
    EXPECT_EQ(plan.Diskettes()[1].files, (std::vector<std::string>{"diskette.002", "program.mf2"}));
    SourcePlacement next = plan.Place("SAMPLES.MF1", 1000, true);
    EXPECT_EQ(next.disk, 2);
    EXPECT_FALSE(next.afterOthers);
}

TEST(DiskettePlan, AnArchiveSpansTwoDiskettesAtMost)
{
    // Too much for the rest of this diskette and the next: it starts on a diskette of its own.
    DiskettePlan plan = WithSetup();
    SourcePlacement large = plan.Place("LARGE.MF1", kDisk + 900000, true);
    EXPECT_EQ(large.disk, 2);
    EXPECT_TRUE(large.split);
    EXPECT_EQ(large.firstVolumeBytes, kDisk);  // the tag file is empty
    EXPECT_EQ(plan.Diskettes().size(), 3u);
    EXPECT_THROW(plan.Place("HUGE.MF1", 2 * kDisk + 1, true), PlanError);
    EXPECT_THROW(plan.Place("MOVIE.AVI", kDisk + 1, false), PlanError);
    EXPECT_THROW(WithSetup(kDisk), PlanError);  // the setup program must fit the first diskette
}

TEST(DiskettePlan, AVolumeNameThatCannotGoOnIsAnErrorOnlyWhenSplit)
{
    DiskettePlan plan = WithSetup();
    EXPECT_NO_THROW(plan.Place("PART9", 1000, true));
    EXPECT_THROW(plan.Place("DATA.MF9", kDisk, true), PlanError);  // ':' would follow '9'
}

TEST(DiskettePlan, TheRootDirectoryLimitsTheFilesOfADiskette)
{
    DiskettePlan plan(DisketteFormat::Megabytes144(), {});
    // 224 entries: the volume label and the tag file (a lower-case name takes two) leave 221 for
    // short names.
    for (int i = 0; i < 221; ++i)
        ASSERT_EQ(plan.Place("F" + std::to_string(i) + ".TXT", 10, false).disk, 1);
    EXPECT_EQ(plan.Place("F221.TXT", 10, false).disk, 2);
    EXPECT_EQ(DiskettePlan::EntriesOf("SETUP.EXE"), 1);
    EXPECT_EQ(DiskettePlan::EntriesOf("setup.exe"), 2);
    EXPECT_EQ(DiskettePlan::EntriesOf("Kalmora Picture Album.txt"), 3);
}

TEST(DiskettePlan, TagFilesAndFormats)
{
    EXPECT_EQ(DiskettePlan::TagFileName(1), "diskette.001");
    EXPECT_EQ(DiskettePlan::TagFileName(12), "diskette.012");
    EXPECT_EQ(DisketteFormat::Kilobytes720().dataBytes, 730112u);
    EXPECT_EQ(DisketteFormat::OfSize(100000).dataBytes, 99840u);
}

TEST(DisketteImages, VolumeLabelsAreWhatFatAllowsAndStayApart)
{
    EXPECT_EQ(VolumeLabel("Setup", 1), "SETUP");
    EXPECT_EQ(VolumeLabel("Kalmora Disk 2", 2), "KALMORA D 2");
    EXPECT_EQ(VolumeLabel("Kalmora Disk 12", 12), "KALMORA 12");
    EXPECT_EQ(VolumeLabel("a.b/c*d", 3), "ABCD");
    EXPECT_EQ(VolumeLabel("...", 4), "DISK 4");
    EXPECT_EQ(VolumeLabel("", 5), "DISK 5");
}
