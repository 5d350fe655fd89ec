#include "profile/CGroupStore.h"

#include "transfer/media/CSourceList.h"

CGroup& CGroupStore::Put(CGroup group)
{
    std::string key = group.name;
    CGroup& slot = groups_[key];
    slot = std::move(group);
    return slot;
}

CGroup* CGroupStore::Find(const std::string& name)
{
    auto it = groups_.find(name);
    return it == groups_.end() ? nullptr : &it->second;
}

const CGroup* CGroupStore::Find(const std::string& name) const
{
    auto it = groups_.find(name);
    return it == groups_.end() ? nullptr : &it->second;
}

std::uint64_t CGroupStore::ByteTotal(CGroup& group, const CSourceList& sources,
                                      std::uint32_t clusterSize, bool recount) const
{
    if (group.byteTotal != 0 && !recount)
        return group.byteTotal;
    std::uint64_t total = 0;
    for (const auto& source : sources)
        if (source->owner == &group)
            total += source->RequiredSpace(clusterSize);
    group.byteTotal = total;
    return total;
}

void CGroupStore::ApplySetupType(int type)
{
    for (auto& [name, group] : groups_) {
        switch (type) {
        case 0: group.install = false; break;
        case 1: group.install = group.minimal != 0; break;
        case 2: group.install = group.typical != 0; break;
        case 3: group.install = group.custom != 0; break;
        default: group.install = true; break;
        }
    }
}
