#include "ux/graphics/UxDeviceContext.h"

#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceBitmap.h"
#include "ux/graphics/UxFont.h"
#include "ux/graphics/UxTextFormats.h"

#include <algorithm>
#include <climits>

UxDeviceContext::UxDeviceContext(plat::HDC handle, int32_t releaseKind)
    : m_handle(handle)
    , m_releaseKind(releaseKind)
{
}

UxDeviceContext::~UxDeviceContext()
{
    Release();
}

bool UxDeviceContext::CreateMemoryDC()
{
    Release();
    plat::HDC screen = plat::GetDC(nullptr);
    plat::HDC memory = plat::CreateCompatibleDC(screen);
    plat::ReleaseDC(nullptr, screen);
    if (!memory)
        return false;
    m_handle = memory;
    m_releaseKind = DeleteHandle;
    return true;
}

void UxDeviceContext::Attach(plat::HDC handle, int32_t releaseKind)
{
    Release();
    m_handle = handle;
    m_releaseKind = releaseKind;
}

void UxDeviceContext::Release()
{
    ReleaseFont();
    ReleaseBitmap();
    if (m_handle) {
        if (m_releaseKind == ReleaseScreen)
            plat::ReleaseDC(nullptr, m_handle);
        else if (m_releaseKind == DeleteHandle)
            plat::DeleteDC(m_handle);
        m_handle = nullptr;
    }
}

namespace {

// One selection slot (font or bitmap): what is selected, whether the context owns it, and
// the object it replaced in the handle.
template <typename T> void ReleaseSlot(plat::HDC handle, T*& object, int32_t& owned, plat::HGDIOBJ& previous)
{
    if (previous) {
        plat::SelectObject(handle, previous);
        previous = nullptr;
    }
    if (object && owned)
        delete object;
    object = nullptr;
    owned = UxDeviceContext::Borrowed;
}

template <typename T>
void SelectSlot(
    plat::HDC handle, T*& object, int32_t& owned, plat::HGDIOBJ& previous, T* selected, int32_t own)
{
    if (selected && selected == object) {
        // Selecting the selected object again must not delete it on the way.
        owned = own;
        return;
    }
    ReleaseSlot(handle, object, owned, previous);
    if (!selected)
        return;
    object = selected;
    owned = own;
    if (handle && selected->GetHandle())
        previous = plat::SelectObject(handle, selected->GetHandle());
}

} // namespace

void UxDeviceContext::ReleaseFont()
{
    ReleaseSlot(m_handle, m_font, m_fontOwned, m_previousFont);
}

void UxDeviceContext::ReleaseBitmap()
{
    ReleaseSlot(m_handle, m_bitmap, m_bitmapOwned, m_previousBitmap);
}

int UxDeviceContext::SelectFont(UxFont* font, int32_t owned)
{
    SelectSlot(m_handle, m_font, m_fontOwned, m_previousFont, font, owned);
    return 1;
}

int UxDeviceContext::SelectBitmap(UxDeviceBitmap* bitmap, int32_t owned)
{
    SelectSlot(m_handle, m_bitmap, m_bitmapOwned, m_previousBitmap, bitmap, owned);
    m_born = ++s_writeSerial; // other pixels altogether: nothing from before holds
    return 1;
}

void UxDeviceContext::NoteWrite(const plat::RECT& area)
{
    Write write { ++s_writeSerial, area };
    if (m_writes.size() < kWriteLog) {
        m_writes.push_back(write);
        return;
    }
    Write& slot = m_writes[m_nextWrite];
    m_nextWrite = (m_nextWrite + 1) % kWriteLog;
    m_evicted = std::max(m_evicted, slot.serial);
    slot = write;
}

void UxDeviceContext::NoteWrite(const plat::RECT& dest, const plat::SIZE& size)
{
    int32_t x2 = dest.left + size.cx;
    int32_t y2 = dest.top + size.cy;
    NoteWrite(plat::RECT { std::min(dest.left, x2), std::min(dest.top, y2), std::max(dest.left, x2),
        std::max(dest.top, y2) });
}

bool UxDeviceContext::GetWrittenSince(uint64_t serial, plat::RECT& area) const
{
    area = {};
    if (serial < m_born || serial > s_writeSerial || m_evicted > serial)
        return false; // another picture since, or writes that fell out of the log
    bool any = false;
    for (const Write& write : m_writes) {
        if (write.serial <= serial)
            continue;
        if (any)
            UnionRect(area, write.area);
        else
            area = write.area;
        any = true;
    }
    return true;
}

int UxDeviceContext::GetWidth() const
{
    return m_bitmap ? m_bitmap->GetFormat().Width : 0;
}

int UxDeviceContext::GetHeight() const
{
    return m_bitmap ? m_bitmap->GetFormat().Height : 0;
}

void UxDeviceContext::SetBackMode(int32_t transparent)
{
    m_transparent = transparent;
    plat::SetBkMode(m_handle, transparent ? plat::TRANSPARENT : plat::OPAQUE);
}

void UxDeviceContext::SetBackColor(plat::COLORREF colour)
{
    m_backColor = colour;
    plat::SetBkColor(m_handle, colour);
}

void UxDeviceContext::SetTextColor(plat::COLORREF colour)
{
    m_textColor = colour;
    plat::SetTextColor(m_handle, colour);
}

