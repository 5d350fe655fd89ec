// The registry look-ups that decide which file types Setup may take.
#include "integration/CMediaTypeEntry.h"

#include <windows.h>

#include "framework/RunReport.h"

void CMediaTypeList::ResolveConflicts()
{
    for (const auto& entry : Entries()) {
        bool claimed = entry->Open() == ERROR_SUCCESS && entry->QueryValue() == ERROR_SUCCESS &&
                       entry->queriedSize > 1;
        entry->selected = claimed ? 0 : 1;
        entry->CloseKeys();
        if (claimed)
            RunReport::Say("file type " + entry->KeyPath() + ": belongs to another program (\"" +
                           std::string(entry->data.c_str()) + "\"), left to it");
        // The query has put the registry's value into the data.
        if (entry->selected) {
            entry->valueType = CRegEntry::kTypeString;
            entry->data = ShortName();
        }
    }
}
