#include "app/PathValidation.h"

#include <gtest/gtest.h>

TEST(PathValidation, Table)
{
    struct Row {
        const char* text;
        PathVerdict::Kind kind;
        char character;
    } rows[] = {
        {"C:\\Kalmora\\Programs", PathVerdict::valid, 0},
        {"C:\\", PathVerdict::valid, 0},
        {"C:Kalmora", PathVerdict::driveMissing, 0},
        {"\\\\server\\share\\dir", PathVerdict::driveMissing, 0},
        {"Kalmora", PathVerdict::driveMissing, 0},
        {"C:\\a:b", PathVerdict::misplacedColon, 0},
        {"C:\\Kal*mora", PathVerdict::forbiddenCharacter, '*'},
        {"C:/Kalmora", PathVerdict::forbiddenCharacter, '/'},
        {"C:\\a?b|c", PathVerdict::forbiddenCharacter, '?'},
        {"C:\\\"x\"", PathVerdict::forbiddenCharacter, '"'},
        {"C:\\<x>", PathVerdict::forbiddenCharacter, '<'},
        {"CC:\\x", PathVerdict::misplacedColon, 0},
        {"", PathVerdict::driveMissing, 0},
    };
    for (const Row& row : rows) {
        PathVerdict verdict = ValidateDirectoryText(row.text);
        EXPECT_EQ(verdict.kind, row.kind) << row.text;
        EXPECT_EQ(verdict.character, row.character) << row.text;
    }
}
