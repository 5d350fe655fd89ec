#pragma once
// Collects what the profile reader does silently and prints it with the parsed store.
#include <cstdio>
#include <string>
#include <vector>

#include "profile/CIniFile.h"
#include "profile/IIniReadObserver.h"

class CProfileCheckReport : public IIniReadObserver {
public:
    void OnSyntaxError(const std::string& fileName, const CItoken& token,
                       const std::string* sectionName) override;
    void OnIncludeSkipped(const std::string& fileName, int lineNumber, const std::string& includeName,
                          SkipReason reason) override;

    bool HasSyntaxErrors() const { return syntaxErrors > 0; }

    // Sections, keys (with file and line) and values in file order.
    static void PrintStore(std::FILE* out, const CIniFile& store);
    // Every recovery and skipped include, in the order they happened.
    void PrintFindings(std::FILE* out) const;
    // Counts of the store and of the findings.
    void PrintSummary(std::FILE* out, const CIniFile& store) const;

    // A value between double quotes as the installer reads it; a control byte is shown as <0xHH>.
    static std::string Quote(const std::string& text);

private:
    std::vector<std::string> findings;
    int syntaxErrors = 0;
    int skippedIncludes = 0;
};
