#pragma once

#include "platform/event/Message.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

class UxDeviceContext;
class UxEdit;
class UxEditGlyph;

// An edit's selection and the caret drawn at its moving side, the end unless the
// selection was stretched backwards. The selected glyphs are those strictly between start
// and end; with neighbours the selection is empty and the caret stands between them.
// After each change the caret shows in the text colour and fades into the background over
// a second, then starts again.
class UxEditCaret {
public:
    explicit UxEditCaret(UxEdit* owner)
        : m_owner(owner)
    {
    }

    UxEditGlyph* GetStart() const { return m_start; }
    UxEditGlyph* GetEnd() const { return m_end; }
    // The caret moves with the end, at no line's end and with no column to keep.
    void Set(UxEditGlyph* start, UxEditGlyph* end);
    void SetStart(UxEditGlyph* start) { Set(start, m_end); }
    bool HasSelection() const;

    // The caret moves with the start: the selection was stretched backwards.
    void SetMovingStart(bool movingStart) { m_movingStart = movingStart; }
    bool IsMovingStart() const { return m_movingStart; }
    // The glyph the caret stands in front of, and the one at the selection's other side.
    UxEditGlyph* GetCaretGlyph() const;
    UxEditGlyph* GetFixedGlyph() const;
    // Where a line is wrapped, its end and the next line's start are one place in the
    // text; at the line's end the caret shows after the line's last glyph.
    void SetAtLineEnd(bool atLineEnd) { m_atLineEnd = atLineEnd; }
    // At the end of the line above the caret glyph's (only where that line is wrapped).
    bool IsAtLineEnd() const;
    // The column Up and Down keep (document space), -1 when none.
    void SetColumn(int32_t x) { m_column = x; }
    int32_t GetColumn() const { return m_column; }
    // The caret's 2-pixel-wide place in document space.
    plat::RECT GetDocumentRect() const;

    // The caret shows at full strength from now on.
    void Touch();
    // 2 pixels at the left edge of the caret glyph (or the right edge of the line it ends),
    // over its height, in the owner's client space and clipped to it; empty without a
    // selection end.
    plat::RECT GetRect() const;
    // The text colour fading into the back colour; the back colour without focus.
    plat::COLORREF GetColour() const;
    void Invalidate() const;
    // Fills the caret where it meets dest (the owner's surface space).
    void Draw(UxDeviceContext& dc, const plat::RECT& dest) const;

    void SetColour(plat::COLORREF colour) { m_colour = colour; }
    plat::COLORREF GetTextColour() const { return m_colour; }
    uint32_t GetLastChange() const { return m_lastChange; }

private:
    UxEdit* m_owner;
    UxEditGlyph* m_start = nullptr;
    UxEditGlyph* m_end = nullptr;
    bool m_movingStart = false;
    bool m_atLineEnd = false;
    int32_t m_column = -1;
    uint32_t m_lastChange = 0;
    uint32_t m_period = 1000;
    plat::COLORREF m_colour = 0;
};
