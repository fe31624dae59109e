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
    std::map<UxFontInfo, int> pool;
    pool[ordered[2]] = 1;
    pool[UxFontInfo { 0, 0, 0, 0, 0, L"a" }] = 2;
    EXPECT_EQ(pool.size(), 1u) << "equal keys find one entry";
}

TEST(UxFont, EmptyFaceAsksForTheDefaultFaceAndLongNamesAreCut)
{
    UxFont font;
    ASSERT_TRUE(font.Create(UxFontInfo { 18, 700, 1, 0, 1, L"" }));
    plat::LOGFONTW lf;
    ASSERT_EQ(plat::GetObjectW(font.GetHandle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"삼성 고딕");
    EXPECT_EQ(lf.lfHeight, 18);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_EQ(font.GetInfo().FaceName, L"") << "the key keeps what was asked";

    std::wstring longName(40, L'x');
    ASSERT_TRUE(font.Create(UxFontInfo { 12, 0, 0, 0, 0, longName }));
    ASSERT_EQ(plat::GetObjectW(font.GetHandle(), sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), longName.substr(0, 31));
    font.Release();
    EXPECT_EQ(font.GetHandle(), nullptr);
}

TEST(UxSkinWords, TextFormatsAndBackMode)
{
    EXPECT_EQ(ParseTextFormats(L"HCenter|VCenter"), 18);
    EXPECT_EQ(ParseTextFormats(L"Right EndEllipsis Bottom"), 4 | 64 | 32);
    EXPECT_EQ(ParseTextFormats(L"Left,Top"), 9);
    EXPECT_EQ(ParseTextFormats(L"hcenter"), 0) << "words are matched as written";
    EXPECT_EQ(ParseTextFormats(L""), 0);

    EXPECT_EQ(ParseBackMode(L"Transparent"), 1);
    EXPECT_EQ(ParseBackMode(L"Opaque"), 0);
    EXPECT_EQ(ParseBackMode(L"Transparent "), 0);
    EXPECT_EQ(ParseBackMode(L"transparent"), 0);
}

TEST(UxBlitInfo, UniteTakesEmptyRectsAsTheyAreAndClearResets)
{
    UxBlitInfo info;
    info.Method = UxBlitInfo::AlphaBlend;
    info.Value = 0x80;
    info.Unite(plat::RECT { 10, 10, 20, 20 }, plat::RECT { 5, -5, 6, 6 });
    EXPECT_EQ(info.DestRect.left, 0) << "the cleared rect counts";
    EXPECT_EQ(info.DestRect.right, 20);
    EXPECT_EQ(info.SourceRect.top, -5);
    EXPECT_EQ(info.SourceRect.right, 6);
    info.Clear();
    EXPECT_EQ(info.DestRect.right, 0);
    EXPECT_EQ(info.Method, 0);
    EXPECT_EQ(info.Value, 0u);
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
    void SetRepaintRect(const plat::RECT& r) override
    {
        calls += "repaint ";
        repaint = r;
    }
    void ResetInvalidRect() override { calls += "reset "; }
    plat::HDC handle;
    std::string calls;
    plat::RECT repaint;
};

TEST(UxPaintDC, BracketsThePaintAndLeavesTheContextToItsOwner)
{
    FakePaintHost host;
    plat::HFONT stockFont = plat::GetCurrentFont(host.handle);
    {
        UxPaintDC dc(host);
        EXPECT_EQ(dc.GetHandle(), host.handle);
        EXPECT_EQ(dc.GetReleaseKind(), UxDeviceContext::KeepHandle);
        EXPECT_EQ(host.repaint.right, 3);
        EXPECT_EQ(dc.GetPaintRect().bottom, 4);
        auto* font = new UxFont();
        font->Create(UxFontInfo { 12, 0, 0, 0, 0, plat::kTestFontFace });
        dc.SelectFont(font, UxDeviceContext::Owned);
        EXPECT_EQ(host.calls, "begin repaint ");
    }
    EXPECT_EQ(host.calls, "begin repaint end reset ");
    EXPECT_EQ(plat::GetCurrentFont(host.handle), stockFont) << "selection undone before the paint ends";
}

} // namespace
