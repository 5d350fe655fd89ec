#pragma once
// The file groups: named sets of sources that are installed or not as a whole.
#include <cstdint>
#include <map>
#include <string>

#include "framework/TextCompare.h"

class CSourceList;

struct CGroup {
    std::string name;         // also the section of its sources and of its log records
    std::string caption;      // shown in the custom options list
    std::string description;  // shown beside the list and in the summary
    bool install = false;
    bool checked = false;
    std::uint64_t byteTotal = 0;  // cache; 0 = not counted yet
    long minimal = 0;         // membership per setup type
    long typical = 0;
    long custom = 0;
};

class CGroupStore {
public:
    using Map = std::map<std::string, CGroup, CaseInsensitiveLess>;

    // Adds or replaces the group of that name.
    CGroup& Put(CGroup group);
    CGroup* Find(const std::string& name);
    const CGroup* Find(const std::string& name) const;
    Map& All() { return groups_; }
    const Map& All() const { return groups_; }

    // Sum of the estimated space of the group's sources; computed once and cached unless a
    // recount is asked for.
    std::uint64_t ByteTotal(CGroup& group, const CSourceList& sources, std::uint32_t clusterSize,
                            bool recount = false) const;

    // Install flags for a setup type: 0 none, 1 Minimal, 2 Typical, 3 Custom, 4 all.
    void ApplySetupType(int type);

private:
    Map groups_;
};
