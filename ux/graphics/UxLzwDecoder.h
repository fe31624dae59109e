#pragma once

#include <cstdint>

class UxImage;
class UxInputStream;

// The variable-length-code decompressor of GIF image data. Writes palette indices into
// a 1, 4 or 8-bit frame (bottom-up rows), placing interlaced rows where they belong;
// indices wider than the frame's depth are masked and pixels past the last row dropped.
class UxLzwDecoder {
public:
    UxLzwDecoder(UxImage& frame, bool interlaced);
    virtual ~UxLzwDecoder() = default;
    UxLzwDecoder(const UxLzwDecoder&) = delete;
    UxLzwDecoder& operator=(const UxLzwDecoder&) = delete;

    // Reads the minimum code size and the data sub-blocks up to the empty one.
    bool Decode(UxInputStream& stream);

    // One data sub-block: its size byte, then that many bytes (size 0 ends a series).
    static bool ReadSubBlock(UxInputStream& stream, uint8_t (&block)[255], uint8_t& size);

private:
    static constexpr int kTableSize = 4096;

    void Reset();
    bool Code(uint32_t code);
    void Put(uint8_t index);

    UxImage& m_frame;
    bool m_interlaced;

    int16_t m_prefix[kTableSize];
    uint8_t m_suffix[kTableSize];
    uint8_t m_first[kTableSize]; // first byte of each code's string
    uint16_t m_length[kTableSize];
    uint8_t m_stack[kTableSize]; // the longest string has one byte per table entry
    int32_t m_minSize = 0;
    int32_t m_codeSize = 0;
    uint32_t m_clear = 0;
    uint32_t m_end = 0;
    uint32_t m_next = 0;
    int32_t m_previous = -1;

    uint8_t m_mask = 0;
    int32_t m_x = 0;
    int32_t m_row = 0; // picture row from the top
    int32_t m_pass = 0;
    bool m_full = false;
};
