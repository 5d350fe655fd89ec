#include "profile/CIniReader.h"

#include <gtest/gtest.h>

#include "ProfileTestFiles.h"
#include "profile/CIniReaderStates.h"
#include "profile/CInstallProfile.h"
#include "profile/IIniReadObserver.h"

namespace {
struct ReadCase {
    const char* group;
    const char* profile;
    const char* store;
};

// Reading behaviour of single files, one row per rule of the language.
const ReadCase kReadCases[] = {
    // Sections
    {"sections", "[Option]\nk=v\n", "[Option] k={v}"},
    {"sections", "[two words]\nk=v", "[twowords] k={v}"},
    {"sections", "[split\nname]\nk=v", "[splitname] k={v}"},
    {"sections", "[]\nk=v", "[] k={v}"},
    {"sections", "[OpTion]\nKey=Val", "[OpTion] Key={Val}"},
    {"sections", "  [s]  \n\tk\t=\tv\t\n", "[s] k={v}"},
    {"sections", "[s]\nk=1\nk=2\n[s]\nk=3", "[s] k={1} k={2} [s] k={3}"},
    {"sections", "[s] ; about s\nk=v", "[s] k={v}"},
    // Keys and value lists
    {"keys", "[s]\nk=v\nk2 = w\n", "[s] k={v} k2={w}"},
    {"keys", "[s]\nk\n=v", "[s] k={v}"},
    {"keys", "[s]\nk=", "[s] k="},
    {"keys", "[s]\nlist=\na\n\"b c\"\nd ; note\nnext=1\n", "[s] list={a}{b c}{d} next={1}"},
    {"keys", "[s]\nl=\na\nb=c\n", "[s] l={a} b={c}"},
    {"keys", "[s]\nl=\na\n[t]\nk=v", "[s] l={a} [t] k={v}"},
    {"keys", "[s]\nl=\n\"a\"\n[t]\nk=v", "[s] l={a} [t] k={v}"},
    {"keys", "[s]\nl=\na\nb\nc", "[s] l={a}{b}{c}"},
    {"keys", "[s]\nl=\na\n\nb\n", "[s] l={a}{b}"},
    // Quoted values
    {"quoting", "[s]\nk=\"a ;=#[] b\"\n", "[s] k={a ;=#[] b}"},
    {"quoting", "[s]\nk=\"line1\nline2\"\n", "[s] k={line1line2}"},
    {"quoting", "[s]\nk=\"\"\n", "[s] k={}"},
    {"quoting", "[s]\nk=\"a\tb\"", "[s] k={a\tb}"},
    {"quoting", "[s]\r\nk=\"a\r\nb\"\r\n", "[s] k={ab}"},
    {"quoting", "[s]\nk=\"a\rb\"", "[s] k={ab}"},
    {"quoting", "[s]\nk=\"it''s\"", "[s] k={it''s}"},
    {"quoting", "[s]\nk=\"unterminated\n", "[s] k="},
    // Comments
    {"comments", "; top\n[s]\n; in section\nk=v\n; after\nj=w", "[s] k={v} j={w}"},
    {"comments", "[s]\nk=v\n;last", "[s] k={v}"},
    {"comments", "[s]\nk= ; a list follows\na\nb\n", "[s] k={a}{b}"},
    {"comments", "[s]\nk=v ; c = [x] \"q\nj=w", "[s] k={v} j={w}"},
    {"comments", "[s]\nk=v ; c\rj=w", "[s] k={v} j={w}"},
    {"comments", "[s]\nl=\n; first\na\n; between\nb ; after\n", "[s] l={a}{b}"},
    // Line ends
    {"line ends", "[s]\r\nk=v\r\nl=\r\na\r\n", "[s] k={v} l={a}"},
    {"line ends", "[s]\rk=v\rj=w", "[s] k={v} j={w}"},
    // Recovery: what follows a syntax error up to the next section header is lost
    {"recovery", "[a]\n[b]\nk=v\n", "[a]"},
    {"recovery", "[a]\n[b]\nk=v\n[c]\nx=y", "[a] [c] x={y}"},
    {"recovery", "[a] junk\nk=v", "[a]"},
    {"recovery", "[a ; x]\nk=v", ""},
    {"recovery", "[s]\nk=a b\nn=m\n[t]\nx=1", "[s] k={a} [t] x={1}"},
    {"recovery", "[s]\nk=\"a\" b\n", "[s] k={a}"},
    {"recovery", "[s]\nl=\n[t]\nk=v", "[s] l="},
    {"recovery", "[s]\nk ; c\n=v", "[s]"},
    {"recovery", "k=v\n[s]\nj=w", "[s] j={w}"},
    {"recovery", "[s]\nk==v\nj=w\n[t]\nx=1", "[s] k= [t] x={1}"},
    {"recovery", "[a=b]\n[c]\nk=v", "[c] k={v}"},
    {"recovery", "#other \"x\"\n[s]\nk=v", "[s] k={v}"},
};

void PrintTo(const ReadCase& row, std::ostream* out)
{
    *out << row.group << ": " << ::testing::PrintToString(std::string(row.profile));
}

class ReadProfile : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadProfile, GivesTheStore)
{
    const ReadCase& row = GetParam();
    EXPECT_EQ(ReadProfileText(row.profile), row.store) << row.group << ": " << row.profile;
}

