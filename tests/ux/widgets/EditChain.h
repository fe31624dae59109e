#pragma once

#include "ux/core/UxRuntimeClass.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/widgets/UxEditDocument.h"
#include "ux/widgets/UxEditGlyphAnchor.h"
#include "ux/widgets/UxEditGlyphImage.h"
#include "ux/widgets/UxEditGlyphText.h"
#include "ux/widgets/UxEditHost.h"
#include "ux/widgets/UxEditLine.h"
#include "ux/widgets/UxEditParagraph.h"
#include "ux/widgets/UxTextStyleHandle.h"

#include <set>
#include <string>

// An edit's part as the document sees it: settings, and the pictures registered.
class FakeEditHost : public UxEditHost {
public:
    bool IsPassword() const override { return password; }
    int32_t GetAligns() const override { return aligns; }
    plat::COLORREF GetBackColor() const override { return back; }
    void RegisterAnimated(UxEditGlyphImage* g) override { animated.insert(g); }
    void UnregisterAnimated(UxEditGlyphImage* g) override { animated.erase(g); }

    bool password = false;
    int32_t aligns = 1;
    plat::COLORREF back = 0xFFFFFF;
    std::set<UxEditGlyphImage*> animated;
};

inline UxTextStyle FixedStyle(int32_t height = 16)
{
    UxTextStyle style;
    style.Font.Height = height;
    style.Font.FaceName = L"TestFixed";
    return style;
}

// A chain of glyphs from begin to end anchor, made from a text ('\n' a line break), and
// the document over it. The pools it needs live with it.
class EditChain {
public:
    explicit EditChain(int32_t width, const UxTextStyle& style = FixedStyle())
        : handle(style)
        , document(&host)
    {
        handle.Load();
        begin = Make(0, UxEditGlyphAnchor::Begin);
        end = Make(0, UxEditGlyphAnchor::End);
        UxEditNode::Link(begin, end);
        document.SetWidth(width);
    }
    ~EditChain()
    {
        document.Clear();
        UxEditNode::DeleteRange(begin);
    }

    UxEditGlyph* Make(wchar_t c, int32_t kind = UxEditGlyphAnchor::LineBreak, UxTextStyleHandle* style = nullptr)
    {
        style = style ? style : &handle;
        UxEditGlyph* g = c && c != L'\n' ? static_cast<UxEditGlyph*>(new UxEditGlyphText(&host, style, c))
                                         : new UxEditGlyphAnchor(&host, style, kind);
        g->Measure();
        return g;
    }
    // Links text after glyph; returns the last glyph linked.
    UxEditGlyph* Insert(UxEditGlyph* after, const std::wstring& text, UxTextStyleHandle* style = nullptr)
    {
        UxEditGlyph* next = after->GetNextGlyph();
        for (wchar_t c : text) {
            UxEditGlyph* g = Make(c, UxEditGlyphAnchor::LineBreak, style);
            UxEditNode::Link(after, g);
            after = g;
        }
        UxEditNode::Link(after, next);
        return after;
    }
    void Append(const std::wstring& text) { Insert(end->GetPrevGlyph(), text); }
    void LayOut() { document.Layout(begin, end); }

    // "[" begin, "]" end, "/" a break, "*" a picture; lines joined by "|".
    static std::wstring Shown(const UxEditGlyph* g)
    {
        if (IsKindOf(g, &UxRuntimeClass::EditGlyphText))
            return std::wstring(1, static_cast<const UxEditGlyphText*>(g)->GetCharacter());
        if (IsKindOf(g, &UxRuntimeClass::EditGlyphImage))
            return L"*";
        int32_t kind = static_cast<const UxEditGlyphAnchor*>(g)->GetKind();
        return kind == UxEditGlyphAnchor::Begin ? L"[" : kind == UxEditGlyphAnchor::End ? L"]" : L"/";
    }
    std::wstring Lines() const
    {
        std::wstring out;
        for (UxEditParagraph* p = document.GetFirstParagraph(); p; p = p->GetNextParagraph()) {
            for (UxEditLine* l = p->GetFirstLine(); l; l = l->GetNextLine()) {
                if (!out.empty())
                    out += L"|";
                for (UxEditGlyph* g = l->GetFirstGlyph(); g; g = g->GetNextGlyph()) {
                    out += Shown(g);
                    if (g == l->GetLastGlyph())
                        break;
                }
            }
        }
        return out;
    }

    UxFontPool fonts;
    UxDeviceContextPool surfaces;
    UxDeviceImagePool images;
    FakeEditHost host;
    UxTextStyleHandle handle;
    UxEditDocument document;
    UxEditGlyph* begin;
    UxEditGlyph* end;
};
