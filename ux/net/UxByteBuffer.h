#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Growable byte array used as the peer's send queue and receive buffer.
class UxByteBuffer {
public:
    UxByteBuffer() { m_bytes.reserve(4096); }

    void Append(const void* data, size_t n);
    // First byte, or null when empty.
    const uint8_t* Data() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    size_t Size() const { return m_bytes.size(); }
    // Drops n leading bytes; false, dropping nothing, when n exceeds the size.
    bool Consume(size_t n);
    void Clear() { m_bytes.clear(); }

private:
    std::vector<uint8_t> m_bytes;
};
