#pragma once

#include "ux/graphics/UxImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UxInputStream;

// A decoded picture: its logical size and depth, its frames in order and how often an
// animation repeats (0 = for ever).
class UxImageSequence {
public:
    virtual ~UxImageSequence() = default;

    // Type 4 picks the decoder by the lower-cased extension (".bmp", ".jpg", ".png",
    // ".gif"), else by the first bytes.
    bool LoadImageFile(const std::wstring& path, int32_t type);
    // Type 4 picks the decoder by the first 8 bytes (peeked). True when the decoder
    // succeeded and made at least one frame; the sequence then holds them.
    bool Decode(UxInputStream& stream, int32_t type);

    // Type from a file name's extension (4 when it is none of the four).
    static int32_t TypeFromExtension(const std::wstring& path);
    // Type from a file's first bytes (4 when unknown or shorter than 8 bytes).
    static int32_t TypeFromSignature(const uint8_t* bytes, size_t size);

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    int32_t GetBitsPerPixel() const { return m_bits; }
    int32_t GetLoopCount() const { return m_loopCount; }
    size_t GetFrameCount() const { return m_frames.size(); }
    UxImage* GetFrame(size_t index) { return index < m_frames.size() ? m_frames[index].get() : nullptr; }

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_bits = 0;
    int32_t m_loopCount = 0;
    std::vector<std::unique_ptr<UxImage>> m_frames;
};
