#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxDeviceImageInfo.h"

#include <cstdint>
#include <memory>
#include <vector>

class UxDeviceContext;
class UxFrameBitmap;
class UxImageSequence;

// A picture ready to draw: one bitmap per frame, a context to select them into and the
// timing of an animation. The animation runs from the moment the frames are made, so
// every user of a shared image shows the same frame.
class UxDeviceImage {
public:
    UxDeviceImage();
    virtual ~UxDeviceImage();
    UxDeviceImage(const UxDeviceImage&) = delete;
    UxDeviceImage& operator=(const UxDeviceImage&) = delete;

    // Decodes the stream or the file (relative to the image folder) and makes the frames.
    bool Load(const UxDeviceImageInfo& info);
    // Takes over a decoded picture and makes its frames by a UxDeviceImageInfo mode.
    bool Load(std::unique_ptr<UxImageSequence> sequence, int32_t mode);
    // Deletes the context, the frame bitmaps and the picture.
    void Release();

    int32_t GetWidth() const;
    int32_t GetHeight() const;
    size_t GetFrameCount() const { return m_frames.size(); }
    uint32_t GetTotalDuration() const { return m_totalMs; }

    // The frame the clock has reached (0 without frames); after the last loop of a
    // finite animation the last frame stays.
    size_t CurrentFrameIndex() const;
    UxFrameBitmap* FrameAt(size_t index) const;

    // Draw the current frame from src (in image pixels) to dest of the given context.
    // False without frames.
    bool Blit(UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, plat::DWORD rop);
    bool TransparentBlt(
        UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, plat::COLORREF key);
    bool AlphaBlend(
        UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, uint8_t alpha);
    bool AlphaBlendPerPixel(UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect);

private:
    bool CreateFrames(int32_t mode);
    // The image's context with the current frame selected; null when there is none.
    UxDeviceContext* SelectCurrentFrame();

    std::unique_ptr<UxImageSequence> m_sequence;
    std::vector<UxFrameBitmap*> m_frames;
    UxDeviceContext* m_dc = nullptr;
    uint32_t m_totalMs = 0;
    uint32_t m_startMs = 0;
};
