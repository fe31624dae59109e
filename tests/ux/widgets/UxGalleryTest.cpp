#include "tests/ux/widgets/WidgetFixture.h"
#include "tools/gallery/Gallery.h"
#include "ux/widgets/UxEdit.h"
#include "ux/core/UxPopupInstance.h"

namespace {

// The gallery built from its test skin, as the program shows it.
class GalleryTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        gallery = std::make_unique<Gallery>(SkinFolder());
        built = gallery->Open(desktop);
        UxPumpFor(0);
    }
    void TearDown() override
    {
        gallery.reset();
        WidgetTest::TearDown();
    }
    GalleryPage& Page() { return *gallery->GetPage(); }

    // Pixels inside r (screen space) that differ from the page's back colour.
    static int InkIn(const plat::RECT& r)
    {
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                ink += At(x, y) != kBack;
        }
        return ink;
    }
    static constexpr uint32_t kBack = 0xF0F2F5;

    std::unique_ptr<Gallery> gallery;
    bool built = false;
};

TEST_F(GalleryTest, BasicWidgetsPage)
{
    ASSERT_TRUE(built);
    UxPumpFor(600); // some LEDs lit
    Shot("gallery-basic");

    EXPECT_EQ(At(240, 270), kBack);
    EXPECT_GT(Blue(At(240, 4)), Red(At(240, 4)) + 60); // the blue header
    EXPECT_GT(InkIn({ 48, 0, 432, 48 }), 0);
    EXPECT_GT(InkIn({ 56, 84, 256, 124 }), 100); // the label's text
    EXPECT_GT(Blue(At(312, 90)), 150); // the Ok button
    EXPECT_GT(Blue(At(40, 362)), Red(At(40, 362)) + 60); // the first tab is the selected one
    EXPECT_LT(Blue(At(400, 362)) - Red(At(400, 362)), 30);
    EXPECT_GT(InkIn({ 16, 304, 464, 328 }), 20); // the page dots
    EXPECT_GT(Green(At(100, 442)), Red(At(100, 442)) + 60); // the green bar at 60 %
    EXPECT_LT(Green(At(400, 442)) - Red(At(400, 442)), 30); // and the trough past it
}

TEST_F(GalleryTest, WidgetsReportToThePageAndItsStatusLine)
{
    ASSERT_TRUE(built);
    Page().Events.clear();
    Tap(312, 104); // Ok
    Tap(28, 152); // the check box
    Tap(400, 362); // the last tab
    EXPECT_EQ(Page().Events, (std::vector<std::wstring> { L"Ok: pressed", L"Check: on", L"Tabs: tab 4" }));
    EXPECT_EQ(Page().Find<UxLabel>(L"Status")->GetText(), L"Tabs: tab 4");
    Shot("gallery-basic-tapped");
}

TEST_F(GalleryTest, PopupsOverTheDimmedPage)
{
    ASSERT_TRUE(built);
    const uint32_t back = At(8, 300);
    struct Case {
        const char* shot;
        int openX, openY, closeX, closeY;
        const wchar_t* report;
    } cases[] = {
        { "gallery-popup", 68, 486, 240, 372, L"Popup: closed with 1" }, // closed by its own button
        { "gallery-menu", 180, 486, 240, 304, L"Menu: closed with 1, row 2" },
        { "gallery-msgbox-25", 292, 486, 240, 414, L"Alert: closed with 1" },
        { "gallery-msgbox-41", 408, 486, 300, 414, L"Question: closed with 3" },
        { "gallery-msgbox-105", 124, 534, 180, 414, L"CheckQuestion: closed with 2, not checked" },
        { "gallery-msgbox-27", 352, 534, 240, 414, L"Notice: closed with 1" },
    };
    for (const Case& c : cases) {
        Tap(c.openX, c.openY);
        UxPumpFor(200);
        ASSERT_NE(UxPopupInstance::GetInstance()->GetPopup(), nullptr) << c.shot;
        Shot(c.shot);
        EXPECT_GT(Green(At(c.closeX, c.closeY)), 60) << c.shot; // the popup itself, undimmed
        EXPECT_LT(Red(At(8, 300)), Red(back) * 2 / 3) << c.shot;
        Tap(c.closeX, c.closeY);
        UxPumpFor(200);
        ASSERT_FALSE(Page().Events.empty());
        EXPECT_EQ(Page().Events.back(), c.report);
    }
}

// The edits have a page of their own.
TEST_F(GalleryTest, EditsTakeTextAndShowTheirEmoticon)
{
    ASSERT_TRUE(gallery->Open(desktop, L"GalleryEdit"));
    UxPumpFor(0);
    auto* id = Page().Find<UxEdit>(L"Id");
    auto* password = Page().Find<UxEdit>(L"Password");
    auto* chat = Page().Find<UxEdit>(L"Chat");
    ASSERT_TRUE(id && password && chat);
    EXPECT_EQ(password->GetText(), L"minsu1234");
    EXPECT_EQ(chat->GetText().substr(0, 19), L"오늘 저녁 일곱 시에 만나요/미소!");
    int yellow = 0;
    for (int y = 216; y < 364; ++y) {
        for (int x = 24; x < 456; ++x)
            yellow += Red(At(x, y)) > 200 && Green(At(x, y)) > 150 && Blue(At(x, y)) < 100;
    }
    EXPECT_GT(yellow, 100);

    Tap(120, 104);
    Input().Text(L"minsu@quorix.net");
    UxPumpFor(0);
    EXPECT_EQ(id->GetText(), L"minsu@quorix.net");
    Shot("gallery-edit");
}

TEST_F(GalleryTest, AMissingSectionOrSkinFailsToOpen)
{
    EXPECT_FALSE(gallery->Open(desktop, L"NoSuchSection"));
    Gallery none(SkinFolder() + "/missing");
    EXPECT_FALSE(none.IsSkinLoaded());
}

} // namespace
