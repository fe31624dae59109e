#include "messenger/protocol/codec/PktStreamReader.h"

#include "messenger/protocol/codec/PktNumbers.h"
#include "platform/system/Utf8.h"
#include "ux/core/UxText.h"

#include <algorithm>
#include <cstring>
#include <iterator>
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
    const uint8_t* from = m_position;
    m_position = m_start + m_size;
    Convert(from, m_position, false, text);
    return true;
}

bool PktStreamReader::ReadUntil(bool stopAtSpace, bool stopAtTab, bool stopAtLf, std::wstring& text)
{
    const uint8_t* end = m_start + m_size;
    if (m_position >= end) {
        text.clear();
        return false;
    }
    const uint8_t* from = m_position;
    const uint8_t* stop = from;
    while (stop < end && !((*stop == ' ' && stopAtSpace) || (*stop == '\t' && stopAtTab) || (*stop == '\n' && stopAtLf)))
        ++stop;
    m_position = stop < end ? stop + 1 : end;
    Convert(from, stop, true, text);
    return true;
}

void PktStreamReader::Convert(const uint8_t* from, const uint8_t* to, bool dropCr, std::wstring& text) const
{
    const char* bytes = reinterpret_cast<const char*>(from);
    size_t size = size_t(to - from);
    // A carriage return of the frame is never part of the text, though one its escapes
    // decode to is. It mostly ends a line's last word, which is then only shortened.
    std::string kept;
    if (dropCr) {
        while (size > 0 && bytes[size - 1] == '\r')
            --size;
        if (std::memchr(bytes, '\r', size)) {
            kept.reserve(size);
            std::remove_copy(bytes, bytes + size, std::back_inserter(kept), '\r');
            bytes = kept.data();
            size = kept.size();
        }
    }
    plat::DecodeUtf8(bytes, size, text);
    // Most words carry no escape: nothing to decode then.
    if (m_decode && std::memchr(bytes, '%', size))
        text = UrlDecode(text);
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
