#include "ux/net/UxByteBuffer.h"

void UxByteBuffer::Append(const void* data, size_t n)
{
    if (!data || !n)
        return;
    auto* p = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + n);
}

bool UxByteBuffer::Consume(size_t n)
{
    if (n > m_bytes.size())
        return false;
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(n));
    return true;
}
