#pragma once
// One value of the setup manifest or the uninstall log: fields separated by "|".
// Field i is the text between the i-th and the (i+1)-th "|"; numbers convert as atoi does.
#include <optional>
#include <string>
#include <vector>

class ManifestValue {
public:
    explicit ManifestValue(const std::string& text);

    // The field's text, or nothing when the value has fewer fields.
    std::optional<std::string> Field(size_t index) const;
    // The field's text, "" when absent.
    std::string Text(size_t index) const;
    // The field as a number; fallback when the field is absent.
    long Number(size_t index, long fallback = 0) const;

    // Decimal conversion in the manner of atoi, saturating instead of wrapping (and 0 for a
    // negative size).
    static long ToNumber(const std::string& text);
    static unsigned long ToUnsigned(const std::string& text);

private:
    std::vector<std::string> fields_;
};
