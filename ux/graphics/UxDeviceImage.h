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
    // A file is only looked for: it is decoded when first drawn or measured, and may be
    // dropped and decoded again later. A stream (the caller's, and maybe gone by then) is
    // decoded at once, as by Load. False when the file is not there.
    bool Defer(const UxDeviceImageInfo& info);
    // Decodes a deferred file now, unless it is decoded or failed before; whether there
    // are frames to draw.
    bool Realize();
    // Gives the frames of a decoded file back (its size stays known); Realize makes them
    // again. Nothing for a picture that cannot be read again.
    void Drop();
    bool IsRealized() const { return m_dc != nullptr; }
    // Deletes the context, the frame bitmaps and the picture.
    void Release();

    // The picture's size; a deferred file is decoded first when its size is not known.
    int32_t GetWidth();
    int32_t GetHeight();
    size_t GetFrameCount() const { return m_frames.size(); }
    uint32_t GetTotalDuration() const { return m_totalMs; }

    // The pool's count of screen changes when the picture was last drawn.
    uint32_t GetLastUse() const { return m_lastUse; }
    void SetLastUse(uint32_t epoch) { m_lastUse = epoch; }

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
    // Takes the decoded picture and makes its frames; what is known of a deferred file
    // stays.
    bool MakeFrames(std::unique_ptr<UxImageSequence> sequence, int32_t mode);
    bool CreateFrames(int32_t mode);
    // Deletes the context, the frame bitmaps and the picture, and nothing else.
    void FreeFrames();
    // The image's context with the current frame selected; null when there is none.
    UxDeviceContext* SelectCurrentFrame();

    std::unique_ptr<UxImageSequence> m_sequence;
    std::vector<UxFrameBitmap*> m_frames;
    UxDeviceContext* m_dc = nullptr;
    uint32_t m_totalMs = 0;
    uint32_t m_startMs = 0;
    // A deferred file: where to read it again, and what is known of it.
    UxDeviceImageInfo m_deferred;
    bool m_isDeferred = false;
    bool m_failed = false;
    int32_t m_width = 0;
    int32_t m_height = 0;
    uint32_t m_lastUse = 0;
};
