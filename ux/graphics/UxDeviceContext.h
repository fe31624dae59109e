#pragma once

#include "platform/gdi/Gdi.h"
#include "ux/graphics/UxBlitInfo.h"

#include <cstdint>
#include <string>
#include <vector>

class UxDeviceBitmap;
class UxFont;

// The toolkit's drawing object: one device context with the bitmap and font selected
// into it, the blit description used when it is composed onto the screen, and the text
// colours. Selections made through it are undone when they are replaced or released.
class UxDeviceContext {
public:
    // What Release does with the handle.
    enum ReleaseKind : int32_t {
        KeepHandle = 0, // someone else's context (the paint context)
        ReleaseScreen = 1, // a screen context from GetDC
        DeleteHandle = 2, // a memory context made here
    };
    // Selection ownership: the context deletes an owned object when it lets go of it.
    enum Ownership : int32_t { Borrowed = 0, Owned = 1, OwnedCreated = 2 };

    UxDeviceContext() = default;
    UxDeviceContext(plat::HDC handle, int32_t releaseKind);
    virtual ~UxDeviceContext();
    UxDeviceContext(const UxDeviceContext&) = delete;
    UxDeviceContext& operator=(const UxDeviceContext&) = delete;

    // A memory context compatible with the screen; releases what was held first.
    bool CreateMemoryDC();
    // Puts back what the selections replaced, deletes owned selections, lets go of the
    // handle by its release kind. Safe to call again.
    void Release();

    // Replace the selected font or bitmap (null only releases). Always 1.
    int SelectFont(UxFont* font, int32_t owned);
    int SelectBitmap(UxDeviceBitmap* bitmap, int32_t owned);

    // Size of the selected bitmap; 0 without one.
    int GetWidth() const;
    int GetHeight() const;

    void SetBackMode(int32_t transparent);
    void SetBackColor(plat::COLORREF colour);
    void SetTextColor(plat::COLORREF colour);

    // Fills rect (the whole selected bitmap when it has no width or no height) without
    // changing the remembered back colour. Always 1.
    int FillRect(plat::COLORREF colour, const plat::RECT& rect);

    // Draw source's bitmap into this context. A side of 0 in a rect takes the source
    // bitmap's size on that side; sizes that differ stretch.
    bool Blit(UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, plat::DWORD rop);
    bool TransparentBlt(
        UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, plat::COLORREF key);
    bool AlphaBlend(UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, uint8_t alpha);
    bool AlphaBlendPerPixel(UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src);

    plat::SIZE GetTextExtent(const std::wstring& text);
    // Text with its cell's top-left at the point, clipped; an opaque context fills clip
    // with the back colour first.
    bool TextOut(const std::wstring& text, plat::POINT at, const plat::RECT& clip);
    // Text placed in rect by the UxTextFormat bits, shortened with "..." when asked.
    bool DrawText(const std::wstring& text, const plat::RECT& rect, const plat::RECT& clip, int32_t formats);

    plat::HDC GetHandle() const { return m_handle; }
    int32_t GetReleaseKind() const { return m_releaseKind; }
    UxBlitInfo& GetBlitInfo() { return m_blitInfo; }
    const UxBlitInfo& GetBlitInfo() const { return m_blitInfo; }
    UxFont* GetFont() const { return m_font; }
    UxDeviceBitmap* GetBitmap() const { return m_bitmap; }
    int32_t GetBackMode() const { return m_transparent; }
    plat::COLORREF GetBackColor() const { return m_backColor; }
    plat::COLORREF GetTextColor() const { return m_textColor; }

    // Every drawing call into a context is numbered (one count for all contexts) and its
    // area kept for a while, so a window that reuses its earlier picture can tell what
    // others drew over it since. The number of the latest drawing call anywhere:
    static uint64_t GetWriteSerial() { return s_writeSerial; }
    // The union of what this context drew after serial (empty when nothing); false when
    // that is no longer known (too long ago, or the bitmap was replaced since).
    bool GetWrittenSince(uint64_t serial, plat::RECT& area) const;

protected:
    // Takes over a handle (after releasing what was held).
    void Attach(plat::HDC handle, int32_t releaseKind);

private:
    void ReleaseFont();
    void ReleaseBitmap();
    // Source and destination sizes of the blit family.
    void Measure(UxDeviceContext& source, const plat::RECT& dest, const plat::RECT& src, plat::SIZE& destSize,
        plat::SIZE& srcSize) const;
    void NoteWrite(const plat::RECT& area);
    void NoteWrite(const plat::RECT& dest, const plat::SIZE& size);

    struct Write {
        uint64_t serial = 0;
        plat::RECT area;
    };
    static constexpr size_t kWriteLog = 32;
    static inline uint64_t s_writeSerial = 0; // UI thread only, like all drawing

    plat::HDC m_handle = nullptr;
    int32_t m_releaseKind = KeepHandle;
    UxBlitInfo m_blitInfo;
    UxFont* m_font = nullptr;
    int32_t m_fontOwned = Borrowed;
    UxDeviceBitmap* m_bitmap = nullptr;
    int32_t m_bitmapOwned = Borrowed;
    plat::HGDIOBJ m_previousFont = nullptr;
    plat::HGDIOBJ m_previousBitmap = nullptr;
    int32_t m_transparent = 0;
    plat::COLORREF m_backColor = 0xFFFFFF;
    plat::COLORREF m_textColor = 0;
    std::vector<Write> m_writes; // a ring once full
    size_t m_nextWrite = 0;
    uint64_t m_evicted = 0; // the newest serial that fell out of the ring
    uint64_t m_born = 0; // the serial at which the selected bitmap came
};
