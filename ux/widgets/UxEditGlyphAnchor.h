#pragma once

#include "ux/widgets/UxEditGlyph.h"

#include <cstdint>

// The first and last glyph of an edit's chain, and a line break. The caret stands at the
// left edge of a glyph, so the end and break anchors are 2 pixels wide to hold it.
class UxEditGlyphAnchor : public UxEditGlyph {
public:
    enum Kind : int32_t { Begin = 0, End = 1, LineBreak = 2 };

    UxEditGlyphAnchor(UxEditHost* host, UxTextStyleHandle* style, int32_t kind)
        : UxEditGlyph(host, style)
        , m_kind(kind)
    {
    }

    const UxRuntimeClass* GetRuntimeClass() const override { return &UxRuntimeClass::EditGlyphAnchor; }
    // As tall as the style's font size; a size of 0 or less takes the font's cell height,
    // so the caret never shrinks to nothing.
    bool Measure() override;

    int32_t GetKind() const { return m_kind; }

private:
    int32_t m_kind;
};
