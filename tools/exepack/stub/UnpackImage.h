#ifndef KALMORA_UNPACK_IMAGE_H
#define KALMORA_UNPACK_IMAGE_H
/* The work of a packed program's start-up code that needs no Windows: decoding every range into
 * the mapped image and checking it, and handing the thread-local storage index on. */
#include "tools/exepack/stub/UnpackTable.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The table of the stub that starts at stubStart, or 0 when the word the packer writes is missing. */
const struct KmUnpackTable* kmUnpackTableOf(const uint8_t* stubStart);

/* The checksum the table must carry: of its fields before the checksum and of its data. */
uint32_t kmUnpackTableChecksum(const uint8_t* stubStart, const struct KmUnpackTable* table);

/* Decodes every range of the table into the image mapped at imageBase. 0 when the table is whole
 * and every range decoded to its size and checksum; nonzero otherwise, with the image partly
 * written. Nothing outside the ranges, all below the stub, is written. */
int kmUnpackImage(uint8_t* imageBase, const struct KmUnpackTable* table);

uint32_t kmAdler32Update(uint32_t adler, const uint8_t* data, uint32_t size);
uint32_t kmAdler32(const uint8_t* data, uint32_t size);

#ifdef __cplusplus
}
#endif
#endif
