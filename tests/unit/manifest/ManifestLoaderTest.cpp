#include "profile/ManifestLoader.h"

#include <gtest/gtest.h>

#include "FakeIniSource.h"
#include "transfer/errors/CInstallProfileException.h"

namespace {
CDestinationStore NewStore()
{
    return CDestinationStore("C:\\SETUP\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\TEMP\\");
}

int CauseOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CInstallProfileException& e) {
        return e.cause;
    }
    return -100;
}
}

TEST(Destinations, PredefinedDirectories)
{
    CDestinationStore store = NewStore();
    EXPECT_EQ(store.GetDirectory(-2), "C:\\WINDOWS\\");
    EXPECT_EQ(store.GetDirectory(-3), "C:\\WINDOWS\\SYSTEM\\");
    EXPECT_EQ(store.GetDirectory(-4), "C:\\TEMP\\");
    EXPECT_EQ(store.GetDirectory(-5), "C:\\SETUP\\");
    EXPECT_EQ(store.GetDirectory(7), "");
}

TEST(Destinations, MissingSectionIsCodeZero)
{
    CDestinationStore store = NewStore();
    FakeIniSource empty;
    EXPECT_EQ(CauseOf([&] { ManifestLoader::LoadDestinations(empty, store); }), 0);
}

TEST(Destinations, ChildIgnoresItsOwnDirectory)
{
    CDestinationStore store = NewStore();
    FakeIniSource file;
    file.Add("destinations", "0", "Kalmora|-1|C:\\KALMORA")
        .Add("destinations", "1", "Samples|0|D:\\ELSEWHERE");
    ManifestLoader::LoadDestinations(file, store);
    store.SetMainDirectory("E:\\PROD");
    EXPECT_EQ(store.GetDirectory(0), "E:\\PROD\\");
    EXPECT_EQ(store.GetDirectory(1), "E:\\PROD\\Samples\\");
}

TEST(Destinations, ChainListedBackwardsResolves)
{
    CDestinationStore store = NewStore();
    FakeIniSource file;
    file.Add("destinations", "2", "C|1|").Add("destinations", "1", "B|0|").Add("destinations", "0", "A|-1|");
    ManifestLoader::LoadDestinations(file, store);
    store.SetMainDirectory("C:\\A");
    EXPECT_EQ(store.GetDirectory(2), "C:\\A\\B\\C\\");
}

TEST(Destinations, AbsentParentFieldMeansNone)
{
    CDestinationStore store = NewStore();
    FakeIniSource file;
    file.Add("destinations", "0", "Main");
    ManifestLoader::LoadDestinations(file, store);
    EXPECT_EQ(store.Find(0)->parent, -1);
    EXPECT_EQ(store.GetDirectory(0), "");
}

TEST(Destinations, ChainResolvesWithinPasses)
{
    CDestinationStore store = NewStore();
    store.SetNameAndParent(3, "Deep", 2);
    store.SetNameAndParent(2, "Mid", 1);
    store.SetNameAndParent(1, "Top", 0);
    store.SetNameAndParent(0, "", -1);
    store.SetMainDirectory("C:\\P");
    EXPECT_EQ(store.GetDirectory(3), "C:\\P\\Top\\Mid\\Deep\\");
}

TEST(Destinations, CyclesAndMissingParentsAreCodeOne)
{
    CDestinationStore cycle = NewStore();
    cycle.SetNameAndParent(1, "A", 2);
    cycle.SetNameAndParent(2, "B", 1);
    cycle.SetDirectory(1, "C:\\A");
    cycle.SetDirectory(2, "C:\\B");
    EXPECT_EQ(CauseOf([&] { cycle.Resolve(); }), 1);

    CDestinationStore orphan = NewStore();
    orphan.SetNameAndParent(1, "A", 9);
    EXPECT_EQ(CauseOf([&] { orphan.SetMainDirectory("C:\\P"); }), 1);
}

TEST(Destinations, MainDirectoryChangeEmptiesParentlessProductDirectories)
{
    CDestinationStore store = NewStore();
    store.SetNameAndParent(4, "Fixed", -1);
    store.SetDirectory(4, "C:\\FIXED");
    store.SetMainDirectory("C:\\P");
    EXPECT_EQ(store.GetDirectory(4), "");
    EXPECT_EQ(store.GetDirectory(-2), "C:\\WINDOWS\\");
}

TEST(Groups, LoadsFieldsAndReplacesRepeatedNames)
{
    FakeIniSource file;
    file.Add("groups", "program", "Program Files|program|1|1|1")
        .Add("groups", "art", "Clip Art|Pictures|0|1")
        .Add("groups", "PROGRAM", "Again|x|0|0|0");
    CGroupStore groups;
    ManifestLoader::LoadGroups(file, groups);
    ASSERT_EQ(groups.All().size(), 2u);
    const CGroup* art = groups.Find("ART");
    ASSERT_TRUE(art);
    EXPECT_EQ(art->caption, "Clip Art");
    EXPECT_EQ(art->typical, 1);
    EXPECT_EQ(art->custom, 0);  // absent numeric field
    EXPECT_EQ(groups.Find("program")->name, "PROGRAM");  // the later key replaced the record
}

