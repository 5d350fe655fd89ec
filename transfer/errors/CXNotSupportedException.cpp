#include "transfer/errors/CXNotSupportedException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 24588, 24589, 0},
};
}  // namespace

void CXNotSupportedException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
