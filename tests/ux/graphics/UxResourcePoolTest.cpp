#include "tests/support/DesktopFixture.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TraceCapture.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxRect.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxScreenBuffer.h"
#include "ux/widgets/UxImageWindow.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(UxResourcePool, HandlesAreCountedAndNeverReusedAndSurfacesComeBackToTheirWindowsUnlessHeld)
{
    UxFontPool fonts;
    UxFontInfo key { 14, 0, 0, 0, 0, L"" };
    int32_t h = fonts.Load(key);
    ASSERT_GE(h, 0);
    EXPECT_EQ(fonts.Load(key), h);
    fonts.Unload(h);
    EXPECT_NE(fonts.Find(h), nullptr);
    fonts.Unload(h);
    EXPECT_EQ(fonts.GetLoadedCount(), 0u);
    fonts.Unload(h); // once too often: ignored
    EXPECT_EQ(fonts.Find(-1), nullptr);
    EXPECT_GT(fonts.Load(key), h);

    UxDeviceContextPool pool;
    UxDeviceContext* a = pool.Load({ 10, 10 }, nullptr);
    UxDeviceContext* b = pool.Load({ 10, 10 }, nullptr);
    ASSERT_TRUE(a && b && a != b);
    EXPECT_EQ(a->GetWidth(), 10);
    pool.ReleaseAllInUse();
    EXPECT_EQ(pool.Load({ 10, 10 }, b), b); // the one it had last time
    EXPECT_EQ(pool.Load({ 10, 10 }, b), a);
    pool.ReleaseAllInUse();
    pool.Hold(a);
    UxDeviceContext* c = pool.Load({ 10, 10 }, a);
    EXPECT_EQ(c, b);
    UxDeviceContext* d = pool.Load({ 10, 10 }, nullptr); // a is held: a new one
    EXPECT_TRUE(d != a && d != b);
    pool.Unload(d);
    pool.Unload(d);
    pool.Unhold(a);
}

class Present : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        page.SetOwnSurface(true);
        page.SetRect({ 0, 0, 480, 640 });
        desktop->AddChild(&page);
        popup = new TestPopup("popup", nullptr, 0x00FFFF);
        popup->SetOwnSurface(true);
        popup->SetRect({ 100, 100, 300, 300 });
        desktop->AddChild(popup);
        Flush();
    }
    void TearDown() override
    {
        popup->Close(0);
        desktop->RemoveChild(&page);
    }

    RecordingWindow page { "page", nullptr, 0xFFFFFF };
    TestPopup* popup = nullptr;
};

TEST_F(Present, OpenPopupDimsWhatLiesBehindIt)
{
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(FramePixel(10, 10), FrameColour(0xFFFFFF));
    popups->SetPopup(popup);
    desktop->Invalidate();
    Flush();
    // White blended half-way with 0x080808, the popup itself undimmed.
    EXPECT_NEAR(FramePixel(10, 10) & 0xFF, (255 + 8) / 2, 2);
    EXPECT_EQ(FramePixel(150, 150), FrameColour(0x00FFFF));
    EXPECT_FALSE(RectsDiffer(desktop->GetScreenBuffer().GetLastCopyRect(), { 0, 0, 480, 640 }));
}

TEST_F(Present, RepaintInsideThePopupStillReachesTheScreen)
{
    // As built by default: the popup draws into the desktop's surface, which the
    // composition leaves for last, so no other surface is drawn.
    desktop->RemoveChild(&page);
    popup->SetOwnSurface(false);
    popups->SetPopup(popup);
    desktop->Invalidate();
    Flush();
    popup->colour = 0x0000FF;
    popup->Invalidate({ 10, 10, 20, 20 });
    Flush();
    EXPECT_TRUE(ContainsRect(desktop->GetScreenBuffer().GetLastCopyRect(), popup->GetScreenRect()));
    EXPECT_EQ(FramePixel(115, 115), FrameColour(0x0000FF));
}

TEST_F(Present, RemakesTheBackBufferWhenTheSizeChanges)
{
    UxScreenBuffer& buffer = desktop->GetScreenBuffer();
    buffer.SetForceBackBuffer(true);
    desktop->Invalidate();
    Flush();
    EXPECT_EQ(buffer.GetBackBuffer().GetWidth(), 480);
    ASSERT_TRUE(Display()->Resize(240, 320));
    Flush();
    EXPECT_EQ(buffer.GetBackBuffer().GetWidth(), 240);
    EXPECT_EQ(buffer.GetBackBuffer().GetHeight(), 320);
}

} // namespace

