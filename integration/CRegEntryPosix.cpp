// Elsewhere than on Windows there is no registry: no walk can have opened a key, so there is
// nothing to close. The portable part of the entries is tested natively with this file.
#include "integration/CRegEntry.h"

void CRegEntry::CloseKeys()
{
    parentKey = nullptr;
    currentKey = nullptr;
}
