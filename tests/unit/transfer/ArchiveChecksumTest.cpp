#include "transfer/ArchiveChecksum.h"

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
