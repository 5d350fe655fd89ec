#pragma once
// A file error; cause is the framework's file-error cause (CFileException::Cause).
#include "transfer/errors/CXException.h"

class CXFileException : public CXException {
public:
    explicit CXFileException(int cause = 1) : CXException(cause) {}
    const char* ClassName() const override { return "CXFileException"; }
    const char* what() const noexcept override { return "CXFileException"; }
    void FillMessages() const override;
    std::unique_ptr<CXException> Clone() const override { return std::make_unique<CXFileException>(*this); }
};
