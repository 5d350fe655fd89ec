#pragma once
// Comparison of names without regard to case (ASCII), as INI sections and keys are compared.
#include <string>

bool EqualsIgnoreCase(const std::string& a, const std::string& b);

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
