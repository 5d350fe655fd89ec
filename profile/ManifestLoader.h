#pragma once
// Loads the sections of the setup manifest (or of the uninstall log, which keeps the same formats)
// into the stores.
#include "profile/CDestinationStore.h"
#include "profile/CDisketteLabels.h"
#include "profile/CGroupStore.h"
#include "profile/CTargetStore.h"
#include "profile/IIniSource.h"
#include "transfer/media/CSourceList.h"

namespace ManifestLoader {
// "destinations": throws CInstallProfileException code 0 when the section has no key.
void LoadDestinations(const IIniSource& file, CDestinationStore& destinations);
void LoadGroups(const IIniSource& file, CGroupStore& groups);
void LoadTargets(const IIniSource& file, CTargetStore& targets);
// One section per group, named after it; each key is one source.
void LoadSources(const IIniSource& file, CGroupStore& groups, CSourceList& sources);
void LoadDisketteLabels(const IIniSource& file, CDisketteLabels& labels);
}
