#pragma once
// The copy list: sources in diskette order, so that diskettes are asked for in ascending order.
#include <memory>
#include <vector>

#include "transfer/media/CSourceArchive.h"

class CSourceList {
public:
    // Inserts before the first item that sorts after the new one; equal items keep their order.
    CSourceArchive& Insert(std::unique_ptr<CSourceArchive> source);
    void Clear() { items_.clear(); }

    size_t Size() const { return items_.size(); }
    CSourceArchive& operator[](size_t i) const { return *items_[i]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<CSourceArchive>> items_;
};
