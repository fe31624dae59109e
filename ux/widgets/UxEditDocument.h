#pragma once

#include "ux/widgets/UxEditNode.h"

#include <cstdint>

class UxEditGlyph;
class UxEditHost;
class UxEditLine;
class UxEditParagraph;

// Lays an edit's chain of glyphs out into paragraphs, lines and runs: a line that
// overflows the document's width ends after its last space (a space that overflows stays
// at the end of the line it follows), or next to a picture or an anchor, or else between
// any two glyphs (except in a one-line edit, whose lines run on past the width); a line
// break ends a paragraph, lines are aligned as the edit says and glyphs stand on their
// line's bottom edge; the first line stands as far down as the edit asks. Owns the paragraphs (which own
// lines, which own runs), never the glyphs.
class UxEditDocument : public UxEditNode {
public:
    explicit UxEditDocument(UxEditHost* host)
        : m_host(host)
    {
    }
    ~UxEditDocument() override;

    // Forgets the layout; every glyph that was laid out is left without a line.
    void Clear();
    // Lays out again after the glyphs between from and to (both laid out before, or
    // from the start of the chain) changed. Without a layout yet, the whole chain of
    // from is laid out. Returns the first line laid out anew (null when none was): lines
    // above it are as they were.
    UxEditLine* Layout(UxEditGlyph* from, UxEditGlyph* to);
    bool Draw(UxDeviceContext& dc, const plat::POINT& origin, const plat::RECT& clip) override;
    // The glyph whose columns hold the point (document space) on the line whose band
    // holds it; null when there is none.
    UxEditGlyph* HitTest(const plat::POINT& point) const;

    void SetWidth(int32_t width) { m_rect.right = m_rect.left + width; }
    // The width, or more where a line that is not wrapped runs past it.
    int32_t GetExtent() const;
    UxEditParagraph* GetFirstParagraph() const { return m_first; }
    UxEditParagraph* GetLastParagraph() const { return m_last; }

private:
    UxEditParagraph* InsertParagraphAfter(UxEditParagraph* after);
    // Deletes after's successors up to and including last (to the end when null).
    void DeleteParagraphsAfter(UxEditParagraph* after, UxEditParagraph* last);
    // Fills lines from glyph on into para and the paragraphs it opens, until the chain
    // ends or, once to is placed, a paragraph ends in front of next (which becomes null
    // when the chain ends first). Returns the first line made.
    UxEditLine* Fill(UxEditParagraph* para, UxEditGlyph* glyph, UxEditGlyph* to, UxEditParagraph*& next);
    // Places para's lines from line on (and the paragraphs after it up to next), then
    // moves the paragraphs from next on under them.
    void Reposition(UxEditParagraph* para, UxEditLine* line, UxEditParagraph* next);
    int32_t AlignedLeft(const UxEditLine* line, int32_t width) const;
    int32_t FirstTop() const;

    UxEditHost* m_host;
    UxEditParagraph* m_first = nullptr;
    UxEditParagraph* m_last = nullptr;
};
