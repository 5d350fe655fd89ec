#include "profile/ManifestValue.h"

#include "transfer/paths/GetNumberField.h"

ManifestValue::ManifestValue(const std::string& text)
{
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        fields_.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
}

std::optional<std::string> ManifestValue::Field(size_t index) const
{
    if (index >= fields_.size())
        return std::nullopt;
    return fields_[index];
}

std::string ManifestValue::Text(size_t index) const
{
    return Field(index).value_or(std::string());
}

long ManifestValue::Number(size_t index, long fallback) const
{
    auto field = Field(index);
    return field ? ToNumber(*field) : fallback;
}

long ManifestValue::ToNumber(const std::string& text)
{
    return DecimalToInt(text.c_str());
}

unsigned long ManifestValue::ToUnsigned(const std::string& text)
{
    return DecimalToUnsigned(text.c_str());
}
