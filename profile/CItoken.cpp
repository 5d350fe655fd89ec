#include "profile/CItoken.h"

const std::string& CItoken::Line() const
{
    static const std::string empty;
    return line ? *line : empty;
}

bool CItoken::SetLine(std::string value)
{
    line = std::make_shared<const std::string>(std::move(value));
    return true;
}

std::string CItoken::Dump() const
{
    if (kind == kTokenEndOfFile)
        return "end of file";
    if (kind == kTokenSpecial && text.size() == 1) {
        switch (text[0]) {
        case '\n': return "end of line";
        case '\r': return "carriage return";
        case '\t': return "tab";
        case '\v': return "vertical tab";
        case '\f': return "form feed";
        case ' ': return "space";
        default: break;
        }
    }
    return "'" + text + "'";
}
