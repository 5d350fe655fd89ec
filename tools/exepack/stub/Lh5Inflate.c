#include "tools/exepack/stub/Lh5Inflate.h"

enum {
    kLiteralSymbols = 510,  /* 256 literals and 254 match lengths */
    kLengthSymbols = 19,    /* the code-length code */
    kDistanceSymbols = 14,  /* distance classes of an 8 KB window */
    kMinMatch = 3,
    kNoSymbol = 0xFFFF,
};

static void refill(struct KmLh5State* s)
{
    while (s->bitCount <= 24) {
        uint32_t byte = s->inPosition < s->inSize ? s->in[s->inPosition] : 0;
        s->inPosition++;
        s->bits |= byte << (24 - s->bitCount);
        s->bitCount += 8;
    }
}

static void consume(struct KmLh5State* s, int count)
{
    s->bits <<= count;
    s->bitCount -= count;
}

static uint32_t getBits(struct KmLh5State* s, int count)
{
    uint32_t value;
    if (count == 0)
        return 0;
    refill(s);
    value = s->bits >> (32 - count);
    consume(s, count);
    return value;
}

static void clearCode(struct KmLh5Code* code, uint16_t single)
{
    unsigned i;
    for (i = 0; i < 17; ++i)
        code->count[i] = 0;
    code->single = single;
}

/* Builds the canonical code of lengths[0..symbols). Refuses an oversubscribed code. */
static int buildCode(struct KmLh5Code* code, const uint8_t* lengths, unsigned symbols)
{
    unsigned i, length, next, index;
    int32_t left = 1;
    clearCode(code, kNoSymbol);
    for (i = 0; i < symbols; ++i) {
        if (lengths[i] > 16)
            return 1;
        code->count[lengths[i]]++;
    }
    code->count[0] = 0;
    for (length = 1; length <= 16; ++length) {
        left = left * 2 - code->count[length];
        if (left < 0)
            return 1;
    }
    next = 0;
    index = 0;
    for (length = 1; length <= 16; ++length) {
        code->firstCode[length] = (uint16_t)next;
        code->firstIndex[length] = (uint16_t)index;
        next = (next + code->count[length]) << 1;
        index += code->count[length];
    }
    for (i = 0; i < (1u << KM_LH5_LOOKUP_BITS); ++i)
        code->lookup[i] = 0;
    {
        uint16_t place[17];
        for (length = 1; length <= 16; ++length)
            place[length] = code->firstIndex[length];
        for (i = 0; i < symbols; ++i)
            if (lengths[i] != 0)
                code->sorted[place[lengths[i]]++] = (uint16_t)i;
    }
    for (length = 1; length <= KM_LH5_LOOKUP_BITS; ++length) {
        unsigned shift = KM_LH5_LOOKUP_BITS - length;
        for (i = 0; i < code->count[length]; ++i) {
            unsigned first = (code->firstCode[length] + i) << shift;
            unsigned entry = (unsigned)code->sorted[code->firstIndex[length] + i] << 5 | length;
            unsigned fill;
            for (fill = 0; fill < (1u << shift); ++fill)
                code->lookup[first + fill] = (uint16_t)entry;
        }
    }
    return 0;
}

/* The next symbol of the code, or kNoSymbol for bits that are no code. */
static unsigned decodeSymbol(struct KmLh5State* s, const struct KmLh5Code* code)
{
    unsigned entry, length, window;
    if (code->single != kNoSymbol)
        return code->single;
    refill(s);
    entry = code->lookup[s->bits >> (32 - KM_LH5_LOOKUP_BITS)];
    if (entry != 0) {
        consume(s, (int)(entry & 31));
        return entry >> 5;
    }
    window = s->bits >> 16;
    for (length = KM_LH5_LOOKUP_BITS + 1; length <= 16; ++length) {
        unsigned offset = (window >> (16 - length)) - code->firstCode[length];
        if (offset < code->count[length]) {
            consume(s, (int)length);
            return code->sorted[code->firstIndex[length] + offset];
        }
    }
    return kNoSymbol;
}

