#include "ux/graphics/UxDeviceImage.h"

#include "ux/core/UxClock.h"
#include "ux/core/UxFileReader.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContext.h"
#include "ux/graphics/UxFrameBitmap.h"
#include "ux/graphics/UxImageSequence.h"

namespace {

constexpr int32_t kDefaultDelayMs = 100;

uint32_t ClockNow()
{
    UxClock* clock = UxClock::GetInstance();
    return clock ? clock->GetElapsed() : 0;
}

} // namespace

UxDeviceImage::UxDeviceImage() = default;

UxDeviceImage::~UxDeviceImage()
{
    Release();
}

namespace {

std::wstring ImagePath(const std::wstring& name)
{
    UxPathResolver* resolver = UxPathResolver::GetInstance();
    return resolver ? resolver->Resolve(0, name) : name;
}

} // namespace

bool UxDeviceImage::Load(const UxDeviceImageInfo& info)
{
    auto sequence = std::make_unique<UxImageSequence>();
    bool decoded;
    if (info.Stream)
        decoded = sequence->Decode(*info.Stream, info.Type);
    else
        decoded = sequence->LoadImageFile(ImagePath(info.FileName), info.Type);
    return decoded && Load(std::move(sequence), info.Mode);
}

bool UxDeviceImage::Load(std::unique_ptr<UxImageSequence> sequence, int32_t mode)
{
    Release();
    return MakeFrames(std::move(sequence), mode);
}

bool UxDeviceImage::MakeFrames(std::unique_ptr<UxImageSequence> sequence, int32_t mode)
{
    m_sequence = std::move(sequence);
    if (!m_sequence)
        return false;
    m_width = m_sequence->GetWidth();
    m_height = m_sequence->GetHeight();
    return CreateFrames(mode);
}

bool UxDeviceImage::Defer(const UxDeviceImageInfo& info)
{
    if (info.Stream)
        return Load(info);
    Release();
    UxFileReader file;
    if (!file.Open(ImagePath(info.FileName))) {
        UxTrace(L"[UX+] %s, Cannot open the image file %s.\n", L"UxDeviceImage::Defer", info.FileName.c_str());
        return false;
    }
    m_deferred = info;
    m_isDeferred = true;
    return true;
}

bool UxDeviceImage::Realize()
{
    if (m_dc || !m_isDeferred || m_failed)
        return m_dc != nullptr;
    auto sequence = std::make_unique<UxImageSequence>();
    // A file that no longer decodes is not tried again at every paint.
    m_failed = !sequence->LoadImageFile(ImagePath(m_deferred.FileName), m_deferred.Type)
        || !MakeFrames(std::move(sequence), m_deferred.Mode);
    if (m_failed) {
        UxTrace(L"[UX+] %s, %s cannot be read.\n", L"UxDeviceImage::Realize", m_deferred.FileName.c_str());
        FreeFrames(); // whatever the failed load left
        m_width = m_height = 0;
    }
    return !m_failed;
}

void UxDeviceImage::Drop()
{
    if (m_isDeferred && m_dc)
        FreeFrames();
}

bool UxDeviceImage::CreateFrames(int32_t mode)
{
    m_dc = new UxDeviceContext;
    if (!m_dc->CreateMemoryDC())
        return false;
    for (size_t i = 0; i < m_sequence->GetFrameCount(); ++i) {
        UxImage* frame = m_sequence->GetFrame(i);
        auto* bitmap = new UxFrameBitmap;
        if (!bitmap->Convert(mode, frame)) {
            delete bitmap;
            return false;
        }
        if (frame->delay <= 0)
            frame->delay = kDefaultDelayMs;
        m_totalMs += uint32_t(frame->delay);
        frame->FreePixels();
        m_frames.push_back(bitmap);
    }
    m_startMs = ClockNow();
    return true;
}

void UxDeviceImage::FreeFrames()
{
    // The context first: a bitmap still selected into it cannot be deleted.
    delete m_dc;
    m_dc = nullptr;
    for (UxFrameBitmap* frame : m_frames)
        delete frame;
    m_frames.clear();
    m_sequence.reset();
    m_totalMs = 0;
    m_startMs = 0;
}

void UxDeviceImage::Release()
{
    FreeFrames();
    m_deferred = UxDeviceImageInfo();
    m_isDeferred = false;
    m_failed = false;
    m_width = m_height = 0;
}

int32_t UxDeviceImage::GetWidth()
{
    if (!m_dc && m_width == 0)
        Realize();
    return m_width;
}

int32_t UxDeviceImage::GetHeight()
{
    if (!m_dc && m_height == 0)
        Realize();
    return m_height;
}

size_t UxDeviceImage::CurrentFrameIndex() const
{
    if (m_frames.size() < 2 || m_totalMs == 0)
        return 0;
    uint32_t elapsed = UxClock::Since(m_startMs, ClockNow());
    uint32_t loops = uint32_t(m_sequence->GetLoopCount());
    if (loops != 0 && elapsed / m_totalMs >= loops)
        return m_frames.size() - 1;
    uint32_t t = elapsed % m_totalMs;
    uint32_t sum = 0;
    for (size_t i = 0; i < m_frames.size(); ++i) {
        sum += uint32_t(m_frames[i]->GetFrame()->delay);
        if (sum > t)
            return i;
    }
    return m_frames.size() - 1;
}

UxFrameBitmap* UxDeviceImage::FrameAt(size_t index) const
{
    return index < m_frames.size() ? m_frames[index] : nullptr;
}

UxDeviceContext* UxDeviceImage::SelectCurrentFrame()
{
    if (!Realize())
        return nullptr;
    UxFrameBitmap* frame = FrameAt(CurrentFrameIndex());
    if (!frame || !m_dc || !m_dc->GetHandle())
        return nullptr;
    m_dc->SelectBitmap(&frame->GetBitmap(), UxDeviceContext::Borrowed);
    if (plat::GetCurrentBitmap(m_dc->GetHandle()) != frame->GetBitmap().GetHandle())
        return nullptr;
    return m_dc;
}

bool UxDeviceImage::Blit(
    UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, plat::DWORD rop)
{
    UxDeviceContext* source = SelectCurrentFrame();
    return source && dest.Blit(*source, destRect, srcRect, rop);
}

bool UxDeviceImage::TransparentBlt(
    UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, plat::COLORREF key)
{
    UxDeviceContext* source = SelectCurrentFrame();
    return source && dest.TransparentBlt(*source, destRect, srcRect, key);
}

bool UxDeviceImage::AlphaBlend(
    UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect, uint8_t alpha)
{
    UxDeviceContext* source = SelectCurrentFrame();
    return source && dest.AlphaBlend(*source, destRect, srcRect, alpha);
}

bool UxDeviceImage::AlphaBlendPerPixel(
    UxDeviceContext& dest, const plat::RECT& destRect, const plat::RECT& srcRect)
{
    UxDeviceContext* source = SelectCurrentFrame();
    return source && dest.AlphaBlendPerPixel(*source, destRect, srcRect);
}