INSTANTIATE_TEST_SUITE_P(Language, ReadProfile, ::testing::ValuesIn(kReadCases));

struct SyntaxError {
    std::string file;
    int line;
    std::string token;
    std::string section;
};

class RecordingObserver : public IIniReadObserver {
public:
    void OnSyntaxError(const std::string& fileName, const CItoken& token, const std::string* sectionName) override
    {
        errors.push_back({fileName, token.LineNumber(), token.Dump(), sectionName ? *sectionName : "(none)"});
    }
    void OnIncludeSkipped(const std::string&, int lineNumber, const std::string& name, SkipReason reason) override
    {
        skipped.push_back(name + "@" + std::to_string(lineNumber) + ":" + std::to_string(static_cast<int>(reason)));
    }
    std::vector<SyntaxError> errors;
    std::vector<std::string> skipped;
};

std::string Read(const std::string& path, IIniReadObserver* observer = nullptr)
{
    CInstallProfile profile(path);
    profile.Load(observer);
    return RenderStore(profile.File());
}
}

TEST(IniReaderRecovery, ReportsTheFirstErrorOfEachLostStretch)
{
    ScratchDirectory dir;
    std::string path = dir.Write("p.ini", "[a]\nk=v w\nz=1\n[b]\nx=1\ny=1 2 3\n");
    RecordingObserver observer;
    EXPECT_EQ(Read(path, &observer), "[a] k={v} [b] x={1} y={1}");
    ASSERT_EQ(observer.errors.size(), 2u);
    EXPECT_EQ(observer.errors[0].line, 2);
    EXPECT_EQ(observer.errors[0].token, "'w'");
    EXPECT_EQ(observer.errors[0].section, "a");
    EXPECT_EQ(observer.errors[1].line, 6);
    EXPECT_EQ(observer.errors[1].token, "'2'");
    EXPECT_EQ(observer.errors[1].section, "b");
}

TEST(IniReaderRecovery, EndOfFileInsideQuotesIsAnError)
{
    ScratchDirectory dir;
    RecordingObserver observer;
    EXPECT_EQ(Read(dir.Write("p.ini", "[s]\nk=\"open"), &observer), "[s] k=");
    ASSERT_EQ(observer.errors.size(), 1u);
    EXPECT_EQ(observer.errors[0].token, "end of file");
}

TEST(IniReaderStates, FileEndingInCommentLeavesCommentCurrent)
{
    ScratchDirectory dir;
    CIniFile store(dir.Write("p.ini", "[s]\nk=v\n; the end"));
    CIniReader reader(store);
    CIniStatePtr last = reader.Parse(store.Name(), std::make_unique<CStartState>());
    EXPECT_STREQ(last->Name(), "Comment");
    CIniReader again(store);
    last = again.Parse(store.Name() + ".missing", std::make_unique<CStartState>());
    EXPECT_STREQ(last->Name(), "Start");
}

