#include "platform/gdi/Gdi.h"
#include "tests/support/GdiCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

using namespace plat;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HFONT MakeFont(const wchar_t* face, int height, int weight = 0, bool italic = false, bool underline = false,
    bool strike = false)
{
    LOGFONTW lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strike;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// A canvas with a font selected; black text on white, transparent background.
struct TextCanvas : GdiCanvas {
    TextCanvas(int w, int h, HFONT f)
        : GdiCanvas(w, h)
        , font(f)
    {
        Fill(kWhite);
        previousFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas()
    {
        SelectObject(dc, previousFont);
        DeleteObject(font);
    }
    bool Out(int x, int y, const std::wstring& text, uint32_t options = 0, const RECT* rect = nullptr)
    {
        return ExtTextOutW(dc, x, y, options, rect, text.c_str(), uint32_t(text.size()), nullptr);
    }
    SIZE Extent(const std::wstring& text)
    {
        SIZE size;
        GetTextExtentExPointW(dc, text.c_str(), int(text.size()), 0, nullptr, nullptr, &size);
        return size;
    }
    HFONT font;
    HGDIOBJ previousFont = nullptr;
};

TEST(GdiTestFont, ExtentFitCountAndExactBoxesWithTheCellAtThePoint)
{
    TextCanvas c(40, 24, MakeFont(kTestFontFace, 16));
    int fit = -1, dx[4] = {};
    SIZE size;
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, L"ab c", 4, 20, &fit, dx, &size));
    EXPECT_EQ((std::vector { size.cx, size.cy, fit, dx[3] }), (std::vector { 32, 16, 2, 32 }));
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, L"ab", 2, 16, &fit, nullptr, nullptr));
    EXPECT_EQ(fit, 2) << "a text exactly as wide as the maximum fits";
    EXPECT_EQ(c.Extent(L"").cx, 0);
    TextCanvas em(8, 8, MakeFont(kTestFontFace, -10));
    EXPECT_EQ(em.Extent(L"x").cy, 10);

    // Each box: columns [pen, pen + 7), rows [y + 1, y + 15).
    ASSERT_TRUE(c.Out(3, 2, L"a b"));
    EXPECT_EQ(c.Ink(RECT { 3, 3, 10, 17 }, kWhite), 7 * 14);
    EXPECT_EQ(c.RunStarts(8, kWhite), (std::vector<int> { 3, 19 })) << "a space has no ink";
    EXPECT_EQ(c.Ink(RECT { 0, 0, 40, 24 }, kWhite), 2 * 7 * 14);

    // Far off the bitmap: nothing drawn, and no overflow on the way.
    c.Fill(kWhite);
    SetBkMode(c.dc, OPAQUE);
    for (auto [x, y] : { std::pair { -2000000000, 5 }, { 5, 2000000000 }, { 2000000000, -2000000000 } })
        EXPECT_TRUE(c.Out(x, y, L"abc"));
    EXPECT_EQ(c.Ink(RECT { 0, 0, 40, 24 }, kWhite), 0);
}

TEST(GdiTestFont, OpaqueBackgroundClippingAndLines)
{
    TextCanvas c(40, 24, MakeFont(kTestFontFace, 16, 0, false, true, false));
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetBkMode(c.dc, OPAQUE);
    RECT clip { 5, 0, 13, 24 };
    ASSERT_TRUE(c.Out(0, 0, L"ab", ETO_CLIPPED, &clip));
    EXPECT_EQ(c.At(4, 0), kWhite) << "outside the clip";
    EXPECT_EQ(c.At(7, 0), RGB(0, 0, 255)) << "opaque cell background";
    EXPECT_EQ(c.At(8, 5), kBlack) << "second glyph";
    EXPECT_EQ(c.At(7, 12), kBlack) << "underline crosses the gap below the baseline";
    EXPECT_EQ(c.At(13, 5), kWhite);

    // ETO_OPAQUE fills the whole rectangle even where no text is; transparent mode
    // leaves the rest of the cell alone.
    SetBkMode(c.dc, TRANSPARENT);
    RECT box { 20, 0, 40, 24 };
    ASSERT_TRUE(c.Out(20, 4, L"a", ETO_OPAQUE | ETO_CLIPPED, &box));
    EXPECT_EQ(c.At(39, 23), RGB(0, 0, 255));
    EXPECT_EQ(c.At(22, 8), kBlack);

    TextCanvas s(20, 20, MakeFont(kTestFontFace, 16, 0, false, false, true));
    ASSERT_TRUE(s.Out(0, 0, L"a "));
    EXPECT_EQ(s.At(12, 6), kBlack) << "strike-out runs through the space";
    EXPECT_EQ(s.At(12, 7), kWhite);
}

