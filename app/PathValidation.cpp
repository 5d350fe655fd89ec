#include "app/PathValidation.h"

PathVerdict ValidateDirectoryText(const std::string& text)
{
    size_t bad = text.find_first_of("/*?\"<>|");
    if (bad != std::string::npos)
        return {PathVerdict::forbiddenCharacter, text[bad]};
    size_t lastColon = text.rfind(':');
    if (lastColon != std::string::npos && lastColon > 1)
        return {PathVerdict::misplacedColon, 0};
    if (lastColon == std::string::npos)
        return {PathVerdict::driveMissing, 0};
    if (text.find('\\') != 2)
        return {PathVerdict::driveMissing, 0};
    return {};
}
