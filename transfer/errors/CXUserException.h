#pragma once
// The user cancelled; normally not reported.
#include "transfer/errors/CXException.h"

class CXUserException : public CXException {
public:
    explicit CXUserException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXUserException"; }
    const char* what() const noexcept override { return "CXUserException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXUserException>(*this); }
};
