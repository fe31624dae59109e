#pragma once

#include "platform/gdi/GdiTypes.h"
#include "ux/graphics/UxTextStyle.h"

#include <cstdint>
#include <unordered_map>

class UxFont;

// A text style in use by an edit, holding its font from the font pool until it is
// destroyed. Characters are measured once per style.
class UxTextStyleHandle : public UxTextStyle {
public:
    explicit UxTextStyleHandle(const UxTextStyle& style);
    virtual ~UxTextStyleHandle(); // gives the font back
    UxTextStyleHandle(const UxTextStyleHandle&) = delete;
    UxTextStyleHandle& operator=(const UxTextStyleHandle&) = delete;

    // Takes the style's font from the pool; false when it cannot be made.
    bool Load();
    int32_t GetFontHandle() const { return m_font; }
    // The pooled font; null without one.
    UxFont* GetFont() const;

    // The cell of one character in this style's font (0 x 0 without a font).
    plat::SIZE Measure(wchar_t c);
    // The font's cell height.
    int32_t GetCellHeight() { return Measure(L' ').cy; }

private:
    int32_t m_font = -1;
    std::unordered_map<wchar_t, plat::SIZE> m_sizes;
};