TEST(Sources, DisketteOrderWithAfterOthersMark)
{
    FakeIniSource file;
    file.Add("groups", "g", "G|g|1|1|1")
        .Add("g", "late.mf1", "10|1|1|-3|0|")
        .Add("g", "three.mf1", "20|1|2|3|0|")
        .Add("g", "one.mf1", "30|1|2|1|0|")
        .Add("g", "plain.txt", "5|0|1|3|4|readme");
    CGroupStore groups;
    CSourceList sources;
    ManifestLoader::LoadGroups(file, groups);
    ManifestLoader::LoadSources(file, groups, sources);
    ASSERT_EQ(sources.Size(), 4u);
    EXPECT_EQ(sources[0].fileName, "one.mf1");
    EXPECT_EQ(sources[1].fileName, "three.mf1");
    EXPECT_EQ(sources[2].fileName, "plain.txt");
    EXPECT_EQ(sources[3].fileName, "late.mf1");
    EXPECT_TRUE(sources[3].afterOthers);
    EXPECT_EQ(sources[3].diskNumber, 3);
    EXPECT_EQ(sources[2].destinationId, 4);
    EXPECT_EQ(sources[2].text, "readme");
    EXPECT_EQ(sources[2].owner, groups.Find("g"));
}

TEST(Sources, GroupTotalIsCachedUntilRecount)
{
    FakeIniSource file;
    file.Add("groups", "g", "G|g|1|1|1").Add("g", "a", "1000|1|3|1|0").Add("g", "b", "100|0|1|1|0");
    CGroupStore groups;
    CSourceList sources;
    ManifestLoader::LoadGroups(file, groups);
    ManifestLoader::LoadSources(file, groups, sources);
    CGroup& g = *groups.Find("g");
    EXPECT_EQ(groups.ByteTotal(g, sources, 0), 1100u);
    auto extra = std::make_unique<CSourceArchive>();
    extra->totalSize = 50;
    extra->owner = &g;
    sources.Insert(std::move(extra));
    EXPECT_EQ(groups.ByteTotal(g, sources, 0), 1100u);
    // Cluster 512: 1000 + 3*512/2 for the archive, 100 rounded up to 512, 50 rounded up to 512.
    EXPECT_EQ(groups.ByteTotal(g, sources, 512, true), 1000u + 768u + 512u + 512u);
}

TEST(Targets, SevenFields)
{
    FakeIniSource file;
    file.Add("targets", "kmwin.exe", "2|-1|1|Kalmora 4.0|/x|kmwin.ico|C:\\K\\kmwin.exe");
    CTargetStore targets;
    ManifestLoader::LoadTargets(file, targets);
    const CShortcutTarget* t = targets.Find("KMWIN.EXE");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->iconIndex, 2);
    EXPECT_EQ(t->hotKey, -1);
    EXPECT_EQ(t->minimized, 1);
    EXPECT_EQ(t->itemName, "Kalmora 4.0");
    EXPECT_EQ(t->arguments, "/x");
    EXPECT_EQ(t->iconFile, "kmwin.ico");
    EXPECT_EQ(t->programPath.Path(), "C:\\K\\kmwin.exe");
}

TEST(Targets, ProgramsPointWhereTheyWereInstalledOrFound)
{
    FakeIniSource file;
    file.Add("targets", "kmwin.exe", "0|-1|0|Kalmora 4.0||kmwin.ico|C:\\KALMORA\\kmwin.exe");
    file.Add("targets", "kmview.exe", "0|-1|0|Viewer|||C:\\KALMORA\\kmview.exe");
    CTargetStore targets;
    ManifestLoader::LoadTargets(file, targets);
    targets.Find("kmwin.exe")->installedPath = CFilePath("D:\\Apps\\kmwin.exe");
    targets.UseInstalledPaths();
    EXPECT_EQ(targets.Find("kmwin.exe")->programPath.Path(), "D:\\Apps\\kmwin.exe");
    // Not installed in this run: the manifest's path stands.
    EXPECT_EQ(targets.Find("kmview.exe")->programPath.Path(), "C:\\KALMORA\\kmview.exe");

    targets.TakeFilesFrom("E:\\SETUP\\");
    EXPECT_EQ(targets.Find("kmwin.exe")->programPath.Path(), "E:\\SETUP\\kmwin.exe");
}

TEST(DisketteLabels, DefaultsGrowthAndBounds)
{
    CDisketteLabels labels("Diskette %d");
    EXPECT_EQ(labels.Get(1), "Diskette 1");
    EXPECT_EQ(labels.Get(24), "Diskette 24");
    EXPECT_EQ(labels.Get(0), "");
    EXPECT_EQ(CauseOf([&] { labels.Get(25); }), 3);
    FakeIniSource file;
    file.Add("diskettes", "30", "Bonus").Add("diskettes", "2", "").Add("diskettes", "4000000000", "x");
    ManifestLoader::LoadDisketteLabels(file, labels);
    EXPECT_EQ(labels.Size(), 31u);
    EXPECT_EQ(labels.Get(30), "Bonus");
    EXPECT_EQ(labels.Get(27), "");
    EXPECT_EQ(labels.Get(2), "");
    EXPECT_EQ(CauseOf([&] { labels.Get(-1); }), 3);
}
