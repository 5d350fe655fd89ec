#include "ArchiveTestSupport.h"
#include "transfer/archive/CMultiFileException.h"

#include <gtest/gtest.h>

namespace {
// A block that sends every table as a one-symbol code: no bits per symbol.
void PutSingleSymbolBlock(BitWriter& bits, unsigned symbols, unsigned literal, unsigned position)
{
    bits.Put(16, symbols);
    bits.Put(5, 0);
    bits.Put(5, 0);
    bits.Put(9, 0);
    bits.Put(9, literal);
    bits.Put(4, 0);
    bits.Put(4, position);
}

Bytes SingleSymbolBlock(unsigned symbols, unsigned literal, unsigned position)
{
    BitWriter bits;
    PutSingleSymbolBlock(bits, symbols, literal, position);
    return bits.Finish();
}

int CorruptCode(const Bytes& packed, std::uint32_t originalSize)
{
    try {
        DecompressLzh(packed, originalSize);
    } catch (const CMultiFileException& error) {
        return error.cause;
    }
    return 0;
}
}  // namespace

TEST(CLzhCodec, RoundTripsDataOfEveryKind)
{
    struct Row { const char* kind; Bytes data; } rows[] = {
        {"empty", {}},
        {"one byte", {42}},
        {"three equal", {7, 7, 7}},
        {"text", TextData(50000, 3)},
        {"random", RandomData(30000, 4)},
        {"repetitive across steps", RepetitiveData(3 * 8192 + 5)},
        {"zeros", Bytes(100000, 0)},
        {"window edge", RepetitiveData(8192)},
    };
    for (const Row& row : rows) {
        Bytes packed = CompressLzh(row.data);
        EXPECT_EQ(DecompressLzh(packed, static_cast<std::uint32_t>(row.data.size())), row.data) << row.kind;
    }
    // Mixed content with matches at every distance of the window.
    Bytes mixed = TextData(20000, 5);
    Bytes noise = RandomData(9000, 6);
    Append(mixed, noise);
    Append(mixed, noise);
    EXPECT_EQ(DecompressLzh(CompressLzh(mixed), static_cast<std::uint32_t>(mixed.size())), mixed);
}

TEST(CLzhCodec, OneSymbolTablesConsumeNoBits)
{
    Bytes packed = SingleSymbolBlock(5, 'A', 0);
    EXPECT_EQ(DecompressLzh(packed, 5), Bytes(5, 'A'));
}

TEST(CLzhCodec, MatchesBeforeTheStartReadTheZeroedWindow)
{
    // Symbol 256 is a match of 3 at distance 1, before any byte was written.
    Bytes packed = SingleSymbolBlock(2, 256, 0);
    EXPECT_EQ(DecompressLzh(packed, 6), Bytes(6, 0));
}

TEST(CLzhCodec, MatchRunsOnIntoTheNextStep)
{
    // One literal, then maximal matches of the previous byte: they cross every 8192-byte step.
    BitWriter bits;
    PutSingleSymbolBlock(bits, 1, 'z', 0);
    PutSingleSymbolBlock(bits, 100, 509, 0);
    Bytes packed = bits.Finish();
    Bytes expected(1 + 100 * 256, 'z');
    EXPECT_EQ(DecompressLzh(packed, static_cast<std::uint32_t>(expected.size())), expected);
}

TEST(CLzhCodec, OriginalSizeZeroProducesNothing)
{
    EXPECT_TRUE(DecompressLzh(SingleSymbolBlock(5, 'A', 0), 0).empty());
}

TEST(CLzhCodec, DamagedTablesAreCorruptTables)
{
    struct Row { const char* what; Bytes packed; };
    std::vector<Row> rows;
    {
        BitWriter bits;  // a code length of 18 through the unary extension
        bits.Put(16, 1), bits.Put(5, 3), bits.Put(3, 7), bits.Put(11, 0x7FF), bits.Put(1, 0);
        rows.push_back({"length above 16", bits.Finish()});
    }
    {
        BitWriter bits;  // lengths 1 and 2 leave a quarter of the code space empty
        bits.Put(16, 1), bits.Put(5, 2), bits.Put(3, 1), bits.Put(3, 2);
        rows.push_back({"incomplete", bits.Finish()});
    }
    {
        BitWriter bits;  // four codes of length 1: wraps to 0 in 16 bits but overfills the space
        bits.Put(16, 1), bits.Put(5, 4), bits.Put(3, 1), bits.Put(3, 1), bits.Put(3, 1), bits.Put(2, 0), bits.Put(3, 1);
        rows.push_back({"oversubscribed", bits.Finish()});
    }
    {
        BitWriter bits;
        bits.Put(16, 1), bits.Put(5, 20);
        rows.push_back({"more lengths than symbols", bits.Finish()});
    }
    {
        BitWriter bits;
        bits.Put(16, 1), bits.Put(5, 0), bits.Put(5, 19);
        rows.push_back({"one-symbol code outside the alphabet", bits.Finish()});
    }
    {
        BitWriter bits;
        bits.Put(16, 1), bits.Put(5, 0), bits.Put(5, 0), bits.Put(9, 0), bits.Put(9, 510);
        rows.push_back({"literal outside the alphabet", bits.Finish()});
    }
    {
        BitWriter bits;  // the code-length code is symbol 2 only: a run of 20+ zeros past the count
        bits.Put(16, 1), bits.Put(5, 0), bits.Put(5, 2), bits.Put(9, 5), bits.Put(9, 0);
        rows.push_back({"zero run past the count", bits.Finish()});
    }
    for (const Row& row : rows)
        EXPECT_EQ(CorruptCode(row.packed, 100), CMultiFileException::corruptTable) << row.what;
}

TEST(CLzhCodec, TruncatedStreamsNeverCrash)
{
    Bytes data = TextData(40000, 9);
    Bytes packed = CompressLzh(data);
    for (std::size_t keep : {std::size_t(0), std::size_t(1), std::size_t(7), packed.size() / 3, packed.size() - 1}) {
        Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(keep));
        try {
            Bytes got = DecompressLzh(cut, static_cast<std::uint32_t>(data.size()));
            EXPECT_EQ(got.size(), data.size()) << "kept " << keep;
        } catch (const CMultiFileException& error) {
            EXPECT_EQ(error.cause, CMultiFileException::corruptTable) << "kept " << keep;
        }
    }
}

TEST(CLzhCodec, CompressesAsWellAsExpected)
{
    Bytes text = TextData(200000, 11);
    EXPECT_LT(CompressLzh(text).size(), text.size() / 3);
    Bytes noise = RandomData(50000, 12);
    EXPECT_LT(CompressLzh(noise).size(), noise.size() + noise.size() / 50);
}

TEST(CLzhCodec, DecodesAGoldenStreamOfAnotherCompressor)
{
    // data/jlha-text.lh5: the raw lh5 stream that jlha made of these 9000 bytes.
    Bytes expected = TextData(6000, 77);
    Append(expected, RepetitiveData(3000));
    Bytes packed = ReadWholeFile(std::string(KALMORA_SOURCE_DIR) + "/tests/unit/transfer/archive/data/jlha-text.lh5");
    ASSERT_EQ(packed.size(), 1114u);
    EXPECT_EQ(DecompressLzh(packed, 9000), expected);
}
