#pragma once
// Which billboard the copying shows: the share of the bytes copied picks one of `count` boards.
#include <cstdint>

class BillboardSequence {
public:
    explicit BillboardSequence(int count) : count_(count > 0 ? count : 1) {}

    // A new total; the shown index is forgotten.
    void Announce(std::uint64_t total) { total_ = total; }
    // The board for the bytes done: count * done / total, at most count - 1, 0 for an empty total.
    int IndexFor(std::uint64_t done) const;
    int Count() const { return count_; }

private:
    int count_;
    std::uint64_t total_ = 0;
};
