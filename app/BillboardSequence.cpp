#include "app/BillboardSequence.h"

int BillboardSequence::IndexFor(std::uint64_t done) const
{
    if (total_ == 0)
        return 0;
    std::uint64_t index = static_cast<std::uint64_t>(count_) * done / total_;
    return index >= static_cast<std::uint64_t>(count_) ? count_ - 1 : static_cast<int>(index);
}
