#include "tests/uidriver/CScriptLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

TEST(CScriptLineTest, SplitsWordsAndQuotes) {
    const SplitCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"# a comment", {}},
        {"  # indented comment", {}},
        {"click 1", {"click", "1"}},
        {"  wait-page\t104   10000 \r", {"wait-page", "104", "10000"}},
        {"wait-window \"Kalmora 4.0 Setup\" #32770 500", {"wait-window", "Kalmora 4.0 Setup", "#32770", "500"}},
        {"set 1001 \"\"", {"set", "1001", ""}},
        {"set 1001 \"say \"\"hi\"\"\"", {"set", "1001", "say \"hi\""}},
        {"text 1001 # not a comment here", {"text", "1001", "#", "not", "a", "comment", "here"}},
    };
    for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
        CScriptLine line(cases[row].line);
        std::vector<std::string> words;
        if (!line.IsEmpty()) {
            words.push_back(line.Verb());
            for (size_t i = 0; i < line.ArgumentCount(); ++i) words.push_back(line.Argument(i));
        }
        EXPECT_EQ(words, cases[row].words) << "row " << row << ": " << cases[row].line;
        EXPECT_FALSE(line.HasUnclosedQuote()) << "row " << row;
    }
}

TEST(CScriptLineTest, ReportsAnUnclosedQuote) {
    EXPECT_TRUE(CScriptLine("wait-window \"Setup").HasUnclosedQuote());
}

struct RestCase {
    const char* line;
    size_t from;
    const char* rest;
};

TEST(CScriptLineTest, RestOfLineKeepsBlanksAndBackslashes) {
    const RestCase cases[] = {
        {"set 1001 C:\\Program Files\\Kalmora", 1, "C:\\Program Files\\Kalmora"},
        {"set 1001 \"  padded  \"", 1, "  padded  "},
        {"set 1001 \"a\" and \"b\"", 1, "\"a\" and \"b\""},
        {"expect-text 1016 two  blanks\r\n", 1, "two  blanks"},
        {"screenshot C:\\shots\\page 1.bmp", 0, "C:\\shots\\page 1.bmp"},
        {"click 1", 1, ""},
    };
    for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
        EXPECT_EQ(CScriptLine(cases[row].line).RestFrom(cases[row].from), cases[row].rest) << "row " << row;
    }
}

TEST(CScriptLineTest, ParsesNumbers) {
    const struct {
        const char* word;
        bool ok;
        long value;
    } cases[] = {
        {"104", true, 104}, {"0104", true, 104}, {"0xFFFF", true, 65535}, {"-1", true, -1},
        {"", false, 0},     {"12a", false, 0},   {"yes", false, 0},       {"99999999999999999999", false, 0},
    };
    for (const auto& row : cases) {
        long value = 0;
        EXPECT_EQ(ParseNumber(row.word, value), row.ok) << row.word;
        if (row.ok) {
            EXPECT_EQ(value, row.value) << row.word;
        }
    }
}

TEST(CScriptLineTest, QuotesResultTexts) {
    EXPECT_EQ(QuoteResultText("C:\\new"), "\"C:\\\\new\"");
    EXPECT_EQ(QuoteResultText("say \"hi\"\r\n\t\x01"), "\"say \\\"hi\\\"\\r\\n\\t\\x01\"");
    EXPECT_EQ(QuoteResultText("Kalmora 4.0  installation"), "\"Kalmora 4.0  installation\"");
}

}  // namespace
