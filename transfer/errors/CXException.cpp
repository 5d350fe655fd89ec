#include "transfer/errors/CXException.h"

#include "transfer/errors/CXArchiveException.h"
#include "transfer/errors/CXFileException.h"
#include "transfer/errors/CXMemoryException.h"
#include "transfer/errors/CXNotSupportedException.h"
#include "transfer/errors/CXResourceException.h"
#include "transfer/errors/CXUserException.h"

#include <new>

namespace {
MessageStringLoader& CurrentLoader()
{
    static MessageStringLoader loader = nullptr;
    return loader;
}

std::string LoadMessageString(std::uint32_t id)
{
    MessageStringLoader loader = CurrentLoader();
    return loader ? loader(id) : std::string();
}

const XMessageEntry kGenericMessages[] = {
    {kAnyCause, 24576, 24577, 0},
};
}  // namespace

MessageStringLoader SetMessageStringLoader(MessageStringLoader loader)
{
    MessageStringLoader previous = CurrentLoader();
    CurrentLoader() = loader;
    return previous;
}

XMessageSlots& CXException::Slots()
{
    static XMessageSlots slots;
    return slots;
}

void CXException::PrepareMessages() const
{
    Slots() = XMessageSlots();
    FillMessages();
}

void CXException::FillMessages() const
{
    FillFromTable(kGenericMessages);
}

void CXException::FillFromTable(const XMessageEntry* table) const
{
    for (const XMessageEntry* row = table;; ++row) {
        if (row->cause != cause && row->cause != kAnyCause)
            continue;
        XMessageSlots& slots = Slots();
        if (slots.title.empty() && row->titleId != 0)
            slots.title = LoadMessageString(row->titleId);
        if (slots.text.empty() && row->textId != 0)
            slots.text = LoadMessageString(row->textId);
        if (row->extra != 0 && slots.extra == 0)
            slots.extra = row->extra;
        return;
    }
}

std::unique_ptr<CXException> FromFrameworkException(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const CXException*>(&error))
        return own->Clone();
    if (dynamic_cast<const CMemoryException*>(&error) || dynamic_cast<const std::bad_alloc*>(&error))
        return std::make_unique<CXMemoryException>();
    if (const auto* file = dynamic_cast<const CFileException*>(&error))
        return std::make_unique<CXFileException>(file->cause);
    if (const auto* archive = dynamic_cast<const CArchiveException*>(&error))
        return std::make_unique<CXArchiveException>(archive->cause);
    if (dynamic_cast<const CNotSupportedException*>(&error))
        return std::make_unique<CXNotSupportedException>();
    if (dynamic_cast<const CResourceException*>(&error))
        return std::make_unique<CXResourceException>();
    if (dynamic_cast<const CUserException*>(&error))
        return std::make_unique<CXUserException>();
    return std::make_unique<CXException>(1);
}
