#ifndef KALMORA_LH5_INFLATE_H
#define KALMORA_LH5_INFLATE_H
/* The decoder of a packed program's ranges: one raw lh5 stream (8 KB window, static Huffman
 * blocks) into one buffer. Freestanding C, so that the start-up code of a packed program carries
 * it without a runtime library, and the packer runs the same code natively to check its output.
 * It uses no static data and no library calls: what it needs lives in the caller's work area. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KM_LH5_LOOKUP_BITS 10
#define KM_LH5_MAX_SYMBOLS 510

/* A canonical code: short codes through a table indexed by the next bits, longer ones counted. */
struct KmLh5Code {
    uint16_t lookup[1u << KM_LH5_LOOKUP_BITS]; /* symbol << 5 | length; 0: longer than the table */
    uint16_t count[17];                         /* codes of each length */
    uint16_t firstCode[17];                     /* first code of each length, left-aligned at it */
    uint16_t firstIndex[17];                    /* where each length starts in sorted */
    uint16_t sorted[KM_LH5_MAX_SYMBOLS];        /* symbols by length, then by value */
    uint16_t single;                            /* the symbol of a code without bits, else 0xFFFF */
};

struct KmLh5State {
    struct KmLh5Code literal;  /* literals and match lengths */
    struct KmLh5Code aux;      /* the code-length code, then the distance code */
    uint8_t lengths[KM_LH5_MAX_SYMBOLS];
    const uint8_t* in;
    uint32_t inSize;
    uint32_t inPosition;  /* bytes taken into bits, zeros past the end included */
    uint32_t bits;        /* next stream bits, from the top bit down */
    int bitCount;
};

/* 0 when exactly outSize bytes were decoded from no more than inSize bytes; nonzero for a
 * stream that is damaged, ends early or points before the start of the output. */
int kmLh5Inflate(struct KmLh5State* state, const uint8_t* in, uint32_t inSize, uint8_t* out,
                 uint32_t outSize);

#ifdef __cplusplus
}
#endif
#endif
