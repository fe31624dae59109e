#include "tests/support/ImageBuilders.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxXmlDocument.h"

#include <gtest/gtest.h>

namespace {

// A skin node read from markup.
class SkinNode {
public:
    explicit SkinNode(const std::wstring& body)
    {
        EXPECT_TRUE(document.LoadText(L"<?xml version=\"1.0\"?><Item>" + body + L"</Item>"));
    }
    const UxXmlNode* get() const { return &document; }

private:
    UxXmlDocument document;
};

TEST(UxTextItem, StyleFromTheSkin)
{
    UxFontPool fonts;
    UxTextItem item;
    ASSERT_TRUE(item.ApplySkin(SkinNode(L"<Text>안녕</Text>").get()));
    EXPECT_EQ(item.GetText(), L"안녕");
    EXPECT_EQ(item.GetStyle().Font, UxFontInfo {});
    EXPECT_NE(item.GetFontHandle(), -1);

    ASSERT_TRUE(item.ApplySkin(SkinNode(L"<FontSize>14</FontSize><FontEffects>Bold, Italic</FontEffects>"
                                        L"<BackMode>Opaque</BackMode><TextColor>#ff0000</TextColor>"
                                        L"<TextFormats>Right|Bottom</TextFormats>")
                                   .get()));
    EXPECT_EQ(item.GetStyle().Font, (UxFontInfo { 14, 700, 1, 0, 0, L"" }));
    EXPECT_EQ(item.GetStyle().BackMode, 0);
    EXPECT_EQ(item.GetStyle().TextColor, plat::RGB(255, 0, 0));
    EXPECT_EQ(item.GetStyle().Formats, 36);
    EXPECT_EQ(item.GetText(), L"안녕"); // no "Text": kept

    // Absent keys go back to the defaults, not to the previous values; the old font is
    // given back.
    ASSERT_TRUE(item.ApplySkin(SkinNode(L"<FontSize>12</FontSize>").get()));
    EXPECT_EQ(item.GetStyle().Font.Weight, 0);
    EXPECT_EQ(item.GetStyle().TextColor, 0u);
    EXPECT_EQ(item.GetStyle().Formats, 18);
    EXPECT_EQ(fonts.GetLoadedCount(), 1u);
}

TEST(UxTextItem, DrawsInItsColoursAndLetsTheFontGo)
{
    auto fonts = std::make_unique<UxFontPool>();
    auto surface = MakeSurface(100, 30);
    surface->FillRect(0xFFFFFF, {});
    {
        UxTextItem item;
        UxTextStyle style;
        style.TextColor = plat::RGB(0, 0, 255);
        style.Formats = UxTextLeft;
        ASSERT_TRUE(item.SetStyle(style));
        item.SetText(L"가나");
        ASSERT_TRUE(item.Draw(*surface, { 0, 0, 100, 30 }, { 0, 0, 100, 30 }));
        EXPECT_EQ(surface->GetFont(), nullptr);
    }
    int blue = 0, other = 0;
    for (int i = 0; i < 100 * 30; ++i) {
        plat::COLORREF c = PixelAt(*surface, i % 100, i / 100);
        if (c != 0xFFFFFF)
            ++(plat::GetBValue(c) == 255 && plat::GetRValue(c) == plat::GetGValue(c) ? blue : other);
    }
    EXPECT_GT(blue, 10);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(fonts->GetLoadedCount(), 0u); // the item gave its font back
}

class UxImageItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 4 x 2: columns red, green, blue, white; both rows alike.
        png = testimg::MakePng(4, 2, PNG_COLOR_TYPE_RGB, 8,
            { 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255,
                255 });
        stream = std::make_unique<UxMemoryStream>(png.data(), uint32_t(png.size()));
        surface = MakeSurface(40, 20);
        surface->FillRect(0x808080, {});
    }
    UxImageDesc Desc(plat::RECT coord = {})
    {
        UxImageDesc desc;
        desc.Image.Stream = stream.get();
        desc.ImageCoord = coord;
        return desc;
    }
    plat::COLORREF At(int x, int y) { return PixelAt(*surface, x, y); }

    UxDeviceImagePool pool;
    testimg::Bytes png;
    std::unique_ptr<UxMemoryStream> stream;
    std::unique_ptr<UxDeviceContext> surface;
};

