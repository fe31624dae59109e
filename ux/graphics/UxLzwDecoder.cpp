#include "ux/graphics/UxLzwDecoder.h"

#include "ux/core/UxStream.h"
#include "ux/graphics/UxImage.h"

namespace {

// Interlaced rows come in four passes: every 8th from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
constexpr int32_t kPassStart[4] = { 0, 4, 2, 1 };
constexpr int32_t kPassStep[4] = { 8, 8, 4, 2 };

} // namespace

UxLzwDecoder::UxLzwDecoder(UxImage& frame, bool interlaced)
    : m_frame(frame)
    , m_interlaced(interlaced)
{
    m_mask = static_cast<uint8_t>((1u << frame.GetBitsPerPixel()) - 1);
    m_full = !frame.GetPixels();
}

void UxLzwDecoder::Reset()
{
    m_next = m_clear + 2;
    m_previous = -1;
    m_codeSize = m_minSize + 1;
}

bool UxLzwDecoder::Decode(UxInputStream& stream)
{
    uint8_t minSize;
    if (!stream.Read(&minSize, 1) || minSize < 2 || minSize > 8)
        return false;
    m_minSize = minSize;
    m_clear = 1u << minSize;
    m_end = m_clear + 1;
    for (uint32_t i = 0; i < m_clear; ++i) {
        m_prefix[i] = -1;
        m_suffix[i] = m_first[i] = static_cast<uint8_t>(i);
        m_length[i] = 1;
    }
    Reset();

    // Codes run on across sub-block boundaries; the bits left over wait here.
    uint32_t bits = 0;
    int32_t count = 0;
    bool ended = false;
    uint8_t block[255];
    for (;;) {
        uint8_t size;
        if (!ReadSubBlock(stream, block, size))
            return false;
        if (size == 0)
            return true;
        for (uint32_t i = 0; i < size && !ended; ++i) {
            bits |= static_cast<uint32_t>(block[i]) << count;
            count += 8;
            for (;;) {
                if (m_codeSize < 12 && m_next >= (1u << m_codeSize))
                    ++m_codeSize;
                if (count < m_codeSize)
                    break;
                uint32_t code = bits & ((1u << m_codeSize) - 1);
                bits >>= m_codeSize;
                count -= m_codeSize;
                if (code == m_clear) {
                    Reset();
                } else if (code == m_end) {
                    ended = true; // the rest up to the empty sub-block is skipped
                    break;
                } else if (!Code(code)) {
                    return false;
                }
            }
        }
    }
}

bool UxLzwDecoder::ReadSubBlock(UxInputStream& stream, uint8_t (&block)[255], uint8_t& size)
{
    return stream.Read(&size, 1) && stream.Read(block, size);
}

bool UxLzwDecoder::Code(uint32_t code)
{
    if (code > m_next)
        return false;
    if (code == m_next) {
        // The string not yet in the table: the previous one plus its own first byte.
        if (m_previous < 0 || m_next >= kTableSize)
            return false;
        uint32_t p = static_cast<uint32_t>(m_previous);
        m_prefix[m_next] = static_cast<int16_t>(p);
        m_suffix[m_next] = m_first[p];
        m_first[m_next] = m_first[p];
        m_length[m_next] = static_cast<uint16_t>(m_length[p] + 1);
        ++m_next;
    } else if (m_previous >= 0 && m_next < kTableSize) {
        uint32_t p = static_cast<uint32_t>(m_previous);
        m_prefix[m_next] = static_cast<int16_t>(p);
        m_suffix[m_next] = m_first[code];
        m_first[m_next] = m_first[p];
        m_length[m_next] = static_cast<uint16_t>(m_length[p] + 1);
        ++m_next;
    }
    m_previous = static_cast<int32_t>(code);

    int32_t length = m_length[code];
    int32_t k = static_cast<int32_t>(code);
    for (int32_t i = length - 1; i >= 0; --i) {
        m_stack[i] = m_suffix[k];
        k = m_prefix[k];
    }
    for (int32_t i = 0; i < length && !m_full; ++i)
        Put(m_stack[i]);
    return true;
}

void UxLzwDecoder::Put(uint8_t index)
{
    const int32_t height = m_frame.GetHeight();
    index &= m_mask;
    uint8_t* row = m_frame.GetRow(height - 1 - m_row);
    switch (m_frame.GetBitsPerPixel()) {
    case 1: {
        uint8_t bit = static_cast<uint8_t>(0x80 >> (m_x & 7));
        row[m_x / 8] = static_cast<uint8_t>(index ? row[m_x / 8] | bit : row[m_x / 8] & ~bit);
        break;
    }
    case 4: {
        uint8_t& b = row[m_x / 2];
        b = (m_x & 1) ? static_cast<uint8_t>((b & 0xF0) | index)
                      : static_cast<uint8_t>((b & 0x0F) | index << 4);
        break;
    }
    default:
        row[m_x] = index;
        break;
    }
    if (++m_x < m_frame.GetWidth())
        return;
    m_x = 0;
    if (!m_interlaced) {
        m_full = ++m_row >= height;
        return;
    }
    m_row += kPassStep[m_pass];
    while (m_row >= height && m_pass < 3) {
        ++m_pass;
        m_row = kPassStart[m_pass];
    }
    m_full = m_row >= height;
}
