#include "transfer/media/CSourceList.h"

#include <algorithm>

CSourceArchive& CSourceList::Insert(std::unique_ptr<CSourceArchive> source)
{
    auto place = std::find_if(items_.begin(), items_.end(),
                              [&](const auto& item) { return item->SortsAfter(*source); });
    return **items_.insert(place, std::move(source));
}
