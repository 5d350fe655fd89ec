#include "transfer/errors/CXArchiveException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 24582, 24583, 0},
};
}  // namespace

void CXArchiveException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
