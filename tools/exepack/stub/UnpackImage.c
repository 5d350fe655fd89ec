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

uint32_t kmAdler32Update(uint32_t adler, const uint8_t* data, uint32_t size)
{
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
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

uint32_t kmAdler32(const uint8_t* data, uint32_t size)
{
    return kmAdler32Update(1, data, size);
}

uint32_t kmUnpackTableChecksum(const uint8_t* stubStart, const struct KmUnpackTable* table)
{
    const uint8_t* fields = (const uint8_t*)table;
    const uint8_t* data = (const uint8_t*)(table + 1);
    const uint8_t* dataEnd = stubStart + table->dataEnd;
    uint32_t adler = kmAdler32(fields, (uint32_t)((const uint8_t*)&table->checksum - fields));
    if (dataEnd < data || (uint32_t)(dataEnd - data) > KM_UNPACK_TABLE_DATA_LIMIT)
        return ~table->checksum; /* never the one the table carries */
    return kmAdler32Update(adler, data, (uint32_t)(dataEnd - data));
}

int kmUnpackImage(uint8_t* imageBase, const struct KmUnpackTable* table)
{
    struct KmLh5State* state = (struct KmLh5State*)(imageBase + table->workRva);
    const uint8_t* stubStart = imageBase + table->stubRva;
    const uint8_t* record = (const uint8_t*)(table + 1);
    const uint8_t* stream = stubStart + table->dataEnd;
    const uint8_t* streamsEnd = stubStart + table->streamsEnd;
    uint32_t i;
    if (kmUnpackTableChecksum(stubStart, table) != table->checksum || streamsEnd < stream ||
        (uint32_t)(stream - record) / sizeof(struct KmUnpackRange) < table->rangeCount)
        return 1;
    for (i = 0; i < table->rangeCount; ++i, record += sizeof(struct KmUnpackRange)) {
        uint32_t rva = readWord(record), size = readWord(record + 4), packedSize = readWord(record + 8);
        uint8_t* target = imageBase + rva;
        /* Only memory below the stub is the program's to fill. */
        if (rva > table->stubRva || size > table->stubRva - rva || packedSize > (uint32_t)(streamsEnd - stream))
            return 1;
        if (kmLh5Inflate(state, stream, packedSize, target, size) != 0)
            return 1;
        if (kmAdler32(target, size) != readWord(record + 12))
            return 1;
        stream += packedSize;
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
