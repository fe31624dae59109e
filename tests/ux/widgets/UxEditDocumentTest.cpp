#include "tests/support/ImageBuilders.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxRuntimeClass.h"
#include "ux/core/UxStream.h"
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
#include "ux/widgets/UxEditRun.h"
#include "ux/widgets/UxTextStyleHandle.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

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

class UxEditDocumentPictures : public ::testing::Test {
protected:
    // A 20 x 24 picture, one frame, or two when animated.
    UxDrawItem Picture(bool animated)
    {
        auto& bytes = animated ? gif : bmp;
        if (bytes.empty()) {
            bmp = testimg::Bmp(20, 24, 24, 0, {}, testimg::Bytes(20 * 24 * 3, 0x40)).Build();
            testimg::Bytes pixels(20 * 24, 1);
            gif = testimg::Gif(20, 24, 4).Control(0, 10, -1).Image(20, 24, pixels, 2).Control(0, 10, -1)
                      .Image(20, 24, pixels, 2).End();
        }
        streams.push_back(std::make_unique<UxMemoryStream>(bytes.data(), uint32_t(bytes.size())));
        UxDrawItem item;
        item.Desc.Image.Stream = streams.back().get();
        item.Text = animated ? L"/wink" : L"/smile";
        return item;
    }
    UxEditGlyphImage* InsertPicture(EditChain& chain, UxEditGlyph* after, bool animated)
    {
        auto* g = new UxEditGlyphImage(&chain.host, &chain.handle);
        EXPECT_TRUE(g->Load(Picture(animated)));
        UxEditNode::Link(g, after->GetNextGlyph());
        UxEditNode::Link(after, g);
        return g;
    }

    testimg::Bytes bmp, gif;
    std::vector<std::unique_ptr<UxMemoryStream>> streams;
};

// TestFixed at 16: every character 8 x 16, anchors 16 high, end and break anchors 2 wide;
// "*" is a 20 x 24 picture.
TEST_F(UxEditDocumentPictures, WrapsAfterTheLastSpaceOrElseBetweenGlyphs)
{
    struct Case {
        std::wstring text;
        int32_t width;
        std::wstring lines;
        int paragraphs;
    } cases[] = {
        { L"abcdefghij", 50, L"[abcdef|ghij]", 1 },
        { L"ab cdefgh", 50, L"[ab |cdefgh]", 1 },
        { L"abcdef gh", 50, L"[abcdef |gh]", 1 }, // the space that overflows stays on its line
        { L"ab cdefghijk", 50, L"[ab |cdefgh|ijk]", 1 }, // a word longer than the line
        { L"안녕하세요 여러분", 40, L"[안녕하세요 |여러분]", 1 },
        { L"과금이 될 수 있습니다.", 80, L"[과금이 될 수 |있습니다.]", 1 },
        { L"ab c*defgh", 60, L"[ab c*|defgh]", 1 }, // a picture is a place to break too
        { L"ab\ncd\n", 100, L"[ab/|cd/|]", 3 },
        { L"abcdef", 48, L"[abcdef|]", 1 }, // the end anchor needs its 2 pixels too
        { L"abc", 5, L"[|a|b|c|]", 1 }, // wider than the paragraph: a line of its own
    };
    for (const Case& c : cases) {
        EditChain chain(c.width);
        for (wchar_t ch : c.text) {
            if (ch == L'*')
                InsertPicture(chain, chain.end->GetPrevGlyph(), false);
            else
                chain.Append(std::wstring(1, ch));
        }
        chain.LayOut();
        EXPECT_EQ(chain.Lines(), c.lines) << c.width;
        int paragraphs = 0;
        for (auto* p = chain.document.GetFirstParagraph(); p; p = p->GetNextParagraph())
            ++paragraphs;
        EXPECT_EQ(paragraphs, c.paragraphs);
        auto count = [&](wchar_t ch) { return int(std::count(c.lines.begin(), c.lines.end(), ch)); };
        EXPECT_EQ(chain.document.GetRect().bottom, 16 * (count(L'|') + 1) + 8 * count(L'*'));
    }
}

