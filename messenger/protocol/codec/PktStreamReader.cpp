#include "messenger/protocol/codec/PktStreamReader.h"

#include "messenger/protocol/codec/PktNumbers.h"
#include "ux/core/UxText.h"

#include <algorithm>
#include <limits>

bool PktStreamReader::ReadWord(std::wstring& text)
{
    return ReadUntil(m_wordMode == WordModeSpace, true, true, text);
}

bool PktStreamReader::ReadLine(std::wstring& text)
{
    return ReadUntil(false, false, true, text);
}

bool PktStreamReader::ReadToEnd(std::wstring& text)
{
    if (GetRemaining() == 0) {
        text.clear();
        return false;
    }
    std::string bytes(reinterpret_cast<const char*>(m_position), GetRemaining());
    m_position = m_start + m_size;
    text = Convert(bytes);
    return true;
}

bool PktStreamReader::ReadUntil(bool stopAtSpace, bool stopAtTab, bool stopAtLf, std::wstring& text)
{
    const uint8_t* end = m_start + m_size;
    if (m_position >= end) {
        text.clear();
        return false;
    }
    std::string bytes;
    while (m_position < end) {
        uint8_t b = *m_position++;
        if ((b == ' ' && stopAtSpace) || (b == '\t' && stopAtTab) || (b == '\n' && stopAtLf))
            break;
        if (b != '\r')
            bytes += static_cast<char>(b);
    }
    text = Convert(bytes);
    return true;
}

std::wstring PktStreamReader::Convert(const std::string& bytes) const
{
    std::wstring text = FromUtf8(bytes);
    // Most words carry no escape: nothing to decode then.
    return m_decode && bytes.find('%') != std::string::npos ? UrlDecode(text) : text;
}

template <typename T> bool PktStreamReader::ReadNumber(T& value, int64_t minimum, int64_t maximum)
{
    std::wstring word;
    bool ok = ReadWord(word);
    value = static_cast<T>(ParseDecimal(word, minimum, maximum));
    return ok;
}

bool PktStreamReader::ReadInt(int32_t& value)
{
    return ReadNumber(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

bool PktStreamReader::ReadInt16(int16_t& value)
{
    return ReadNumber(value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
}

bool PktStreamReader::ReadUInt16(uint16_t& value)
{
    return ReadNumber(value, 0, std::numeric_limits<uint16_t>::max());
}

bool PktStreamReader::ReadCount(uint32_t& count)
{
    int32_t value = 0;
    bool ok = ReadInt(value);
    count = value < 0 ? 0 : static_cast<uint32_t>(value);
    return ok;
}

bool PktStreamReader::ReadBytes(uint32_t count, std::string& bytes)
{
    uint32_t n = std::min(count, GetRemaining());
    bytes.assign(reinterpret_cast<const char*>(m_position), n);
    m_position += n;
    return n == count;
}
