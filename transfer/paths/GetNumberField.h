#pragma once
// Fields of the "|"-separated values of the setup manifest and the uninstall log.
#include <string>

// Decimal conversion in the manner of atoi: leading blanks, an optional sign, then digits up to
// the first non-digit; no digits give 0. Values beyond int saturate at INT_MIN / INT_MAX.
int DecimalToInt(const char* text);
// The same for unsigned 32-bit figures (sizes): saturates at 4294967295; a minus sign gives 0.
unsigned long DecimalToUnsigned(const char* text);

// The text of field index (from 0) of text split at separator: the text between the index-th and
// the next separator. False, with field emptied, when the text has fewer fields.
bool ExtractField(std::string& field, const std::string& text, int index, char separator = '|');

// Field index converted with DecimalToInt; false, with number unchanged, when there is no such field.
bool GetNumberField(int& number, const std::string& text, int index, char separator = '|');
// Field index converted with DecimalToUnsigned; false, with number unchanged, when absent.
bool GetUnsignedField(unsigned long& number, const std::string& text, int index,
                      char separator = '|');
