#include "transfer/errors/CXFileException.h"

namespace {
const XMessageEntry kMessages[] = {
    {CFileException::fileNotFound, 24590, 24591, 0},
    {CFileException::badPath, 24592, 24593, 0},
    {CFileException::tooManyOpenFiles, 24594, 24595, 0},
    {CFileException::accessDenied, 24596, 24597, 0},
    {CFileException::invalidFile, 24598, 24581, 0},
    {CFileException::removeCurrentDir, 24599, 24581, 0},
    {CFileException::directoryFull, 24600, 24601, 0},
    {CFileException::badSeek, 24602, 24581, 0},
    {CFileException::hardIO, 24603, 24604, 0},
    {CFileException::sharingViolation, 24605, 24606, 0},
    {CFileException::lockViolation, 24607, 24608, 0},
    {CFileException::diskFull, 24609, 24610, 0},
    {CFileException::endOfFile, 24611, 24581, 0},
    {kAnyCause, 24580, 24581, 0},
};
}  // namespace

void CXFileException::FillMessages() const
{
    FillFromTable(kMessages);
    CXException::FillMessages();
}
