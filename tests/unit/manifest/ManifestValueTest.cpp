#include "profile/ManifestValue.h"

#include <gtest/gtest.h>

TEST(ManifestValue, FieldsBetweenBars)
{
    ManifestValue value("Samples|0|C:\\X");
    EXPECT_EQ(value.Text(0), "Samples");
    EXPECT_EQ(value.Number(1, -1), 0);
    EXPECT_EQ(value.Text(2), "C:\\X");
    EXPECT_FALSE(value.Field(3));
    EXPECT_EQ(value.Number(3, -1), -1);
}

TEST(ManifestValue, ValueWithoutBarIsOneField)
{
    ManifestValue value("Program Files");
    EXPECT_EQ(value.Text(0), "Program Files");
    EXPECT_FALSE(value.Field(1));
    EXPECT_EQ(ManifestValue("").Text(0), "");
}

TEST(ManifestValue, NumbersConvertLikeAtoi)
{
    struct Row { const char* text; long number; } rows[] = {
        {"42", 42}, {"  -7", -7}, {"+3x", 3}, {"abc", 0}, {"", 0}, {"12abc34", 12},
        {"99999999999999999999", 2147483647L}, {"-99999999999999999999", -2147483647L - 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ManifestValue::ToNumber(row.text), row.number) << row.text;
    EXPECT_EQ(ManifestValue::ToUnsigned("4294967295"), 4294967295UL);
    EXPECT_EQ(ManifestValue::ToUnsigned("99999999999"), 4294967295UL);
}