TEST(IniReaderIncludes, ContinueTheContextOfTheIncludingFile)
{
    ScratchDirectory dir;
    dir.Write("top.ini", "[s]\nk=v");
    dir.Write("keys.ini", "a=1\nb=2\n");
    dir.Write("more.ini", "y\nz\n");
    dir.Write("my file.ini", "f=1\n");
    struct Row { const char* profile; const char* store; } rows[] = {
        {"#include \"top.ini\"\nj=w", "[s] k={v} j={w}"},
        {"[s]\n#include \"keys.ini\"\nlast=1", "[s] a={1} b={2} last={1}"},
        {"[s]\nk=1\n#include \"keys.ini\"", "[s] k={1} a={1} b={2}"},
        {"[s]\nl=\nx\n#include \"more.ini\"\n", "[s] l={x}{y}{z}"},
        {"[s]\nl=\n#include \"more.ini\"\nw\n", "[s] l={y}{z}{w}"},
        {"#INCLUDE \"top.ini\"", "[s] k={v}"},
        {"#\ninclude\n\"top.ini\"", "[s] k={v}"},
        {"[s]\n#include \"my file.ini\"", "[s] f={1}"},
        {"[s]\n#include \"my\tfile.ini\"", "[s]"},
        {"[s]\n#include \"none.ini\"\nk=v", "[s] k={v}"},
        {"#include \"top.ini\" ; trailing comment\nj=w", "[s] k={v} j={w}"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Read(dir.Write("main.ini", row.profile)), row.store) << row.profile;
}

TEST(IniReaderIncludes, TabInsideTheNameIsDropped)
{
    ScratchDirectory dir;
    dir.Write("myfile.ini", "f=1\n");
    EXPECT_EQ(Read(dir.Write("main.ini", "[s]\n#include \"my\tfile.ini\"")), "[s] f={1}");
}

TEST(IniReaderIncludes, QuotedValueCutShortByAnIncludeEndLeavesNoTrace)
{
    ScratchDirectory dir;
    dir.Write("q.ini", "j=\"abc");
    EXPECT_EQ(Read(dir.Write("main.ini", "[s]\nk=v\n#include \"q.ini\"\n[t]\nl=\n\"x\"\n")),
              "[s] k={v} j= [t] l={x}");
}

TEST(IniReaderIncludes, NamesResolveBesideTheIncludingFileFirst)
{
    ScratchDirectory dir;
    dir.Write("sub/a.ini", "a=1\n#include \"b.ini\"\n");
    dir.Write("sub/b.ini", "b=1\n");
    dir.Write("b.ini", "wrong=1\n");
    std::string absolute = dir.Write("abs.ini", "c=1\n");
    EXPECT_EQ(Read(dir.Write("main.ini", "[s]\n#include \"sub/a.ini\"\n#include \"" + absolute + "\"\n")),
              "[s] a={1} b={1} c={1}");
    EXPECT_EQ(CIniReader::ResolveIncludeName("A:ov_setup.ini", "x.ini"), "x.ini");
    EXPECT_EQ(CIniReader::ResolveIncludeName("dir\\ov_setup.ini", "C:\\x.ini"), "C:\\x.ini");
    EXPECT_EQ(CIniReader::ResolveIncludeName(dir.Path() + "/sub/a.ini", "b.ini"), dir.Path() + "/sub/b.ini");
}

TEST(IniReaderIncludes, KeysKnowTheirFileAndLine)
{
    ScratchDirectory dir;
    std::string inner = dir.Write("inner.ini", "\n\nx=1\n");
    std::string main = dir.Write("main.ini", "[s]\na=1\n#include \"inner.ini\"\nb\n=2\n");
    CInstallProfile profile(main);
    profile.Load();
    const auto& keys = profile.File().Sections().at(0).Keys();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].FileName(), main);
    EXPECT_EQ(keys[0].LineNumber(), 2);
    EXPECT_EQ(keys[1].FileName(), inner);
    EXPECT_EQ(keys[1].LineNumber(), 3);
    EXPECT_EQ(keys[2].FileName(), main);
    EXPECT_EQ(keys[2].LineNumber(), 4);
}

TEST(IniReaderIncludes, CyclesEndAtTheNestingBound)
{
    ScratchDirectory dir;
    dir.Write("loop.ini", "k=v\n#include \"loop.ini\"\n");
    RecordingObserver observer;
    std::string store = Read(dir.Write("main.ini", "[s]\n#include \"loop.ini\"\n"), &observer);
    std::string expected = "[s]";
    for (int i = 0; i < kMaxIncludeDepth; ++i)
        expected += " k={v}";
    EXPECT_EQ(store, expected);
    ASSERT_EQ(observer.skipped.size(), 1u);
    EXPECT_EQ(observer.skipped[0], "loop.ini@2:1");
}

TEST(IniReaderIncludes, MultiplyingIncludesEndAtTheFileBound)
{
    ScratchDirectory dir;
    dir.Write("twice.ini", "k=v\n#include \"twice.ini\"\n#include \"twice.ini\"\n");
    CInstallProfile profile(dir.Write("main.ini", "[s]\n#include \"twice.ini\"\n"));
    profile.Load();
    EXPECT_EQ(profile.File().Sections().at(0).Keys().size(), static_cast<size_t>(kMaxIncludeFiles));
}

TEST(IniReaderIncludes, MissingIncludeIsReported)
{
    ScratchDirectory dir;
    RecordingObserver observer;
    Read(dir.Write("main.ini", "[s]\n\n#include \"gone.ini\"\nk=v"), &observer);
    ASSERT_EQ(observer.skipped.size(), 1u);
    EXPECT_EQ(observer.skipped[0], "gone.ini@3:0");
    EXPECT_TRUE(observer.errors.empty());
}

TEST(InstallProfile, MissingFileGivesAnEmptyStore)
{
    CInstallProfile profile("/nonexistent/ov_setup.ini");
    profile.Load();
    EXPECT_TRUE(profile.File().Sections().empty());
    EXPECT_EQ(profile.File().Name(), "/nonexistent/ov_setup.ini");
}

TEST(InstallProfile, CrLfAndLfGiveTheSameStore)
{
    const std::string lf = "; c\n[a b]\nk=v ; x\nl=\n1\n\"2 3\"\n#x\n[c]\nq=\"multi\nline\"\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadProfileText(crlf), ReadProfileText(lf));
}