namespace {

// Two screens, each showing one picture of its own, on the desktop.
class Pictures : public ::testing::Test, public DesktopFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        // 1 x 1, opaque: red for the first screen, blue for the second.
        folder.Write("first.png", Png({ 255, 0, 0 }));
        folder.Write("second.png", Png({ 0, 0, 255 }));
        resolver.SetBase(0, folder.Designed());
        for (auto [screen, picture, file] : { std::tuple { &first, &firstPicture, L"first.png" },
                 std::tuple { &second, &secondPicture, L"second.png" } }) {
            screen->SetOwnSurface(true);
            screen->SetRect({ 0, 0, 480, 640 });
            picture->SetRect({ 0, 0, 100, 100 });
            UxImageDesc desc;
            desc.Image.FileName = file;
            ASSERT_TRUE(picture->GetImage().Load(desc));
            screen->AddChild(picture);
            desktop->AddChild(screen);
        }
        second.SetVisible(false);
        desktop->Invalidate();
        Flush();
    }
    void TearDown() override
    {
        for (RecordingWindow* screen : { &first, &second }) {
            screen->RemoveChildren();
            desktop->RemoveChild(screen);
        }
    }
    static std::string Png(testimg::Bytes rgb)
    {
        testimg::Bytes png = testimg::MakePng(1, 1, PNG_COLOR_TYPE_RGB, 8, rgb);
        return std::string(png.begin(), png.end());
    }
    bool Decoded(UxImageWindow& picture) { return images.Find(picture.GetImage().GetHandle())->IsRealized(); }
    // Hides one screen and shows the other, as a page change without animation does.
    void Switch(RecordingWindow& from, RecordingWindow& to)
    {
        from.SetVisible(false);
        to.SetVisible(true);
        to.Invalidate();
        Flush();
    }

    TempFolder folder;
    UxPathResolver resolver;
    UxDeviceImagePool images;
    RecordingWindow first { "first", nullptr, 0xFFFFFF };
    RecordingWindow second { "second", nullptr, 0xFFFFFF };
    UxImageWindow firstPicture, secondPicture;
};

TEST_F(Pictures, AScreenNoLongerShownLetsGoOfItsPicturesAndReadsThemAgainWhenShown)
{
    // Only what was drawn has been read, and a whole picture stretches over its window.
    EXPECT_TRUE(Decoded(firstPicture));
    EXPECT_FALSE(Decoded(secondPicture));
    EXPECT_EQ(FramePixel(50, 50), FrameColour(plat::RGB(255, 0, 0)));

    Switch(first, second);
    EXPECT_FALSE(Decoded(firstPicture));
    EXPECT_TRUE(Decoded(secondPicture));
    EXPECT_EQ(FramePixel(50, 50), FrameColour(plat::RGB(0, 0, 255)));

    Switch(second, first);
    EXPECT_TRUE(Decoded(firstPicture));
    EXPECT_FALSE(Decoded(secondPicture));
    EXPECT_EQ(FramePixel(99, 99), FrameColour(plat::RGB(255, 0, 0)));

    // Paints with no screen change keep what they do not draw.
    second.SetVisible(true);
    second.SetVisible(false); // hidden at once, before any paint: nothing of it drawn
    first.Invalidate({ 200, 200, 210, 210 });
    Flush();
    EXPECT_FALSE(Decoded(firstPicture)); // the paint after the change did not draw it
    first.Invalidate();
    Flush();
    first.Invalidate({ 200, 200, 210, 210 });
    Flush();
    EXPECT_TRUE(Decoded(firstPicture));
}

TEST_F(Pictures, ADamagedPictureIsReadOnceNotAtEveryPaintOrSizeQuery)
{
    folder.Write("damaged.png", "not a picture");
    UxImageWindow damaged;
    damaged.SetRect({ 100, 100, 200, 200 });
    UxImageDesc desc;
    desc.Image.FileName = L"damaged.png";
    ASSERT_TRUE(damaged.GetImage().Load(desc)); // only looked for
    first.AddChild(&damaged);
    TraceCapture trace;
    for (int i = 0; i < 3; ++i) {
        first.Invalidate();
        Flush();
        damaged.GetImage().GetDesc(); // asks for the size it still owes
    }
    size_t reads = 0;
    for (const std::wstring& line : trace.lines)
        reads += line.find(L"damaged.png") != std::wstring::npos;
    EXPECT_EQ(reads, 1u);
    EXPECT_EQ(FramePixel(150, 150), FrameColour(0xFFFFFF)); // nothing drawn in its place
    first.RemoveChild(&damaged);
}

} // namespace
