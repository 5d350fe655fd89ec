#include "transfer/errors/CXUserException.h"

namespace {
const XMessageEntry kMessages[] = {
    {kAnyCause, 24586, 24587, 0},
};
}  // namespace

void CXUserException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
