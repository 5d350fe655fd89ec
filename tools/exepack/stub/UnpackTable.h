#ifndef KALMORA_UNPACK_TABLE_H
#define KALMORA_UNPACK_TABLE_H
/* What the packer leaves for the start-up code of a packed program, right after that code in the
 * program's last section. Offsets count from the start of that section (the stub); addresses are
 * relative to the image base, which the stub finds from its own address. Every field is 32 bits,
 * little-endian, so that both widths read the same table. */
#include <stdint.h>

#define KM_UNPACK_MAGIC 0x4B504D4Bu /* "KMPK" */
/* The word at this offset of the stub holds the offset of the table; the packer writes it. */
#define KM_UNPACK_TABLE_FIELD 4
#define KM_UNPACK_TABLE_PLACEHOLDER 0x4C42544Bu /* "KTBL", as the stub is linked */
/* The table's data is at most this long: a damaged end is not followed past it. */
#define KM_UNPACK_TABLE_DATA_LIMIT 4096u
/* The decoder's work area, in the stub section's uninitialised tail. */
#define KM_UNPACK_WORK_SIZE 16384u

struct KmUnpackTable {
    uint32_t magic;
    uint32_t stubRva;
    uint32_t entryRva;        /* the program's own entry point */
    uint32_t workRva;         /* KM_UNPACK_WORK_SIZE bytes, zero at load */
    uint32_t rangeCount;      /* KmUnpackRange records follow the table */
    /* Thread-local storage: the loader sees a directory of the stub's, whose index slot and
     * callback list live in the stub; the program's own index variable gets the index after
     * unpacking, and the list gets the program's callbacks (their addresses follow the ranges). */
    uint32_t tlsIndexSlotRva; /* 0: the program has no thread-local storage */
    uint32_t tlsIndexRva;
    uint32_t tlsCallbackListRva; /* pointer-sized entries, zero-terminated, zero at load */
    uint32_t tlsCallbackCount;
    uint32_t tlsCallbacksOffset; /* of the callbacks' addresses, 32 bits each */
    /* How the stub says that the program is damaged: MessageBoxA's import slot (0: none) and the
     * offsets of the zero-terminated text and caption. */
    uint32_t messageBoxSlotRva;
    uint32_t messageOffset;
    uint32_t captionOffset;
    /* The table's data (range records, callbacks, texts) ends at dataEnd; the ranges' streams
     * follow it, one after the other, up to streamsEnd. checksum is the Adler-32 of the table's
     * fields before it and of its data, so that none of it is believed when damaged; each range
     * carries the checksum of its own bytes. */
    uint32_t dataEnd;
    uint32_t streamsEnd;
    uint32_t checksum;
};

struct KmUnpackRange {
    uint32_t rva;
    uint32_t size;        /* bytes the range holds in memory */
    uint32_t packedSize;  /* bytes of its lh5 stream */
    uint32_t adler32;     /* of the size bytes, as they must be after decoding */
};

#endif
