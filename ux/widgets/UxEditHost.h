#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

class UxEditGlyphImage;

// What the glyphs and the document of an edit ask of the edit that owns them.
class UxEditHost {
public:
    virtual ~UxEditHost() = default;

    // Characters are measured and drawn as bullets.
    virtual bool IsPassword() const = 0;
    // 1 left, 2 centre, 3 right; any other value leaves lines where they are.
    virtual int32_t GetAligns() const = 0;
    // Lines are not wrapped: a one-line edit scrolls sideways instead.
    virtual bool IsSingleLine() const { return false; }
    // How far below the document's top a first line of that height stands: a one-line
    // edit keeps its line in the middle of its height, where its guide text shows.
    virtual int32_t GetFirstLineTop(int32_t lineHeight) const
    {
        (void)lineHeight;
        return 0;
    }
    // The current style's back colour, behind every line.
    virtual plat::COLORREF GetBackColor() const = 0;
    // Animated pictures are repainted while they are in the text.
    virtual void RegisterAnimated(UxEditGlyphImage* glyph) = 0;
    virtual void UnregisterAnimated(UxEditGlyphImage* glyph) = 0;
};
