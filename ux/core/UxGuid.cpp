#include "ux/core/UxGuid.h"

#include "platform/system/Random.h"
#include "ux/core/UxText.h"

#include <cstring>

UxGuid::UxGuid()
{
    if (!plat::GetRandomBytes(m_bytes, sizeof m_bytes)) {
        std::memset(m_bytes, 0, sizeof m_bytes);
        return;
    }
    // The version and variant bits a random GUID carries.
    m_bytes[7] = static_cast<uint8_t>((m_bytes[7] & 0x0F) | 0x40);
    m_bytes[8] = static_cast<uint8_t>((m_bytes[8] & 0x3F) | 0x80);
}

uint32_t UxGuid::Word(int offset) const
{
    return uint32_t(m_bytes[offset]) | uint32_t(m_bytes[offset + 1]) << 8
        | uint32_t(m_bytes[offset + 2]) << 16 | uint32_t(m_bytes[offset + 3]) << 24;
}

std::wstring UxGuid::ToString(int form) const
{
    const uint8_t* b = m_bytes;
    if (form == 0) {
        unsigned data2 = b[4] | b[5] << 8;
        unsigned data3 = b[6] | b[7] << 8;
        return FormatString(L"%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", Word(0), data2, data3, b[8],
            b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    }
    if (form == 1)
        return FormatString(L"%08x%08x%08x%08x", Word(0), Word(4), Word(8), Word(12));
    return std::wstring();
}
