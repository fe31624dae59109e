#pragma once

#include "ux/core/UxRuntimeClass.h"
#include "ux/widgets/UxEditNode.h"

class UxEditHost;
class UxEditLine;
class UxTextStyleHandle;

// One element of an edit's text: a character, a picture or an anchor. The chain of
// glyphs is the text; the line holding a glyph is its parent.
class UxEditGlyph : public UxEditNode {
public:
    UxEditGlyph(UxEditHost* host, UxTextStyleHandle* style)
        : m_host(host)
        , m_style(style)
    {
    }

    virtual const UxRuntimeClass* GetRuntimeClass() const { return &UxRuntimeClass::EditGlyph; }
    // Sets the glyph's width and height from what it shows; false when it cannot.
    virtual bool Measure() { return true; }

    UxEditHost* GetHost() const { return m_host; }
    UxTextStyleHandle* GetStyle() const { return m_style; }
    void SetStyle(UxTextStyleHandle* style) { m_style = style; }
    UxEditLine* GetLine() const;
    UxEditGlyph* GetNextGlyph() const { return static_cast<UxEditGlyph*>(GetNext()); }
    UxEditGlyph* GetPrevGlyph() const { return static_cast<UxEditGlyph*>(GetPrev()); }

protected:
    // A measured size, placed at the origin until layout moves it.
    void SetSize(int32_t width, int32_t height) { m_rect = plat::RECT { 0, 0, width, height }; }

private:
    UxEditHost* m_host;
    UxTextStyleHandle* m_style;
};
