#include "tools/exepack/stub/UnpackImage.h"

#include "tools/exepack/stub/Lh5Inflate.h"

static uint32_t readWord(const uint8_t* at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

const struct KmUnpackTable* kmUnpackTableOf(const uint8_t* stubStart)
{
    const struct KmUnpackTable* table =
        (const struct KmUnpackTable*)(stubStart + readWord(stubStart + KM_UNPACK_TABLE_FIELD));
    return table->magic == KM_UNPACK_MAGIC ? table : 0;
}

uint32_t kmAdler32(const uint8_t* data, uint32_t size)
{
    uint32_t a = 1, b = 0;
    while (size > 0) {
        uint32_t chunk = size < 5552 ? size : 5552; /* the longest run before b can overflow */
        size -= chunk;
        while (chunk-- > 0) {
            a += *data++;
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return b << 16 | a;
}

int kmUnpackImage(uint8_t* imageBase, const struct KmUnpackTable* table)
{
    struct KmLh5State* state = (struct KmLh5State*)(imageBase + table->workRva);
    const uint8_t* next = (const uint8_t*)(table + 1);
    uint32_t i;
    for (i = 0; i < table->rangeCount; ++i) {
        struct KmUnpackRange range;
        uint8_t* target;
        range.rva = readWord(next);
        range.size = readWord(next + 4);
        range.packedSize = readWord(next + 8);
        range.adler32 = readWord(next + 12);
        next += sizeof range;
        target = imageBase + range.rva;
        if (kmLh5Inflate(state, next, range.packedSize, target, range.size) != 0)
            return 1;
        if (kmAdler32(target, range.size) != range.adler32)
            return 1;
        next += range.packedSize;
    }
    if (table->tlsIndexSlotRva != 0) {
        /* The loader wrote the index before the program's data was there. */
        uint32_t index = readWord(imageBase + table->tlsIndexSlotRva);
        uint8_t* variable = imageBase + table->tlsIndexRva;
        variable[0] = (uint8_t)index;
        variable[1] = (uint8_t)(index >> 8);
        variable[2] = (uint8_t)(index >> 16);
        variable[3] = (uint8_t)(index >> 24);
    }
    return 0;
}
