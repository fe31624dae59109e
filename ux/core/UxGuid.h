#pragma once

#include <cstdint>
#include <string>

// A random GUID. The 16 bytes are read as four little-endian 32-bit words (form 1) or
// as the usual fields {32-bit, 16-bit, 16-bit, 8 bytes} (form 0).
class UxGuid {
public:
    // A new random GUID (version 4); all zero if the random source fails.
    UxGuid();

    // Form 0 "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", form 1 32 hex digits; "" otherwise.
    std::wstring ToString(int form) const;

    const uint8_t* GetBytes() const { return m_bytes; }

private:
    uint32_t Word(int offset) const;

    uint8_t m_bytes[16] = {};
};
