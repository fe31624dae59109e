#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/graphics/UxTextFormats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using plat::RECT;

namespace {

// The fixed test font at height 16: every character (and each full stop) is an 8-pixel
// cell with a 7-pixel box, so the boxes drawn tell what was drawn and where.
class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font.Create(UxFontInfo { 16, 0, 0, 0, 0, plat::kTestFontFace }));
        dc->SelectFont(&font, UxDeviceContext::Borrowed);
        dc->SetBackMode(1);
    }

    // Starts of the boxes along the given row (by default the middle of a top cell).
    std::vector<int> Draw(const std::wstring& text, RECT rect, int32_t formats, int row = 8)
    {
        dc->FillRect(0xFFFFFF, RECT {});
        EXPECT_TRUE(dc->DrawText(text, rect, RECT { 0, 0, 200, 60 }, formats));
        std::vector<int> starts;
        for (int x = 0; x < 200; ++x)
            if (PixelAt(*dc, x, row) != 0xFFFFFF && (x == 0 || PixelAt(*dc, x - 1, row) == 0xFFFFFF))
                starts.push_back(x);
        return starts;
    }

    static std::vector<int> Boxes(int from, int count)
    {
        std::vector<int> v;
        for (int i = 0; i < count; ++i)
            v.push_back(from + 8 * i);
        return v;
    }

    UxFont font;
    std::unique_ptr<UxDeviceContext> dc = MakeSurface(200, 60);
};

TEST_F(DrawTextTest, EllipsisShortensOnlyWhatDoesNotFitAndIsPlacedByTheWidthDrawn)
{
    EXPECT_EQ(Draw(L"abcd", RECT { 10, 0, 42, 16 }, UxTextEndEllipsis), Boxes(10, 4)) << "exactly fits";
    // 40 pixels of text in 39: "abc..." and "ab..." are not narrower, "a..." is.
    EXPECT_EQ(Draw(L"abcde", RECT { 10, 0, 49, 16 }, UxTextEndEllipsis), Boxes(10, 4));
    // Narrower than "...": the full stops alone remain.
    EXPECT_EQ(Draw(L"abcde", RECT { 10, 0, 20, 16 }, UxTextEndEllipsis), Boxes(10, 3));
    // Narrower than one character: nothing fits, nothing is shortened.
    EXPECT_EQ(Draw(L"abcde", RECT { 10, 0, 15, 16 }, UxTextEndEllipsis), Boxes(10, 5));
    // "abcdefgh" is 64 wide; in 40 it becomes "a..." (32 wide), centred or right-aligned as such.
    EXPECT_EQ(Draw(L"abcdefgh", RECT { 100, 0, 140, 16 }, UxTextHCenter | UxTextEndEllipsis), Boxes(104, 4));
    EXPECT_EQ(Draw(L"abcdefgh", RECT { 100, 0, 140, 16 }, UxTextRight | UxTextEndEllipsis), Boxes(108, 4));
}

TEST_F(DrawTextTest, AlignmentWithoutEllipsis)
{
    EXPECT_EQ(Draw(L"ab", RECT { 100, 0, 141, 16 }, UxTextHCenter), Boxes(112, 2)) << "(41 - 16) / 2 = 12";
    EXPECT_EQ(Draw(L"ab", RECT { 100, 0, 140, 16 }, UxTextRight), Boxes(124, 2));
    // Wider than the rect: centred on the full width, starting left of the rect.
    EXPECT_EQ(Draw(L"abcdefgh", RECT { 100, 0, 140, 16 }, UxTextHCenter), Boxes(88, 8));
    // Vertical: a 16-pixel cell in a 40-pixel rect; the box covers cell rows 1 to 14.
    EXPECT_EQ(Draw(L"a", RECT { 0, 10, 50, 50 }, UxTextVCenter, 23), Boxes(0, 1));
    EXPECT_TRUE(Draw(L"a", RECT { 0, 10, 50, 50 }, UxTextVCenter, 22).empty());
    EXPECT_EQ(Draw(L"a", RECT { 0, 10, 50, 50 }, UxTextBottom, 48), Boxes(0, 1));
    EXPECT_TRUE(Draw(L"a", RECT { 0, 10, 50, 50 }, UxTextBottom, 49).empty());
    EXPECT_EQ(Draw(L"a", RECT { 0, 10, 50, 50 }, UxTextTop | UxTextLeft, 11), Boxes(0, 1));
}

} // namespace
