#include "ux/core/UxStream.h"

#include <algorithm>
#include <cstring>

bool UxInputStream::Peek(void* buffer, uint32_t count)
{
    bool ok = Read(buffer, count);
    Seek(-static_cast<int64_t>(m_lastCount), 1);
    return ok;
}

void UxMemoryStream::Attach(const void* data, uint32_t size)
{
    m_start = static_cast<const uint8_t*>(data);
    m_size = data ? size : 0;
    m_position = m_start;
}

bool UxMemoryStream::Seek(int64_t offset, int origin)
{
    int64_t target;
    switch (origin) {
    case 0:
        target = offset;
        break;
    case 1:
        target = Tell() + offset;
        break;
    case 2:
        target = static_cast<int64_t>(m_size) + offset;
        break;
    default:
        target = 0;
        break;
    }
    if (target < 0 || target > static_cast<int64_t>(m_size))
        return false;
    m_position = m_start + target;
    return true;
}

bool UxMemoryStream::Read(void* buffer, uint32_t count)
{
    uint32_t n = std::min(count, GetRemaining());
    if (n)
        std::memcpy(buffer, m_position, n);
    m_position += n;
    m_lastCount = n;
    return n == count;
}

bool UxMemoryWriter::Write(const void* data, uint32_t count)
{
    if (count) {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + count);
    }
    m_lastCount = count;
    return true;
}
