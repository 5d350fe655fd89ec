#pragma once
// Hears what the profile reader does silently: where it recovered from a syntax error and which
// includes it skipped. The installer passes none; the profile checking tool prints them.
#include <string>

#include "profile/CItoken.h"

class IIniReadObserver {
public:
    enum class SkipReason { cannotOpen, tooDeep, tooMany };

    virtual ~IIniReadObserver() = default;
    // The reader starts over at `token`; what follows up to the next section header is lost.
    // `sectionName` is the section being read then, or null before the first section.
    virtual void OnSyntaxError(const std::string& fileName, const CItoken& token,
                               const std::string* sectionName) = 0;
    virtual void OnIncludeSkipped(const std::string& fileName, int lineNumber,
                                  const std::string& includeName, SkipReason reason) = 0;
};
