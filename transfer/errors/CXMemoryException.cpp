#include "transfer/errors/CXMemoryException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 24578, 24579, 0},
};
}  // namespace

void CXMemoryException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
