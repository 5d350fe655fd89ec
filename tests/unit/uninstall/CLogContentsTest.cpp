#include "uninstall/CLogContents.h"

#include <gtest/gtest.h>

using Entries = CLogContents::Entries;

// Sections and keys keep the place of their first write; a key written again takes the new value;
// names compare without regard to case; the INI text reads back as the same contents.
TEST(CLogContents, KeepsTheOrderOfFirstWritesAndReadsBackItsIni)
{
    CLogContents log;
    log.Set("program", "kmwin.exe", "0|0|0");
    log.Set("destinations", "0", "Kalmora|-1|C:\\KALMORA\\");
    log.Set("PROGRAM", "KMWIN.EXE", "0|1|0");
    log.Set("program", "kmhelp.hlp", "0|1|0");
    log.Set("Temporary", "C:\\KALMORA\\1a2b3c4d.exe", "1");
    log.Remove("temporary", "c:\\kalmora\\1A2B3C4D.EXE");
    EXPECT_EQ(log.Section("program"), (Entries{{"kmwin.exe", "0|1|0"}, {"kmhelp.hlp", "0|1|0"}}));
    EXPECT_EQ(log.Ini(), "[program]\r\nkmwin.exe=0|1|0\r\nkmhelp.hlp=0|1|0\r\n"
                         "[destinations]\r\n0=Kalmora|-1|C:\\KALMORA\\\r\n");
    log.Set("Destinations", "1", "Samples|0|C:\\KALMORA\\Samples\\");
    log.Set("art", "flowers.pcx", "2|1|0");
    EXPECT_EQ(log.Ini({"Destinations", "groups"}), "[program]\r\nkmwin.exe=0|1|0\r\nkmhelp.hlp=0|1|0\r\n"
                                                  "[art]\r\nflowers.pcx=2|1|0\r\n"
                                                  "[destinations]\r\n0=Kalmora|-1|C:\\KALMORA\\\r\n"
                                                  "1=Samples|0|C:\\KALMORA\\Samples\\\r\n")
        << "sections named as trailing come last";
    CLogContents again;
    again.ReadIni(log.Ini());
    EXPECT_EQ(again.Ini(), log.Ini());
    ASSERT_TRUE(again.Value("Program", "KMHELP.HLP"));
    EXPECT_EQ(*again.Value("Program", "KMHELP.HLP"), "0|1|0");
    EXPECT_FALSE(again.Value("Temporary", "x"));
}

// What the private-profile functions read: blanks around names and values trimmed, comments and
// lines outside a section or without "=" passed over, the first of two equal keys, a section that
// comes again adding to the first.
TEST(CLogContents, ReadsIniAsTheProfileFunctionsDo)
{
    CLogContents log;
    log.ReadIni("stray=1\n[ program ]\r\n kmwin.exe = 0|1|0 \r\n; a comment\r\nno bar\r\nkmwin.exe=9|9|9\r\n"
                "[groups]\nprogram=Program|p|1|1|1\n[PROGRAM]\nkmhelp.hlp=0|1|0\n[empty]\n[cut");
    EXPECT_EQ(log.Section("program"), (Entries{{"kmwin.exe", "0|1|0"}, {"kmhelp.hlp", "0|1|0"}}));
    EXPECT_EQ(log.Section("groups"), (Entries{{"program", "Program|p|1|1|1"}}));
    EXPECT_EQ(log.Ini().find("[empty]"), std::string::npos) << "an empty section is not written";
}

// Every change of a run is one journal line; the journal replayed over the INI gives what the run
// had. A line cut short by a crash, and garbage, change nothing.
TEST(CLogContents, AJournalReplaysARunAndIgnoresWhatACrashCutShort)
{
    std::string journal = CLogContents::JournalSet("program", "kmwin.exe", "0|0|0") +
                          CLogContents::JournalSet("odd\tsection", "key\\with\nbreaks", "value\r\t\\") +
                          CLogContents::JournalSet("Temporary", "C:\\KALMORA\\1a2b3c4d.exe", "1") +
                          CLogContents::JournalSet("program", "kmwin.exe", "0|1|0") +
                          CLogContents::JournalRemove("Temporary", "C:\\KALMORA\\1a2b3c4d.exe") +
                          "garbage without tabs\n" + "+\t\tno key\tvalue\n" + "\x01\x02\n";
    std::string cut = CLogContents::JournalSet("program", "kmhelp.hlp", "0|0|0");
    cut.pop_back();
    CLogContents log;
    log.ReadIni("[PMGroup]\r\npmgroup=Orvane\r\n");
    EXPECT_EQ(log.ApplyJournal(journal + cut), 5u);
    EXPECT_EQ(log.Section("program"), (Entries{{"kmwin.exe", "0|1|0"}}));
    EXPECT_EQ(log.Section("odd\tsection"), (Entries{{"key\\with\nbreaks", "value\r\t\\"}}));
    EXPECT_TRUE(log.Section("Temporary").empty());
    EXPECT_EQ(log.Section("PMGroup"), (Entries{{"pmgroup", "Orvane"}}));
}
