#pragma once

#include <cstdint>
#include <string>

// Local wall-clock time as seven 16-bit fields; no time zone.
class UxDateTime {
public:
    uint16_t Year = 0;
    uint16_t Month = 0; // 1-12
    uint16_t Day = 0;
    uint16_t Hour = 0;
    uint16_t Minute = 0;
    uint16_t Second = 0;
    uint16_t Millisecond = 0;

    // Fills the fields from the system clock.
    void Now();

    // Letters y M d h m s z stand for the fields. When a letter occurs n times in all,
    // a run of exactly n copies becomes the field, zero-padded to n digits (its last n
    // digits when longer); a letter split over two runs stays as it is.
    std::wstring Format(const std::wstring& pattern) const;

    // Reads the fields at the fixed positions of one of the patterns "yyyyMMdd",
    // "yyyy-MM-dd", "yyyyMMddhhmmss", "yyyy-MM-dd hh:mm:ss" and
    // "DAY, dd-MMM-yyyy hh:mm:ss GMT". Every field is 0 first; a piece beyond the end of
    // the text stays 0, and a piece cut by the end is read from what there is.
    void Parse(const std::wstring& text, const std::wstring& pattern);
};
