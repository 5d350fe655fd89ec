#include "profile/CInstallProfile.h"

#include "profile/CIniReader.h"

void CInstallProfile::Load(IIniReadObserver* observer)
{
    store.Clear();
    CIniReader reader(store, observer);
    reader.Read();
}
