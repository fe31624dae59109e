#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/core/UxRect.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"
#include "ux/widgets/UxTabWindow.h"

namespace {

using PageWidgetsTest = WidgetTest;

TEST_F(PageWidgetsTest, HeaderFillsItsThreeSlotsAndSkipsAbsentOnes)
{
    auto* header = Add<UxPageHeader>(LR"(<_Rect>0, 0, 480, 48</_Rect>
        <PrevButton><_Rect>6, 6, 36, 36</_Rect></PrevButton>
        <Title><_Rect>48, 0, 384, 48</_Rect><Text>Title</Text></Title>
        <NextButton><_Rect>438, 6, 36, 36</_Rect></NextButton>)");
    EXPECT_FALSE(RectsDiffer(header->PrevButton.GetRect(), { 6, 6, 42, 42 }));
    EXPECT_EQ(header->Title.GetText(), L"Title");
    EXPECT_FALSE(RectsDiffer(header->NextButton.GetRect(), { 438, 6, 474, 42 }));
    EXPECT_TRUE(IsRectEmpty(header->BackSkin.GetRect()));
    EXPECT_EQ(header->GetFirstChild(), &header->BackSkin);

    UxPageHeader broken;
    EXPECT_FALSE(broken.ApplySkin(Node(L"<Title><FontSize>12</FontSize></Title><PrevButton>"
                                       L"<DefaultImage><File>missing.png</File></DefaultImage></PrevButton>")));
}

const wchar_t* kDots = LR"(<_Rect>0, 0, 200, 20</_Rect><NumPages>8</NumPages><PageSize>10, 10</PageSize>
    <PageSpacing>10</PageSpacing><Page><DefaultImage><File>dot.png</File></DefaultImage></Page>)";

struct DotsShown {
    int32_t visible, checked, firstLeft;
    bool prev, next;
    bool operator==(const DotsShown&) const = default;
};

DotsShown Shown(const UxPageIndicator& dots)
{
    DotsShown s { 0, -1, -1, dots.Prev.IsVisible(), dots.Next.IsVisible() };
    for (size_t i = 0; i < dots.GetDots().size(); ++i) {
        UxCheckButton* dot = dots.GetDots()[i];
        if (!dot->IsVisible())
            continue;
        if (s.visible++ == 0)
            s.firstLeft = dot->GetRect().left;
        if (dot->IsChecked())
            s.checked = int32_t(i);
    }
    return s;
}

TEST_F(PageWidgetsTest, DotsShowTheGroupOfTheCurrentPage)
{
    struct Case {
        int32_t pages, current;
        DotsShown shown;
    } cases[] = {
        // Eight dots of 10 with 10 between them in 200 pixels: a margin of 25.
        { 11, 3, { 8, 3, 25, false, true } },
        { 11, 9, { 3, 1, 75, true, false } }, // a short last group is centred by itself
        { 8, 7, { 8, 7, 25, false, false } },
        { 3, 40, { 3, 2, 75, false, false } }, // past the end: the last page
        { 3, -2, { 3, 0, 75, false, false } },
    };
    for (const Case& c : cases) {
        auto* dots = Add<UxPageIndicator>(kDots);
        for (int32_t i = 0; i < c.pages; ++i)
            ASSERT_TRUE(dots->AddPage());
        dots->SetCurrentPage(c.current);
        EXPECT_EQ(Shown(*dots), c.shown) << c.pages << " pages, page " << c.current;
        EXPECT_FALSE(dots->GetDots()[0]->Enabled);
    }
}

TEST_F(PageWidgetsTest, DotsSurviveRemovalAndAGroupSizeOfNothing)
{
    auto* dots = Add<UxPageIndicator>(kDots);
    EXPECT_FALSE(dots->RemovePage());
    dots->AddPage();
    dots->AddPage();
    EXPECT_TRUE(dots->RemovePage());
    EXPECT_EQ(dots->GetPageCount(), 1);
    dots->DotsPerGroup = 0;
    dots->SetCurrentPage(0);
    EXPECT_EQ(Shown(*dots).visible, 0);

    UxPageIndicator broken;
    // The dots' look is only kept by the skin reader; it fails when a dot is made.
    EXPECT_TRUE(broken.ApplySkin(Node(L"<Page><DefaultImage><File>missing.png</File></DefaultImage></Page>")));
    EXPECT_FALSE(broken.AddPage());
    EXPECT_EQ(broken.GetPageCount(), 0);
}

const wchar_t* kTabs = LR"(<_Rect>0, 100, 400, 40</_Rect><NumTabs>4</NumTabs><Tab2><DefaultLabel><Text>Two</Text></DefaultLabel></Tab2>)";

std::vector<bool> Checked(const UxTabWindow& tabs)
{
    std::vector<bool> checked;
    for (int32_t i = 0; i < tabs.GetTabCount(); ++i)
        checked.push_back(tabs.GetTab(i)->IsChecked());
    return checked;
}

TEST_F(PageWidgetsTest, TabsShareTheWidthAndSwitchWithExactlyOneChecked)
{
    auto* tabs = Add<UxTabWindow>(kTabs);
    ASSERT_EQ(tabs->GetTabCount(), 4);
    EXPECT_FALSE(RectsDiffer(tabs->GetTab(2)->GetRect(), { 200, 0, 300, 40 }));
    EXPECT_EQ(tabs->GetTab(1)->GetDefaultLabel().GetText(), L"Two");

    EXPECT_TRUE(tabs->Select(0));
    Tap(150, 120); // the second tab
    EXPECT_EQ(Checked(*tabs), (std::vector<bool> { false, true, false, false }));
    Tap(150, 120); // selected tabs ignore taps
    EXPECT_EQ(Checked(*tabs), (std::vector<bool> { false, true, false, false }));
    std::vector<uintptr_t> selected;
    for (const auto& e : parent.events) {
        if (e.code == UxTabWindow::EventTabSelected)
            selected.push_back(e.param1);
    }
    EXPECT_EQ(selected, (std::vector<uintptr_t> { 0, 1 }));

    EXPECT_TRUE(tabs->Select(7));
    EXPECT_EQ(Checked(*tabs), (std::vector<bool> { false, false, false, false }));

    // A parent refusing the selection leaves later tabs as they were.
    tabs->Select(3);
    parent.answer = false;
    EXPECT_FALSE(tabs->Select(1));
    EXPECT_EQ(Checked(*tabs), (std::vector<bool> { false, true, false, true }));
}

} // namespace