TEST(UxEditDocument, RealFontWrapsAfterTheSpaceBeforeTheWordThatNoLongerFits)
{
    UxTextStyle style;
    style.Font.Height = 18;
    EditChain chain(120, style);
    chain.Append(L"안녕하세요 Hello, 반갑습니다. Wrapping mixed 한글 and Latin text");
    chain.LayOut();
    int lines = 0;
    for (auto* p = chain.document.GetFirstParagraph(); p; p = p->GetNextParagraph()) {
        for (UxEditLine* l = p->GetFirstLine(); l; l = l->GetNextLine(), ++lines) {
            EXPECT_GT(l->GetHeight(), 0);
            UxEditLine* next = l->GetNextLine();
            if (!next) {
                EXPECT_LE(l->GetWidth(), 120);
                continue;
            }
            EXPECT_EQ(EditChain::Shown(l->GetLastGlyph()), L" ") << lines;
            EXPECT_LE(l->GetWidth() - l->GetLastGlyph()->GetWidth(), 120) << lines;
            int32_t word = 0;
            for (UxEditGlyph* g = next->GetFirstGlyph(); g != chain.end && EditChain::Shown(g) != L" ";
                 g = g->GetNextGlyph())
                word += g->GetWidth();
            EXPECT_GT(l->GetWidth() + word, 120) << lines;
        }
    }
    EXPECT_GE(lines, 3);
    EXPECT_GT(chain.handle.Measure(L'한').cx, chain.handle.Measure(L'i').cx);
}

// Any edit laid out from the glyph before it to the glyph after it gives the layout a
// fresh document makes of the same text.
TEST(UxEditDocument, IncrementalLayoutMatchesAFreshOne)
{
    EditChain chain(60);
    chain.Append(L"first line\nsecond\n\nthe third paragraph is long");
    chain.LayOut();
    std::mt19937 random(7);
    auto pick = [&](int n) { return int(random() % uint32_t(n)); };
    auto snapshot = [](UxEditDocument& d, UxEditGlyph* g) {
        std::wostringstream out;
        for (; g; g = g->GetNextGlyph()) {
            const plat::RECT& r = g->GetRect();
            out << EditChain::Shown(g) << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ' ';
        }
        out << d.GetRect().bottom;
        return out.str();
    };
    const std::wstring pieces[] = { L"", L"x", L"\n", L"wxyz", L"a\nb", L"\n\n", L"long insertion of text" };
    for (int step = 0; step < 300; ++step) {
        std::vector<UxEditGlyph*> glyphs;
        for (UxEditGlyph* g = chain.begin; g; g = g->GetNextGlyph())
            glyphs.push_back(g);
        int from = pick(int(glyphs.size()) - 1);
        int to = from + 1 + pick(std::min<int>(4, int(glyphs.size()) - 1 - from));
        if (to - from > 1)
            UxEditNode::DeleteRange(glyphs[size_t(from) + 1], glyphs[size_t(to) - 1]);
        chain.Insert(glyphs[size_t(from)], pieces[pick(7)]);
        chain.document.Layout(glyphs[size_t(from)], glyphs[size_t(to)]);
        std::wstring incremental = snapshot(chain.document, chain.begin);
        std::wstring lines = chain.Lines();
        chain.document.Clear();
        chain.LayOut();
        ASSERT_EQ(incremental, snapshot(chain.document, chain.begin)) << step;
        ASSERT_EQ(lines, chain.Lines()) << step;
    }
}

TEST_F(UxEditDocumentPictures, LinesStandOnTheirBottomEdgeAndRunsStopAtPictures)
{
    EditChain chain(200);
    chain.Append(L"abcd");
    UxTextStyle red = FixedStyle();
    red.TextColor = 0x0000FF;
    UxTextStyleHandle other(red);
    other.Load();
    UxEditGlyph* b = chain.begin->GetNextGlyph()->GetNextGlyph();
    InsertPicture(chain, b, false);
    chain.Insert(chain.end->GetPrevGlyph(), L"ef", &other);
    chain.LayOut();
    EXPECT_EQ(chain.Lines(), L"[ab*cdef]");

    UxEditLine* line = chain.document.GetFirstParagraph()->GetFirstLine();
    EXPECT_EQ(line->GetHeight(), 24);
    EXPECT_TRUE(line->HasMixedHeights());
    EXPECT_EQ(b->GetRect().top, 8); // on the bottom edge of the taller line
    EXPECT_EQ(b->GetRect().bottom, 24);
    std::vector<std::wstring> runs;
    for (UxEditNode* r = line->GetFirstRun(); r; r = r->GetNext())
        runs.push_back(static_cast<UxEditRun*>(r)->GetText());
    EXPECT_EQ(runs, (std::vector<std::wstring> { L"ab", L"cd", L"ef" }));
    // Above a glyph shorter than its line, the glyph is still found by its columns.
    EXPECT_EQ(chain.document.HitTest(plat::POINT { 9, 2 }), b);
    chain.document.Clear();
}

