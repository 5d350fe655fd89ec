#include "transfer/archive/LzhHuffmanCode.h"

#include "transfer/archive/ArchiveFormat.h"

#include <algorithm>
#include <cstring>

using ArchiveFormat::kMaxCodeLength;
using ArchiveFormat::kNumLiteralCodes;

namespace {
constexpr unsigned kMaxNodes = 2 * kNumLiteralCodes;

struct HuffmanNodes {
    std::uint32_t weight[kMaxNodes];
    std::uint16_t parent[kMaxNodes];
    std::uint16_t heap[kMaxNodes];
    unsigned heapSize = 0;

    bool Less(unsigned a, unsigned b) const
    {
        return weight[a] != weight[b] ? weight[a] < weight[b] : a < b;
    }
    void Push(unsigned node)
    {
        unsigned i = heapSize++;
        while (i > 0 && Less(node, heap[(i - 1) / 2])) {
            heap[i] = heap[(i - 1) / 2];
            i = (i - 1) / 2;
        }
        heap[i] = static_cast<std::uint16_t>(node);
    }
    unsigned Pop()
    {
        unsigned top = heap[0];
        unsigned last = heap[--heapSize];
        unsigned i = 0;
        for (;;) {
            unsigned child = 2 * i + 1;
            if (child >= heapSize)
                break;
            if (child + 1 < heapSize && Less(heap[child + 1], heap[child]))
                ++child;
            if (!Less(heap[child], last))
                break;
            heap[i] = heap[child];
            i = child;
        }
        if (heapSize > 0)
            heap[i] = static_cast<std::uint16_t>(last);
        return top;
    }
};

// Shortens lengths above the limit and restores an exactly full code: move one leaf up from the
// deepest level and split a shorter one until the code space is filled exactly.
void LimitLengths(unsigned* lengthCount)
{
    for (unsigned length = kMaxCodeLength + 1; length < kMaxNodes; ++length) {
        lengthCount[kMaxCodeLength] += lengthCount[length];
        lengthCount[length] = 0;
    }
    std::uint32_t total = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length)
        total += lengthCount[length] << (kMaxCodeLength - length);
    while (total > (1u << kMaxCodeLength)) {
        --lengthCount[kMaxCodeLength];
        for (int length = kMaxCodeLength - 1; length > 0; --length) {
            if (lengthCount[length] != 0) {
                --lengthCount[length];
                lengthCount[length + 1] += 2;
                break;
            }
        }
        --total;
    }
}
}  // namespace

unsigned BuildLzhHuffmanCode(unsigned symbolCount, const std::uint32_t* frequency, std::uint8_t* lengths,
                             std::uint16_t* codes, unsigned& onlySymbol)
{
    static HuffmanNodes nodes;
    nodes.heapSize = 0;
    std::memset(lengths, 0, symbolCount);
    std::memset(codes, 0, symbolCount * sizeof codes[0]);
    onlySymbol = 0;
    unsigned used = 0;
    for (unsigned symbol = 0; symbol < symbolCount; ++symbol) {
        nodes.weight[symbol] = frequency[symbol];
        if (frequency[symbol] != 0) {
            nodes.Push(symbol);
            onlySymbol = symbol;
            ++used;
        }
    }
    if (used < 2)
        return used;

    unsigned next = symbolCount;
    while (nodes.heapSize > 1) {
        unsigned a = nodes.Pop();
        unsigned b = nodes.Pop();
        nodes.weight[next] = nodes.weight[a] + nodes.weight[b];
        nodes.parent[a] = nodes.parent[b] = static_cast<std::uint16_t>(next);
        nodes.Push(next++);
    }
    unsigned root = next - 1;

    // Depth of every leaf, then the counts per depth limited to 16.
    static unsigned depth[kMaxNodes];
    unsigned lengthCount[kMaxNodes] = {};
    depth[root] = 0;
    for (unsigned node = root; node-- > symbolCount;)
        depth[node] = depth[nodes.parent[node]] + 1;
    unsigned order[kNumLiteralCodes];
    unsigned orderSize = 0;
    for (unsigned symbol = 0; symbol < symbolCount; ++symbol) {
        if (frequency[symbol] == 0)
            continue;
        depth[symbol] = depth[nodes.parent[symbol]] + 1;
        ++lengthCount[depth[symbol]];
        order[orderSize++] = symbol;
    }
    LimitLengths(lengthCount);

    // The rarest symbols get the longest lengths.
    std::sort(order, order + orderSize, [](unsigned a, unsigned b) {
        return nodes.weight[a] != nodes.weight[b] ? nodes.weight[a] < nodes.weight[b] : a > b;
    });
    unsigned position = 0;
    for (int length = kMaxCodeLength; length > 0; --length)
        for (unsigned k = 0; k < lengthCount[length]; ++k)
            lengths[order[position++]] = static_cast<std::uint8_t>(length);

    std::uint16_t start[kMaxCodeLength + 2] = {};
    for (int length = 1; length <= kMaxCodeLength; ++length)
        start[length + 1] = static_cast<std::uint16_t>((start[length] + lengthCount[length]) << 1);
    for (unsigned symbol = 0; symbol < symbolCount; ++symbol)
        if (lengths[symbol] != 0)
            codes[symbol] = start[lengths[symbol]]++;
    return used;
}
