#include "transfer/archive/ArchiveChecksum.h"

#include <gtest/gtest.h>
#include <string>

TEST(ArchiveChecksum, KnownValues)
{
    EXPECT_EQ(UpdateArchiveChecksum(0, "", 0), 0u);
    // Not the standard CRC-32 of "abc" (0x352441C2): the update shifts by 6 bits.
    EXPECT_EQ(UpdateArchiveChecksum(0, "abc", 3), 0x3E105F31u);
}

TEST(ArchiveChecksum, PiecewiseEqualsWhole)
{
    std::string text = "The checksum is taken over the extracted bytes in pieces of any size.";
    std::uint32_t whole = UpdateArchiveChecksum(0, text.data(), text.size());
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::uint32_t piecewise = UpdateArchiveChecksum(0, text.data(), cut);
        piecewise = UpdateArchiveChecksum(piecewise, text.data() + cut, text.size() - cut);
        EXPECT_EQ(piecewise, whole) << "cut at " << cut;
    }
}

TEST(ArchiveChecksum, MatchesTheBytewiseRuleAtEveryLength)
{
    // The rule as stated, one byte at a time, against the table-driven update.
    std::uint32_t table[256];
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int round = 0; round < 8; ++round)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[n] = value;
    }
    std::string data;
    for (int i = 0; i < 300; ++i)
        data += static_cast<char>((i * 37 + 11) & 0xFF);
    std::uint32_t expected = 0;
    for (std::size_t length = 0; length <= data.size(); ++length) {
        EXPECT_EQ(UpdateArchiveChecksum(0, data.data(), length), expected) << "length " << length;
        if (length < data.size())
            expected = table[(expected ^ static_cast<std::uint8_t>(data[length])) & 0xFF] ^ ((expected & 0x3FFFFFC0u) >> 6);
    }
}
