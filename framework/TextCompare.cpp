#include "framework/TextCompare.h"

namespace {
unsigned char Fold(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = Fold(a[i]);
        unsigned char y = Fold(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}
