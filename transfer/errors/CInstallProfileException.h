#pragma once
// The install profile or the setup manifest is missing or damaged.
#include "transfer/errors/CXException.h"

class CInstallProfileException : public CXException {
public:
    explicit CInstallProfileException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CInstallProfileException"; }
    const char* what() const noexcept override { return "CInstallProfileException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CInstallProfileException>(*this); }
};
