#include "transfer/errors/CXResourceException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 24584, 24585, 0},
};
}  // namespace

void CXResourceException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
