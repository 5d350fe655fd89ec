#include "uninstall/LogRecords.h"

#include <gtest/gtest.h>

TEST(LogRecords, FileRecordFlags)
{
    EXPECT_EQ(LogRecords::FileRecord(0, true, false), "0|1|0");
    EXPECT_EQ(LogRecords::FileRecord(3, false, true), "3|0|1");
    // Destinations -2 and -3 travel in a 16-bit field and are logged as its unsigned value.
    EXPECT_EQ(LogRecords::FileRecord(0xFFFE, true, true), "65534|1|1");
}

TEST(LogRecords, StoreRecordsReadBackInTheManifestFormat)
{
    CDestination destination;
    destination.name = "Samples";
    destination.parent = 0;
    destination.directory = CFilePath("C:\\KALMORA\\Samples\\");
    EXPECT_EQ(LogRecords::DestinationRecord(destination), "Samples|0|C:\\KALMORA\\Samples\\");

    CGroup group;
    group.caption = "Clip Art";
    group.description = "Pictures";
    group.minimal = 0;
    group.typical = 1;
    group.custom = 1;
    EXPECT_EQ(LogRecords::GroupRecord(group), "Clip Art|Pictures|0|1|1");

    CShortcutTarget target;
    target.iconIndex = 2;
    target.hotKey = -1;
    target.minimized = 5;
    target.itemName = "Kalmora 4.0";
    target.iconFile = "k.ico";
    target.programPath = CFilePath("C:\\K\\kmwin.exe");
    EXPECT_EQ(LogRecords::TargetRecord(target), "2|-1|1|Kalmora 4.0||k.ico|C:\\K\\kmwin.exe");
}

// A name that the INI syntax would cut, trim or take for something else cannot be a key.
TEST(LogRecords, OnlyNamesThatReadBackCanBeKeys)
{
    for (const char* name : {"kmwin.exe", "Kalmora 4.0.txt", "a[1].kmd", "x;y", "50%.kmd"})
        EXPECT_TRUE(LogRecords::ReadsBackAsKey(name)) << name;
    for (const char* name : {"", "notes=draft.kmd", "[notes].kmd", ";notes.kmd", " notes.kmd", "\tnotes.kmd"})
        EXPECT_FALSE(LogRecords::ReadsBackAsKey(name)) << name;
}

// Only a name that Setup gives its temporary copies is deleted for the log's "Temporary" section.
TEST(LogRecords, OnlySetupsTemporaryNamesAreTemporaryCopies)
{
    for (const char* path : {"C:\\KALMORA\\0a1b2c3d.exe", "C:\\WINDOWS\\SYSTEM\\7fff0000.dll", "C:\\K\\deadbeef"})
        EXPECT_TRUE(LogRecords::IsTemporaryCopy(path)) << path;
    for (const char* path : {"C:\\WINDOWS\\win.ini", "C:\\KALMORA\\0A1B2C3D.exe", "C:\\KALMORA\\0a1b2c3.exe",
                             "0a1b2c3d.exe", "C:\\0a1b2c3d.exe", "C:\\KALMORA\\..\\0a1b2c3d.exe", ""})
        EXPECT_FALSE(LogRecords::IsTemporaryCopy(path)) << path;
}
