#pragma once

#include "ux/graphics/UxImageDecoder.h"

#include <cstdint>

// GIF87a and GIF89a: every image block becomes one palette frame (1, 4 or 8 bits,
// bottom-up) with its offset, delay, disposal and transparent index; frames are kept as
// stored, not composed. The picture reports the logical screen size, the depth of the
// global colour table and the loop count (0 = for ever).
class UxGifDecoder : public UxImageDecoder {
public:
    bool Decode(UxInputStream& stream) override;

    // Bounds on one picture: frames, and the pixel bytes of all frames together.
    static constexpr size_t kMaxFrames = 1024;

private:
    bool ReadExtension(UxInputStream& stream);
    bool ReadImage(UxInputStream& stream);
    static bool SkipSubBlocks(UxInputStream& stream);
    static int32_t DepthForTable(int32_t entries);

    uint8_t m_globalTable[256 * 3] = {};
    int32_t m_globalEntries = 0;
    bool m_hasGlobalTable = false;
    int32_t m_globalDepth = 0;
    // Graphic control: packed byte, delay (1/100 s), transparent index. Stays in force
    // until the next control extension.
    uint8_t m_controlPacked = 0;
    uint16_t m_controlDelay = 0;
    uint8_t m_controlTransparent = 0;
    uint64_t m_totalBytes = 0;
};
