#pragma once
// The labels of the installation diskettes, by diskette number. Entries 1 to 24 start as
// "Diskette 1" to "Diskette 24"; the manifest may replace them or add others.
#include <string>
#include <vector>

class CDisketteLabels {
public:
    static constexpr int kDefaultCount = 24;
    // Numbers above this are refused: a label key of, say, 4000000000 must not grow the array.
    static constexpr int kHighestNumber = 999;

    // defaultFormat: the printf format of a default label ("Diskette %d").
    explicit CDisketteLabels(const std::string& defaultFormat);

    // false (nothing changed) for a number outside 0..kHighestNumber.
    bool Set(long number, const std::string& label);
    // Throws CInstallProfileException code 3 for a number outside the array.
    const std::string& Get(long number) const;
    size_t Size() const { return labels_.size(); }

private:
    std::vector<std::string> labels_;
};
