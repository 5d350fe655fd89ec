#include "transfer/archive/CMultiFileException.h"

namespace {
const XMessageEntry kMessages[] = {
    {CMultiFileException::unknownMethod, 27648, 27649, 0},
    {CMultiFileException::notAnArchive, 27650, 27651, 0},
    {CMultiFileException::missingEntryHeader, 27652, 27653, 0},
    {CMultiFileException::corruptTable, 27654, 27655, 0},
    {CMultiFileException::checksumMismatch, 27656, 27657, 0},
    {kAnyCause, 0, 0, 0},
};
}  // namespace

void CMultiFileException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
