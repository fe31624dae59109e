#pragma once

#include "ux/widgets/UxEditNode.h"

#include <cstdint>

class UxEditGlyph;
class UxEditParagraph;
class UxEditRun;

// One laid-out line: the glyphs first..last of the chain, and the runs that draw their
// characters. Owns its runs, not its glyphs.
class UxEditLine : public UxEditNode {
public:
    UxEditLine() = default;
    ~UxEditLine() override;

    // Appends the glyph: it becomes a child of the line and widens it.
    void Take(UxEditGlyph* glyph);
    // Ends the line at last, one of its glyphs; those after it are left for the next
    // line. Returns how many were left.
    int32_t CutAfter(UxEditGlyph* last);
    // Places the glyphs from left to right on the line's bottom edge (the line's left,
    // top and the glyph sizes are set) and rebuilds the runs.
    void Arrange(int32_t left, int32_t top);

    UxEditParagraph* GetParagraph() const;
    UxEditLine* GetNextLine() const { return static_cast<UxEditLine*>(GetNext()); }
    UxEditLine* GetPrevLine() const { return static_cast<UxEditLine*>(GetPrev()); }
    UxEditGlyph* GetFirstGlyph() const { return m_firstGlyph; }
    UxEditGlyph* GetLastGlyph() const { return m_lastGlyph; }
    UxEditRun* GetFirstRun() const { return m_firstRun; }
    bool IsEmpty() const { return m_firstGlyph == nullptr; }
    bool EndsWithBreak() const { return m_endsWithBreak != 0; }
    bool HasMixedHeights() const { return m_mixedHeights != 0; }
    // How many glyphs past its last one the line's break was decided on (0 when it ends
    // with a line break or the text): a change among them may move the break.
    void SetLookahead(int32_t count) { m_lookahead = count; }
    // Whether the break was decided on a glyph after at, a glyph after the line; the
    // glyphs up to at are walked, so those must still be alive.
    bool LooksPast(const UxEditGlyph* at) const;
    // Moves the line with its glyphs and runs.
    void Shift(int32_t dx, int32_t dy);

private:
    void DeleteRuns();

    UxEditGlyph* m_firstGlyph = nullptr;
    UxEditGlyph* m_lastGlyph = nullptr;
    UxEditRun* m_firstRun = nullptr;
    UxEditRun* m_lastRun = nullptr;
    int32_t m_lookahead = 0;
    uint8_t m_endsWithBreak = 0;
    uint8_t m_mixedHeights = 0;
};
