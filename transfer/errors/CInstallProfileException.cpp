#include "transfer/errors/CInstallProfileException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 10, 13, 0},
};
}  // namespace

void CInstallProfileException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