// The machine's fonts: the Hangul face must be there (it is a setup package).
TEST(GdiRealFont, HangulAndSymbolsRenderInsideTheirCell)
{
    TextCanvas c(120, 40, MakeFont(L"삼성 고딕", 20));
    EXPECT_EQ(c.font->Instance().FamilyName(), "NanumGothic")
        << "a missing face falls back to the Hangul one";
    SIZE size = c.Extent(L"한글●");
    EXPECT_EQ(size.cy, 20) << "a positive height is the cell height";
    ASSERT_TRUE(c.Out(10, 10, L"한글●"));
    RECT cell { 10, 10, 10 + size.cx, 30 };
    int inside = c.Ink(cell, kWhite);
    EXPECT_GT(inside, 60);
    EXPECT_EQ(c.Ink(RECT { 0, 0, 120, 40 }, kWhite), inside) << "no ink outside the cell";
    EXPECT_GT(c.Ink(RECT { 10 + c.Extent(L"한글").cx, 10, cell.right, 30 }, kWhite), 10)
        << "the bullet has ink";
    int area = (cell.right - cell.left) * 20;
    EXPECT_GT(inside + c.Ink(cell, kBlack) - area, 0)
        << "anti-aliased: some pixels are neither text nor white";

    TextCanvas em(10, 10, MakeFont(L"", -20));
    EXPECT_GT(em.Extent(L"가").cy, 20) << "a negative height is the em, the cell is taller";

    // The faces read their files rather than map them: a Hangul face is megabytes, and
    // glyphs spread over it would keep all of it resident.
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        for (const char* font : { ".ttf", ".ttc", ".otf" })
            EXPECT_EQ(line.find(font), std::string::npos) << line;
}

TEST(GdiRealFont, CharactersTheFaceLacksComeFromAnotherFace)
{
    TextCanvas c(60, 30, MakeFont(L"NanumGothic", 20));
    ASSERT_EQ(c.font->Instance().FamilyName(), "NanumGothic");
    ASSERT_TRUE(c.Out(5, 5, L"\u05D0")); // Hebrew alef: not in the Hangul face
    EXPECT_GT(c.Ink(RECT { 0, 0, 60, 30 }, kWhite), 10);

    TextCanvas latin(60, 30, MakeFont(L"DejaVu Sans", 20));
    ASSERT_TRUE(latin.Out(5, 5, L"한"));
    EXPECT_GT(latin.Ink(RECT { 0, 0, 60, 30 }, kWhite), 10);
}

TEST(GdiRealFont, BoldAndItalicChangeTheGlyphs)
{
    auto render = [](HFONT font) {
        TextCanvas c(80, 30, font);
        c.Out(2, 2, L"Hl가");
        std::vector<std::vector<COLORREF>> picture;
        for (int y = 0; y < 30; ++y)
            picture.push_back(c.Row(y));
        return std::make_pair(picture, c.Ink(RECT { 0, 0, 80, 30 }, kWhite));
    };
    auto regular = render(MakeFont(L"", 20));
    EXPECT_GT(render(MakeFont(L"", 20, FW_BOLD)).second, regular.second);
    EXPECT_NE(render(MakeFont(L"", 20, 0, true)).first, regular.first) << "no italic face: slanted by us";
}

} // namespace