TEST_F(UxImageItemTest, PartsOfTheWidgetTakeTheMatchingPartOfTheImage)
{
    UxImageItem item;
    ASSERT_TRUE(item.Load(Desc()));
    EXPECT_FALSE(RectsDiffer(item.GetDesc().ImageCoord, { 0, 0, 4, 2 })) << "the whole image";

    // Whole widget: each image column 10 pixels wide.
    ASSERT_TRUE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));
    EXPECT_EQ(At(5, 10), plat::RGB(255, 0, 0));
    EXPECT_EQ(At(35, 10), plat::RGB(255, 255, 255));

    // Only the right half repainted: the right half of the image lands there.
    surface->FillRect(0x808080, {});
    ASSERT_TRUE(item.Draw(*surface, { 20, 0, 40, 20 }, { 20, 0, 40, 20 }, { 40, 20 }));
    EXPECT_EQ(At(25, 10), plat::RGB(0, 0, 255));
    EXPECT_EQ(At(35, 10), plat::RGB(255, 255, 255));
    EXPECT_EQ(At(5, 10), 0x808080u);

    // A sliver that maps to no width still takes one column.
    ASSERT_TRUE(item.Draw(*surface, { 0, 0, 1, 20 }, { 11, 0, 12, 20 }, { 40, 20 }));
    EXPECT_EQ(At(0, 10), plat::RGB(0, 255, 0));

    // ImageCoord picks a part of the image.
    UxImageItem blue;
    ASSERT_TRUE(blue.Load(Desc({ 2, 0, 3, 2 })));
    ASSERT_TRUE(blue.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));
    EXPECT_EQ(At(35, 15), plat::RGB(0, 0, 255));
    EXPECT_EQ(pool.GetLoadedCount(), 1u); // one picture for both items

    // A part chosen before the first drawing stays chosen, even an empty one.
    UxImageItem none;
    ASSERT_TRUE(none.Load(Desc()));
    none.SetImageCoord({ 0, 0, 0, 2 });
    EXPECT_FALSE(RectsDiffer(none.GetDesc().ImageCoord, { 0, 0, 0, 2 }));
}

TEST_F(UxImageItemTest, ColourKeyLeavesItsColourOut)
{
    UxImageDesc desc = Desc();
    desc.Method = UxImageDesc::TransparentBlt;
    desc.Value = plat::RGB(0, 255, 0);
    UxImageItem item;
    ASSERT_TRUE(item.Load(desc));
    ASSERT_TRUE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));
    EXPECT_EQ(At(5, 10), plat::RGB(255, 0, 0));
    EXPECT_EQ(At(15, 10), 0x808080u) << "the key's column shows what was there";
    EXPECT_EQ(At(25, 10), plat::RGB(0, 0, 255));
}

TEST_F(UxImageItemTest, NothingIsDrawnFromNothing)
{
    UxImageItem item;
    EXPECT_FALSE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 })); // no picture
    ASSERT_TRUE(item.Load(Desc()));
    EXPECT_TRUE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 0, 20 }));
    EXPECT_TRUE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 0 }));
    EXPECT_TRUE(item.Draw(*surface, { 0, 0, 0, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));

    UxImageItem outside;
    ASSERT_TRUE(outside.Load(Desc({ 100, 100, 200, 200 })));
    EXPECT_TRUE(outside.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));
    UxMemoryStream again(png.data(), uint32_t(png.size()));
    UxImageDesc huge = Desc({ -2000000000, 0, 2000000000, 2 });
    huge.Image.Stream = &again; // another key
    ASSERT_TRUE(outside.Load(huge));
    outside.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 });
    EXPECT_EQ(At(20, 10), 0x808080u);

    UxImageDesc unknown = Desc();
    unknown.Method = 4;
    ASSERT_TRUE(item.Load(unknown));
    EXPECT_TRUE(item.Draw(*surface, { 0, 0, 40, 20 }, { 0, 0, 40, 20 }, { 40, 20 }));
    EXPECT_EQ(At(20, 10), 0x808080u);

    UxImageDesc missing;
    missing.Image.FileName = L"missing.png";
    EXPECT_FALSE(item.Load(missing));
    EXPECT_EQ(item.GetHandle(), -1);
}

TEST(UxImageItemSkin, KeysAndReadDrawItem)
{
    UxDeviceImagePool pool;
    SkinNode node(L"<Text>:)</Text><File>Smile.gif</File><ImageCoord>1, 2, 3, 4</ImageCoord>"
                  L"<DrawMethod>AlphaBlend</DrawMethod><ColorKey>#010203</ColorKey>"
                  L"<ConstantAlpha>300</ConstantAlpha>");
    UxDrawItem read = ReadDrawItem(node.get());
    EXPECT_EQ(read.Text, L":)");
    EXPECT_EQ(read.Desc.Image.FileName, L"Smile.gif");
    EXPECT_EQ(read.Desc.ImageCoord.right, 4);
    EXPECT_EQ(read.Desc.Method, 2);
    EXPECT_EQ(read.Desc.Image.Type, 4);
    EXPECT_EQ(pool.GetLoadedCount(), 0u); // nothing loaded

    UxImageItem item;
    EXPECT_FALSE(item.ApplySkin(node.get())); // no such file
}

} // namespace
