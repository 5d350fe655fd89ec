#pragma once
// A step of Setup's integration run as the integration sequence runs it: the uninstall log opened
// (an earlier run's journal folded in), the step writing through it, the log written at the end.
#include <string>

#include "integration/CRegEntryList.h"
#include "integration/CRegistryRecord.h"
#include "integration/CSharedDllEntry.h"
#include "uninstall/CUninstallLog.h"

template <class Step>
void RunLogged(const std::string& logPath, Step step)
{
    CUninstallLog log(logPath);
    log.Open();
    step(log);
    log.Commit();
}

inline void ApplySelectedLogged(CRegEntryList& list, const std::string& logPath)
{
    RunLogged(logPath, [&](CUninstallLog& log) {
        CRegistryRecord record(&log);
        list.ApplySelected(record);
    });
}

inline void IncrementCountsLogged(CSharedDllList& list, const std::string& logPath)
{
    RunLogged(logPath, [&](CUninstallLog& log) { list.IncrementCounts(log); });
}
