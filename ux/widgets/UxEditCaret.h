#pragma once

#include "platform/event/Message.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

class UxDeviceContext;
class UxEdit;
class UxEditGlyph;

// An edit's selection and the caret drawn at its end. The selected glyphs are those
// strictly between start and end; with neighbours the selection is empty and the caret
// stands between them. After each change the caret shows in the text colour and fades
// into the background over a second, then starts again.
class UxEditCaret {
public:
    explicit UxEditCaret(UxEdit* owner)
        : m_owner(owner)
    {
    }

    UxEditGlyph* GetStart() const { return m_start; }
    UxEditGlyph* GetEnd() const { return m_end; }
    void Set(UxEditGlyph* start, UxEditGlyph* end);
    void SetStart(UxEditGlyph* start) { Set(start, m_end); }
    bool HasSelection() const;

    // The caret shows at full strength from now on.
    void Touch();
    // 2 pixels at the left edge of the end glyph, over its height, in the owner's client
    // space and clipped to it; empty without a selection end.
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
    uint32_t m_lastChange = 0;
    uint32_t m_period = 1000;
    plat::COLORREF m_colour = 0;
};
