#pragma once
// The installer's own exception family: every error shown to the user is one of these. Each member
// knows a title and an explanation (string-table ids) for its causes; PrepareMessages fills the
// process-wide message slots right before a report. Thrown by value, caught by reference.
#include "framework/CFrameworkException.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

// Loads a string-table entry by id; returns "" when there is none. The Windows program installs
// one that calls LoadString; without a loader every slot stays empty.
using MessageStringLoader = std::string (*)(unsigned id);
MessageStringLoader SetMessageStringLoader(MessageStringLoader loader);

// One row of a message table; cause -1 matches any cause and ends the search.
struct XMessageEntry {
    std::int32_t cause;
    std::uint32_t titleId;
    std::uint32_t textId;
    std::uint32_t extra;
};
constexpr std::int32_t kAnyCause = -1;

// The shared slots that a report reads; only one report is prepared at a time.
struct XMessageSlots {
    std::string title;
    std::string text;
    std::uint32_t extra = 0;
};

class CXException : public CFrameworkException {
public:
    explicit CXException(int cause = 1) : cause(cause) {}
    const char* ClassName() const override { return "CXException"; }
    const char* what() const noexcept override { return "CXException"; }

    // Empties the shared slots, then fills them from this class's table and the generic one.
    virtual void PrepareMessages() const;
    virtual void FillMessages() const;
    virtual std::unique_ptr<CXException> Clone() const { return std::make_unique<CXException>(*this); }

    static XMessageSlots& Slots();

    int cause;

protected:
    // Fills the still-empty slots from the first matching row of the table (ending with kAnyCause).
    void FillFromTable(const XMessageEntry* table) const;
};

// Converts any exception into the family (memory, file, archive, not supported, resource and user
// exceptions of the framework by class; std::bad_alloc as memory; anything else cause 1).
std::unique_ptr<CXException> FromFrameworkException(const std::exception& error);