int UxDeviceContext::FillRect(plat::COLORREF colour, const plat::RECT& rect)
{
    plat::RECT area = rect;
    if (rect.right == rect.left || rect.bottom == rect.top)
        area = plat::RECT { 0, 0, GetWidth(), GetHeight() };
    plat::SetBkColor(m_handle, colour);
    NoteWrite(area);
    plat::ExtTextOutW(m_handle, 0, 0, plat::ETO_OPAQUE | plat::ETO_CLIPPED, &area, nullptr, 0, nullptr);
    plat::SetBkColor(m_handle, m_backColor); // opaque text keeps the remembered back colour
    return 1;
}

void UxDeviceContext::Measure(UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src,
    plat::SIZE& destSize, plat::SIZE& srcSize) const
{
    auto side = [](int32_t low, int32_t high, int fallback) {
        int64_t d = int64_t(high) - low;
        return d == 0 ? fallback : int(std::clamp<int64_t>(d, INT32_MIN, INT32_MAX));
    };
    srcSize = { side(src.left, src.right, source.GetWidth()), side(src.top, src.bottom, source.GetHeight()) };
    destSize
        = { side(dest.left, dest.right, source.GetWidth()), side(dest.top, dest.bottom, source.GetHeight()) };
}

bool UxDeviceContext::Blit(
    UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, plat::DWORD rop)
{
    plat::SIZE d, s;
    Measure(source, dest, src, d, s);
    NoteWrite(dest, d);
    if (d.cx == s.cx && d.cy == s.cy)
        return plat::BitBlt(
            m_handle, dest.left, dest.top, d.cx, d.cy, source.m_handle, src.left, src.top, rop);
    return plat::StretchBlt(
        m_handle, dest.left, dest.top, d.cx, d.cy, source.m_handle, src.left, src.top, s.cx, s.cy, rop);
}

bool UxDeviceContext::TransparentBlt(
    UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, plat::COLORREF key)
{
    plat::SIZE d, s;
    Measure(source, dest, src, d, s);
    NoteWrite(dest, d);
    return plat::TransparentImage(
        m_handle, dest.left, dest.top, d.cx, d.cy, source.m_handle, src.left, src.top, s.cx, s.cy, key);
}

bool UxDeviceContext::AlphaBlend(
    UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, uint8_t alpha)
{
    plat::SIZE d, s;
    Measure(source, dest, src, d, s);
    NoteWrite(dest, d);
    plat::BLENDFUNCTION blend { plat::AC_SRC_OVER, 0, alpha, 0 };
    return plat::AlphaBlend(
        m_handle, dest.left, dest.top, d.cx, d.cy, source.m_handle, src.left, src.top, s.cx, s.cy, blend);
}

bool UxDeviceContext::AlphaBlendPerPixel(
    UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src)
{
    plat::SIZE d, s;
    Measure(source, dest, src, d, s);
    NoteWrite(dest, d);
    plat::BLENDFUNCTION blend { plat::AC_SRC_OVER, 0, 255, plat::AC_SRC_ALPHA };
    return plat::AlphaBlend(
        m_handle, dest.left, dest.top, d.cx, d.cy, source.m_handle, src.left, src.top, s.cx, s.cy, blend);
}

plat::SIZE UxDeviceContext::GetTextExtent(const std::wstring& text)
{
    plat::SIZE size;
    plat::GetTextExtentExPointW(m_handle, text.c_str(), int(text.size()), 0, nullptr, nullptr, &size);
    return size;
}

bool UxDeviceContext::TextOut(const std::wstring& text, plat::POINT at, const plat::RECT& clip)
{
    uint32_t options = m_transparent ? plat::ETO_CLIPPED : (plat::ETO_OPAQUE | plat::ETO_CLIPPED);
    NoteWrite(clip);
    return plat::ExtTextOutW(
        m_handle, at.x, at.y, options, &clip, text.c_str(), uint32_t(text.size()), nullptr);
}

bool UxDeviceContext::DrawText(
    const std::wstring& text, const plat::RECT& rect, const plat::RECT& clip, int32_t formats)
{
    const int width = rect.right - rect.left;
    auto place = [&](int cx) {
        if (formats & UxTextHCenter)
            return rect.left + (width - cx) / 2;
        if (formats & UxTextRight)
            return rect.right - cx;
        return rect.left;
    };
    plat::SIZE full = GetTextExtent(text);
    plat::SIZE drawnSize = full;
    int y = rect.top;
    if (formats & UxTextVCenter)
        y = rect.top + (rect.bottom - rect.top - full.cy) / 2;
    else if (formats & UxTextBottom)
        y = rect.bottom - full.cy;

    std::wstring drawn = text;
    if (formats & UxTextEndEllipsis) {
        int fit = 0;
        plat::GetTextExtentExPointW(m_handle, text.c_str(), int(text.size()), width, &fit, nullptr, nullptr);
        if (full.cx > width && fit > 0) {
            for (int i = fit - 1; i >= 0; --i) {
                drawn.assign(text, 0, size_t(i));
                drawn.append(L"...");
                drawnSize = GetTextExtent(drawn);
                if (drawnSize.cx < width)
                    break;
            }
        }
    }
    // Placed by the width of what is drawn, so a shortened text keeps its start in view.
    return TextOut(drawn, plat::POINT { place(drawnSize.cx), y }, clip);
}