/* A code with no coded lengths is one symbol sent without bits. */
static int readSingle(struct KmLh5State* s, struct KmLh5Code* code, int symbolBits, unsigned symbols)
{
    unsigned symbol = getBits(s, symbolBits);
    if (symbol >= symbols)
        return 1;
    clearCode(code, (uint16_t)symbol);
    return 0;
}

/* The code-length code and the distance code: each length in three bits, 7 and up in unary. */
static int readShortLengths(struct KmLh5State* s, unsigned symbols, int countBits, unsigned zeroRunAt)
{
    unsigned count = getBits(s, countBits), i = 0;
    if (count == 0)
        return readSingle(s, &s->aux, countBits, symbols);
    if (count > symbols)
        return 1;
    while (i < count) {
        unsigned length;
        refill(s);
        length = s->bits >> 29;
        if (length == 7) {
            uint32_t mask = 1u << 28;
            while (s->bits & mask) {
                mask >>= 1;
                if (++length > 16)
                    return 1;
            }
            consume(s, (int)length - 3);
        } else {
            consume(s, 3);
        }
        s->lengths[i++] = (uint8_t)length;
        if (i == zeroRunAt) {
            unsigned zeros = getBits(s, 2);
            if (i + zeros > count)
                return 1;
            while (zeros-- > 0)
                s->lengths[i++] = 0;
        }
    }
    while (i < symbols)
        s->lengths[i++] = 0;
    return buildCode(&s->aux, s->lengths, symbols);
}

/* The literal code's lengths, sent in the code-length code with three kinds of zero run. */
static int readLiteralLengths(struct KmLh5State* s)
{
    unsigned count = getBits(s, 9), i = 0;
    if (count == 0)
        return readSingle(s, &s->literal, 9, kLiteralSymbols);
    if (count > kLiteralSymbols)
        return 1;
    while (i < count) {
        unsigned symbol = decodeSymbol(s, &s->aux);
        if (symbol == kNoSymbol)
            return 1;
        if (symbol <= 2) {
            unsigned zeros = symbol == 0 ? 1 : symbol == 1 ? getBits(s, 4) + 3 : getBits(s, 9) + 20;
            if (i + zeros > count)
                return 1;
            while (zeros-- > 0)
                s->lengths[i++] = 0;
        } else {
            s->lengths[i++] = (uint8_t)(symbol - 2);
        }
    }
    while (i < kLiteralSymbols)
        s->lengths[i++] = 0;
    return buildCode(&s->literal, s->lengths, kLiteralSymbols);
}

static int readBlockCodes(struct KmLh5State* s)
{
    if (readShortLengths(s, kLengthSymbols, 5, 3) != 0 || readLiteralLengths(s) != 0)
        return 1;
    return readShortLengths(s, kDistanceSymbols, 4, 0xFFFF);
}

int kmLh5Inflate(struct KmLh5State* s, const uint8_t* in, uint32_t inSize, uint8_t* out,
                 uint32_t outSize)
{
    uint32_t produced = 0, blockLeft = 0;
    s->in = in;
    s->inSize = inSize;
    s->inPosition = 0;
    s->bits = 0;
    s->bitCount = 0;
    while (produced < outSize) {
        unsigned symbol;
        if (blockLeft == 0) {
            blockLeft = getBits(s, 16);
            if (blockLeft == 0 || readBlockCodes(s) != 0)
                return 1;
        }
        blockLeft--;
        symbol = decodeSymbol(s, &s->literal);
        if (symbol == kNoSymbol)
            return 1;
        if (symbol < 256) {
            out[produced++] = (uint8_t)symbol;
        } else {
            uint32_t length = symbol - 256 + kMinMatch, distance;
            unsigned distanceClass = decodeSymbol(s, &s->aux);
            if (distanceClass == kNoSymbol)
                return 1;
            distance = distanceClass <= 1 ? distanceClass
                                          : (1u << (distanceClass - 1)) + getBits(s, (int)distanceClass - 1);
            distance += 1;
            if (distance > produced || length > outSize - produced)
                return 1;
            while (length-- > 0) {
                out[produced] = out[produced - distance];
                produced++;
            }
        }
    }
    /* Every bit taken must have come from the stream, not from the zeros past its end. */
    return (uint64_t)s->inPosition * 8 - (uint32_t)s->bitCount > (uint64_t)inSize * 8;
}
