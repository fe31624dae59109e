#include "messenger/protocol/codec/PktNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

int64_t ParseDecimal(std::wstring_view text, int64_t minimum, int64_t maximum)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    // Accumulate toward the sign's limit so that the extreme values stay exact.
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        int digit = text[i] - L'0';
        if (negative) {
            if (value < (minimum + digit) / 10)
                return minimum;
            value = value * 10 - digit;
            if (value < minimum)
                return minimum;
        } else {
            if (value > (maximum - digit) / 10)
                return maximum;
            value = value * 10 + digit;
            if (value > maximum)
                return maximum;
        }
    }
    return value;
}

std::wstring ToWString(uint32_t value)
{
    return std::to_wstring(value);
}

std::wstring ToWString(int32_t value)
{
    return std::to_wstring(value);
}

float WStringToFloat(const std::wstring& text)
{
    std::string digits;
    size_t decimals = 0;
    bool seenPoint = false;
    for (wchar_t c : text) {
        if (c == L'.') {
            seenPoint = true;
            decimals = 0;
        } else if (c >= L'0' && c <= L'9') {
            digits += static_cast<char>(c);
            ++decimals;
        } else {
            return 0.0f;
        }
    }
    if (digits.empty())
        return 0.0f;
    if (!seenPoint)
        decimals = 0;
    // Let the library round the decimal text once instead of dividing by a power of ten.
    std::string number
        = digits.substr(0, digits.size() - decimals) + "." + digits.substr(digits.size() - decimals);
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error != std::errc() || !(value <= std::numeric_limits<float>::max()))
        return 0.0f;
    return static_cast<float>(value);
}
