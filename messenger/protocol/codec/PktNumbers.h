#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decimal value of a word: leading blanks and one sign allowed, digits up to the first
// other character; out-of-range values saturate; no digits give 0.
int64_t ParseDecimal(std::wstring_view text, int64_t minimum, int64_t maximum);

std::wstring ToWString(uint32_t value);
std::wstring ToWString(int32_t value);

// "2.0" gives 2.0 and "1.0.3" 10.3: the digits form one number and the last "." sets
// how many of them are decimals. Any character other than a digit or ".", and a value
// beyond a float's range, give 0.
float WStringToFloat(const std::wstring& text);
