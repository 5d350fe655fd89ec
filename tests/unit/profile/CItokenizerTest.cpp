#include "profile/CItokenizer.h"

#include <gtest/gtest.h>

#include "ProfileTestFiles.h"

namespace {
// Every token of a file as "kind:text@line", the text with LF and CR shown as \n and \r.
std::string Tokens(const std::string& bytes)
{
    ScratchDirectory directory;
    CItokenizer tokenizer(directory.Write("t.ini", bytes), kProfileSpecialSet);
    std::string out;
    CItoken token;
    for (int guard = 0; guard < 1000; ++guard) {
        tokenizer.GetNextToken(token);
        if (token.Kind() == kTokenEndOfFile)
            return out + "EOF";
        std::string text;
        for (char c : token.Text())
            text += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
        out += std::to_string(token.Kind()) + ":" + text + "@" + std::to_string(token.LineNumber()) + " ";
    }
    return out + "runaway";
}
}

TEST(CItokenizer, CutsLinesIntoWordsAndSpecialCharacters)
{
    struct Row { const char* bytes; const char* tokens; } rows[] = {
        {"", "EOF"},
        {"key=value;note\n", "4:key@1 3:=@1 4:value@1 3:;@1 4:note@1 3:\\n@1 EOF"},
        {"a  b", "4:a@1 3: @1 3: @1 4:b@1 EOF"},
        {"[]", "3:[@1 3:]@1 EOF"},
        {"last", "4:last@1 EOF"},
        {"\n\n", "3:\\n@1 3:\\n@2 EOF"},
        {"a\r\nb\r\n", "4:a@1 3:\\n@1 4:b@2 3:\\n@2 EOF"},
        {"a\rb\n", "4:a@1 3:\\r@1 4:b@1 3:\\n@1 EOF"},
        {"a\r\r\nb", "4:a@1 3:\\r@1 3:\\n@1 4:b@2 EOF"},
        {"it's,C:\\x?<>\x80", "4:it's,C:\\x?<>\x80@1 EOF"},
        {"\t\v\f#\"", "3:\t@1 3:\v@1 3:\f@1 3:#@1 3:\"@1 EOF"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Tokens(row.bytes), row.tokens) << "input: " << row.bytes;
}

TEST(CItokenizer, KeepsNulBytesInsideWords)
{
    EXPECT_EQ(Tokens(std::string("a\0b=c", 5)), std::string("4:a\0b@1 3:=@1 4:c@1 EOF", 23));
}

TEST(CItokenizer, TokensCarryTheirWholeLine)
{
    ScratchDirectory directory;
    CItokenizer tokenizer(directory.Write("t.ini", "k = v\nnext"), kProfileSpecialSet);
    CItoken token;
    for (int i = 0; i < 5; ++i)
        tokenizer.GetNextToken(token);
    EXPECT_EQ(token.Text(), "v");
    EXPECT_EQ(token.Line(), "k = v\n");
    tokenizer.GetNextToken(token);
    tokenizer.GetNextToken(token);
    EXPECT_EQ(token.Line(), "next");
    EXPECT_EQ(token.LineNumber(), 2);
}

TEST(CItokenizer, MissingFileOrDirectoryGivesOnlyEndOfFile)
{
    ScratchDirectory directory;
    for (const std::string& name : {directory.Path() + "/none.ini", directory.Path()}) {
        CItokenizer tokenizer(name, kProfileSpecialSet);
        EXPECT_FALSE(tokenizer.IsOpen()) << name;
        CItoken token;
        EXPECT_TRUE(tokenizer.GetNextToken(token));
        EXPECT_EQ(token.Kind(), kTokenEndOfFile) << name;
    }
}

TEST(CItoken, CopiesAllFieldsAndDumpsReadably)
{
    CItoken token;
    EXPECT_EQ(token.Kind(), kTokenNone);
    EXPECT_EQ(token.LineNumber(), 0);
    EXPECT_EQ(token.Line(), "");
    token.SetKind(kTokenSpecial);
    token.SetText("\n");
    token.SetLine("x\n");
    token.SetLineNumber(7);
    CItoken copy(token);
    EXPECT_EQ(copy.Kind(), kTokenSpecial);
    EXPECT_EQ(copy.Line(), "x\n");
    EXPECT_EQ(copy.LineNumber(), 7);
    EXPECT_EQ(copy.Dump(), "end of line");
    copy.SetKind(kTokenWord);
    copy.SetText("abc");
    EXPECT_EQ(copy.Dump(), "'abc'");
}