TEST(UxEditDocument, LinesAreAlignedAsTheEditSays)
{
    // "[abcd]" is 34 wide in a paragraph of 100.
    for (auto [aligns, left] : { std::pair { 1, 0 }, { 2, 33 }, { 3, 66 }, { 34, 0 } }) {
        EditChain chain(100);
        chain.host.aligns = aligns;
        chain.Append(L"abcd");
        chain.LayOut();
        EXPECT_EQ(chain.document.GetFirstParagraph()->GetFirstLine()->GetRect().left, left) << aligns;
        EXPECT_EQ(chain.begin->GetNextGlyph()->GetRect().left, left) << aligns;
    }
}

TEST_F(UxEditDocumentPictures, OnlyAnimatedPicturesAreRegisteredWhileTheyLive)
{
    EditChain chain(200);
    UxEditGlyphImage* still = InsertPicture(chain, chain.begin, false);
    UxEditGlyphImage* moving = InsertPicture(chain, still, true);
    EXPECT_EQ(chain.host.animated, (std::set<UxEditGlyphImage*> { moving }));
    UxEditNode::DeleteRange(moving, moving);
    EXPECT_TRUE(chain.host.animated.empty());
}

TEST(UxEditDocument, HitTestAfterWrapping)
{
    EditChain chain(50);
    chain.Append(L"abcdefghij\nxy");
    chain.LayOut(); // [abcdef | ghij/ | xy]
    struct Case {
        plat::POINT point;
        const wchar_t* glyph; // null: none
    } cases[] = {
        { { 0, 5 }, L"a" }, { { 7, 15 }, L"a" }, { { 8, 0 }, L"b" }, { { 47, 8 }, L"f" }, { { 49, 8 }, nullptr },
        { { 0, 16 }, L"g" }, { { 33, 20 }, L"/" }, { { 17, 40 }, L"]" }, { { 5, 48 }, nullptr },
        { { -1, 5 }, nullptr },
    };
    for (const Case& c : cases) {
        UxEditGlyph* g = chain.document.HitTest(c.point);
        EXPECT_EQ(g ? EditChain::Shown(g) : L"-", c.glyph ? c.glyph : L"-") << c.point.x << "," << c.point.y;
    }
}

TEST(UxEditDocument, DrawsBandsAndRunsInsideTheClipOnly)
{
    EditChain chain(64);
    chain.host.back = plat::RGB(0, 0, 255);
    chain.Append(L"ab\ncd");
    chain.LayOut();
    auto surface = MakeSurface(80, 40);
    surface->FillRect(plat::RGB(0, 255, 0), {});
    // Document origin at (10, 4); only the first line is in the clip.
    ASSERT_TRUE(chain.document.Draw(*surface, plat::POINT { 10, 4 }, plat::RECT { 0, 0, 64, 16 }));
    EXPECT_EQ(PixelAt(*surface, 10 + 3, 4 + 8), 0u); // ink of "a"
    EXPECT_EQ(PixelAt(*surface, 10 + 40, 4 + 8), plat::RGB(0, 0, 255)); // the band past the text
    EXPECT_EQ(PixelAt(*surface, 10 + 3, 4 + 16 + 8), plat::RGB(0, 255, 0)); // second line: outside
    EXPECT_EQ(PixelAt(*surface, 5, 8), plat::RGB(0, 255, 0)); // left of the document
    EXPECT_EQ(surface->GetFont(), nullptr);
}

TEST(UxEditDocument, PasswordGlyphsAreMeasuredAsBullets)
{
    UxTextStyle style;
    style.Font.Height = 18;
    EditChain chain(200, style);
    chain.host.password = true;
    chain.Append(L"iW");
    chain.LayOut();
    UxEditGlyph* i = chain.begin->GetNextGlyph();
    EXPECT_EQ(i->GetWidth(), i->GetNextGlyph()->GetWidth());
}

} // namespace
