#pragma once

// Reading an HTTP response head straight from the received bytes. Every function stays
// inside the given size and looks no further than the end of the head.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class UxHttpHead {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);
    // Lines longer than this end a header search, as mail-style heads allow no more.
    static constexpr size_t kMaxLineLength = 998;

    // Offset of the first "\r\n\r\n" at or after from, or npos.
    static size_t FindEnd(const uint8_t* data, size_t size, size_t from = 0);

    // The value of the index-th (from 0) line named name (any case, followed by ':' or
    // '='), with continuation lines joined and white space trimmed; "" when there is none.
    static std::wstring GetHeader(const uint8_t* data, size_t size, const std::wstring& name, int index);

    // The number after the first word of the first line ("HTTP/1.0 302 Found" -> 302);
    // false when there is none.
    static bool ParseStatus(const uint8_t* data, size_t size, int* status);

    // name=value items of every Set-Cookie line, attributes left out, in arrival order.
    static std::vector<std::pair<std::wstring, std::wstring>> ParseCookies(const uint8_t* data, size_t size);
};
