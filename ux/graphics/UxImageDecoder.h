#pragma once

#include "ux/graphics/UxImage.h"

#include <cstdint>
#include <memory>
#include <vector>

class UxInputStream;

// Base of the decoders: each Decode appends the frames it made; the decoder owns them
// until a sequence takes them.
class UxImageDecoder {
public:
    virtual ~UxImageDecoder() = default;
    virtual bool Decode(UxInputStream& stream) = 0;

    std::vector<std::unique_ptr<UxImage>>& GetFrames() { return m_frames; }

    // What the picture as a whole reports; 0 sizes mean "take the first frame's".
    int32_t GetLogicalWidth() const { return m_logicalWidth; }
    int32_t GetLogicalHeight() const { return m_logicalHeight; }
    int32_t GetLogicalBits() const { return m_logicalBits; }
    int32_t GetLoopCount() const { return m_loopCount; }

protected:
    std::vector<std::unique_ptr<UxImage>> m_frames;
    int32_t m_logicalWidth = 0;
    int32_t m_logicalHeight = 0;
    int32_t m_logicalBits = 0;
    int32_t m_loopCount = 0;
};
