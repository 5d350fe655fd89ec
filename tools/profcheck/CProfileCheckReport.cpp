#include "CProfileCheckReport.h"

#include "framework/FormatText.h"

void CProfileCheckReport::OnSyntaxError(const std::string& fileName, const CItoken& token,
                                        const std::string* sectionName)
{
    ++syntaxErrors;
    std::string where = sectionName ? "section [" + *sectionName + "]" : "the top of the file";
    findings.push_back(fileName + ":" + std::to_string(token.LineNumber()) + ": syntax error at " +
                       token.Dump() + "; the rest of " + where + " is lost, up to the next section header");
}

void CProfileCheckReport::OnIncludeSkipped(const std::string& fileName, int lineNumber,
                                           const std::string& includeName, SkipReason reason)
{
    ++skippedIncludes;
    const char* why = reason == SkipReason::tooDeep ? "includes nest too deep (a cycle?)"
                      : reason == SkipReason::tooMany ? "too many includes in one profile"
                                                      : "the file cannot be opened";
    findings.push_back(fileName + ":" + std::to_string(lineNumber) + ": include " + Quote(includeName) +
                       " skipped: " + why);
}

std::string CProfileCheckReport::Quote(const std::string& text)
{
    // Backslashes and quotes stay as they are, so that a Windows path reads as the installer will
    // use it; only bytes that no one can type into a value are spelt out.
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c < 32 || c == 127)
            quoted += FormatText("<0x%02X>", c);
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "\"";
}

void CProfileCheckReport::PrintStore(std::FILE* out, const CIniFile& store)
{
    for (const CIniSection& section : store.Sections()) {
        std::fprintf(out, "[%s]\n", section.Name().c_str());
        for (const CIniKey& key : section.Keys()) {
            std::string values;
            for (const std::string& value : key.Values())
                values += (values.empty() ? "" : ", ") + Quote(value);
            std::fprintf(out, "  %s:%d: %s = %s\n", key.FileName().c_str(), key.LineNumber(),
                         key.Name().c_str(), values.empty() ? "(no value)" : values.c_str());
        }
    }
}

void CProfileCheckReport::PrintFindings(std::FILE* out) const
{
    for (const std::string& finding : findings)
        std::fprintf(out, "%s\n", finding.c_str());
}

void CProfileCheckReport::PrintSummary(std::FILE* out, const CIniFile& store) const
{
    size_t keys = 0, values = 0;
    for (const CIniSection& section : store.Sections()) {
        keys += section.Keys().size();
        for (const CIniKey& key : section.Keys())
            values += key.Values().size();
    }
    // Counts as unsigned long: the C library of older Windows versions knows no %zu.
    std::fprintf(out, "%lu sections, %lu keys, %lu values; %d syntax errors, %d includes skipped\n",
                 static_cast<unsigned long>(store.Sections().size()), static_cast<unsigned long>(keys),
                 static_cast<unsigned long>(values), syntaxErrors, skippedIncludes);
}
