#include "ux/graphics/UxBlitInfo.h"
#include "ux/graphics/UxFont.h"
#include "ux/graphics/UxPaintDC.h"
#include "ux/graphics/UxTextFormats.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

TEST(UxFontInfo, OrdersByHeightWeightEffectsThenFace)
{
    std::vector<UxFontInfo> ordered = {
        { -12, 700, 1, 1, 1, L"z" },
        { 0, 0, 0, 0, 0, L"" },
        { 0, 0, 0, 0, 0, L"a" },
        { 0, 0, 0, 0, 1, L"" },
        { 0, 0, 0, 1, 0, L"" },
        { 0, 0, 1, 0, 0, L"" },
        { 0, 700, 0, 0, 0, L"" },
        { 14, 0, 0, 0, 0, L"" },
    };
    for (size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_TRUE(ordered[i] < ordered[i + 1]) << i;
        EXPECT_FALSE(ordered[i + 1] < ordered[i]) << i;
    }
    std::map<UxFontInfo, int> pool { { ordered[2], 1 }, { UxFontInfo { 0, 0, 0, 0, 0, L"a" }, 2 } };
    EXPECT_EQ(pool.size(), 1u) << "equal keys find one entry";
}

TEST(UxFont, EmptyFaceAsksForTheDefaultFaceAndLongNamesAreCut)
{
    UxFont font;
    ASSERT_TRUE(font.Create(UxFontInfo { 18, 700, 1, 0, 1, L"" }));
    plat::LOGFONTW lf;
    ASSERT_EQ(plat::GetObjectW(font.GetHandle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"삼성 고딕");
    EXPECT_EQ((std::vector<int> { lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut }),
        (std::vector<int> { 18, 700, 1, 0, 1 }));

    std::wstring longName(40, L'x');
    ASSERT_TRUE(font.Create(UxFontInfo { 12, 0, 0, 0, 0, longName }));
    ASSERT_EQ(plat::GetObjectW(font.GetHandle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), longName.substr(0, 31));
}

TEST(UxSkinWords, TextFormatsBackModeAndBlitUnion)
{
    EXPECT_EQ(ParseTextFormats(L"HCenter|VCenter"), 18);
    EXPECT_EQ(ParseTextFormats(L"Right EndEllipsis Bottom"), 4 | 64 | 32);
    EXPECT_EQ(ParseTextFormats(L"hcenter"), 0) << "words are matched as written";
    EXPECT_EQ(ParseBackMode(L"Transparent"), 1);
    EXPECT_EQ(ParseBackMode(L"Opaque"), 0);
    EXPECT_EQ(ParseBackMode(L"Transparent "), 0);

    // The union of blit rects takes in the empty starting rects as they are.
    UxBlitInfo info;
    info.Unite(plat::RECT { 10, 10, 20, 20 }, plat::RECT { 5, -5, 6, 6 });
    const plat::RECT &d = info.DestRect, &s = info.SourceRect;
    EXPECT_EQ((std::vector { d.left, d.top, d.right, d.bottom, s.left, s.top, s.right, s.bottom }),
        (std::vector { 0, 0, 20, 20, 0, -5, 6, 6 }));
}

// A window that hands out its own context for painting and records the calls.
struct FakePaintHost : UxPaintHost {
    FakePaintHost() { handle = plat::CreateCompatibleDC(nullptr); }
    ~FakePaintHost() { plat::DeleteDC(handle); }
    plat::HDC BeginPaint(plat::RECT& r) override
    {
        calls += "begin ";
        r = plat::RECT { 1, 2, 3, 4 };
        return handle;
    }
    void EndPaint() override { calls += "end "; }
    void SetRepaintRect(const plat::RECT& r) override { calls += "repaint " + std::to_string(r.right) + " "; }
    void ResetInvalidRect() override { calls += "reset "; }
    plat::HDC handle;
    std::string calls;
};

TEST(UxPaintDC, BracketsThePaintAndLeavesTheContextToItsOwner)
{
    FakePaintHost host;
    plat::HFONT stockFont = plat::GetCurrentFont(host.handle);
    {
        UxPaintDC dc(host);
        EXPECT_EQ(dc.GetHandle(), host.handle);
        EXPECT_EQ(dc.GetPaintRect().bottom, 4);
        auto* font = new UxFont();
        font->Create(UxFontInfo { 12, 0, 0, 0, 0, plat::kTestFontFace });
        dc.SelectFont(font, UxDeviceContext::Owned);
        EXPECT_EQ(host.calls, "begin repaint 3 ");
    }
    EXPECT_EQ(host.calls, "begin repaint 3 end reset ");
    EXPECT_EQ(plat::GetCurrentFont(host.handle), stockFont) << "selection undone before the paint ends";
}

} // namespace
