#include "transfer/paths/GetNumberField.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DecimalToInt, ConvertsLikeAtoiAndSaturates)
{
    const struct {
        const char* text;
        int value;
    } rows[] = {
        {"", 0},           {"0", 0},           {"42", 42},          {"  \t7", 7},
        {"-12", -12},      {"+5", 5},          {"12abc", 12},       {"abc", 0},
        {"- 3", 0},        {"--3", 0},         {" 00099", 99},      {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},               {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},              {"99999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999", INT_MIN}, {"\n\r\v\f-1|", -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DecimalToInt(row.text), row.value) << "row \"" << row.text << "\"";
    EXPECT_EQ(DecimalToInt(nullptr), 0);
}

TEST(DecimalToUnsigned, KeepsTheWholeThirtyTwoBitRange)
{
    const struct {
        const char* text;
        unsigned long value;
    } rows[] = {
        {"4294967295", 4294967295ul}, {"4294967296", 4294967295ul}, {"3000000000", 3000000000ul},
        {" +17", 17},                 {"-17", 0},                   {"x", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DecimalToUnsigned(row.text), row.value) << "row \"" << row.text << "\"";
}

TEST(ExtractField, TakesTheTextBetweenSeparators)
{
    const struct {
        const char* text;
        int index;
        bool present;
        const char* field;
    } rows[] = {
        {"a|b|c", 0, true, "a"},   {"a|b|c", 1, true, "b"},  {"a|b|c", 2, true, "c"},
        {"a|b|c", 3, false, ""},   {"a|b|", 2, true, ""},    {"", 0, true, ""},
        {"", 1, false, ""},        {"|", 1, true, ""},       {"abc", -1, false, ""},
        {"Samples|0|C:\\x", 2, true, "C:\\x"},
    };
    for (const auto& row : rows) {
        std::string field = "sentinel";
        EXPECT_EQ(ExtractField(field, row.text, row.index), row.present)
            << "row \"" << row.text << "\" " << row.index;
        EXPECT_EQ(field, row.field) << "row \"" << row.text << "\" " << row.index;
    }
    std::string field;
    EXPECT_TRUE(ExtractField(field, "x,y", 1, ','));
    EXPECT_EQ(field, "y");
}

TEST(GetNumberField, LeavesTheNumberAloneWhenTheFieldIsAbsent)
{
    // A source line of the setup manifest: size, type, count, diskette, destination, text.
    const std::string line = "123456|1|14|-2|0|Program files";
    const int expected[] = {123456, 1, 14, -2, 0, 0};
    for (int i = 0; i < 6; ++i) {
        int number = -777;
        EXPECT_TRUE(GetNumberField(number, line, i)) << "field " << i;
        EXPECT_EQ(number, expected[i]) << "field " << i;
    }
    int number = -777;
    EXPECT_FALSE(GetNumberField(number, line, 6));
    EXPECT_EQ(number, -777);
    EXPECT_FALSE(GetNumberField(number, "Samples", 1));
    EXPECT_EQ(number, -777);

    unsigned long size = 5;
    EXPECT_TRUE(GetUnsignedField(size, "3500000000|1", 0));
    EXPECT_EQ(size, 3500000000ul);
    EXPECT_FALSE(GetUnsignedField(size, "3500000000|1", 2));
    EXPECT_EQ(size, 3500000000ul);
}

} // namespace
