#include "tests/ux/widgets/WidgetFixture.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxPopup.h"
#include "ux/widgets/UxProgressBar.h"

namespace {

const wchar_t* kFrames = LR"(<_Size>300, 200</_Size>
    <PresentInfo><DrawMethod>TransparentBlt</DrawMethod><ColorKey>#ff00ff</ColorKey></PresentInfo>
    <TSkin><File>popup_top.png</File><ImageCoord>0, 0, 300, 16</ImageCoord></TSkin>
    <MSkin><File>popup_middle.png</File></MSkin>
    <BSkin><File>popup_bottom.png</File><ImageCoord>0, 0, 300, 16</ImageCoord></BSkin>)";

// A popup with one button that closes it from the button's own handler.
class ButtonPopup : public UxPopup {
public:
    ButtonPopup()
    {
        button.SetRect({ 100, 80, 200, 120 });
        AddChild(&button);
    }
    ~ButtonPopup() override { RemoveChild(&button); }
    bool OnChildEvent(UxWindow* child, int32_t code) override
    {
        if (child == &button && code == EventPointerUp)
            Close(7);
        return true;
    }
    UxButton button;
};

struct Closing {
    UxPopup* popup;
    int32_t result;
};

void Record(uintptr_t context, UxPopup* popup, int32_t result)
{
    reinterpret_cast<std::vector<Closing>*>(context)->push_back({ popup, result });
}

class PopupTest : public WidgetTest {
protected:
    template <typename T = UxPopup> T* Open(const wchar_t* skin = kFrames)
    {
        auto* popup = new T;
        EXPECT_TRUE(popup->ApplySkin(Node(skin)));
        EXPECT_TRUE(popup->Popup(Record, reinterpret_cast<uintptr_t>(&closed)));
        return popup;
    }
    void TearDown() override
    {
        if (auto* open = dynamic_cast<UxPopup*>(UxPopupInstance::GetInstance()->GetPopup()))
            open->Close(0);
        WidgetTest::TearDown();
    }
    std::vector<Closing> closed;
};

TEST_F(PopupTest, DimsTheScreenAndTakesAllInputUntilATapOutsideClosesIt)
{
    auto* under = Add<UxButton>(L"<_Rect>0, 0, 480, 640</_Rect><DefaultImage><File>button.png</File></DefaultImage>");
    Repaint();
    uint32_t bright = At(20, 320);
    UxPopup* popup = Open();
    UxPumpFor(0);
    EXPECT_FALSE(RectsDiffer(popup->GetRect(), { 90, 220, 390, 420 }));
    EXPECT_LT(Blue(At(20, 320)), Blue(bright) * 2 / 3); // dimmed
    EXPECT_GT(Green(At(240, 320)), 230); // the popup itself, undimmed
    EXPECT_LT(Green(At(91, 221)), Green(At(240, 320))); // a keyed corner shows the dimmed screen
    Shot("popup-frame");

    Tap(240, 320); // inside, on no button: nothing happens
    EXPECT_TRUE(popup->IsOpen());
    Tap(20, 20);
    EXPECT_TRUE(parent.events.empty()); // the screen never heard of either tap
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].result, 0);
    EXPECT_EQ(UxPopupInstance::GetInstance()->GetPopup(), nullptr);
    Repaint();
    EXPECT_EQ(At(20, 320), bright);
    (void)under;

    popup = Open(); // one that ignores taps outside
    popup->CloseOnOutsideTap = 0;
    Tap(20, 20);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_EQ(closed.size(), 1u);
}

TEST_F(PopupTest, ClosingFromItsOwnButtonCallsBackAtOnceAndDeletesAfterTheMessage)
{
    auto* popup = Open<ButtonPopup>();
    Input().PointerDown(240, 320);
    Input().PointerUp(240, 320);
    plat::DispatchPending(2); // the down and up only
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].popup, popup);
    EXPECT_EQ(closed[0].result, 7);
    EXPECT_TRUE(UxPopupInstance::GetInstance()->IsPending(popup));
    EXPECT_FALSE(popup->Close(3)); // once only
    UxPumpFor(300); // the pending deletion, and a hold or click that must not reach it
    EXPECT_FALSE(UxPopupInstance::GetInstance()->IsPending(popup));
    EXPECT_EQ(closed.size(), 1u);
}

TEST_F(PopupTest, ANewPopupClosesTheOpenOneButReopeningTheSameDoesNot)
{
    UxPopup* first = Open();
    EXPECT_TRUE(first->Popup(Record, reinterpret_cast<uintptr_t>(&closed)));
    EXPECT_TRUE(closed.empty());

    UxPopup* second = Open();
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].popup, first);
    EXPECT_EQ(closed[0].result, 0);
    EXPECT_TRUE(second->IsOpen());
    EXPECT_EQ(second->GetParent(), desktop);
    EXPECT_EQ(first->GetParent(), nullptr);
}

TEST_F(PopupTest, FramesWithoutPicturesTakeNoHeight)
{
    UxPopup* popup = Open(LR"(<_Size>200, 100</_Size><MSkin><File>popup_middle.png</File></MSkin>
        <BSkin><File>popup_bottom.png</File></BSkin>)");
    EXPECT_FALSE(popup->TopFrame.IsVisible());
    EXPECT_FALSE(RectsDiffer(popup->MiddleFrame.GetRect(), { 0, 0, 200, 84 }));
    EXPECT_FALSE(RectsDiffer(popup->BottomFrame.GetRect(), { 0, 84, 200, 100 }));

    UxPopup broken;
    EXPECT_FALSE(broken.ApplySkin(Node(L"<TSkin><File>missing.png</File></TSkin>")));
}

using ProgressBarTest = WidgetTest;

TEST_F(ProgressBarTest, CutsTheBarAndItsPictureAndShowsThePercentage)
{
    struct Case {
        const wchar_t* direction;
        float progress;
        plat::RECT bar, image;
        const wchar_t* label;
    } cases[] = {
        { L"LeftToRight", 0.0f, { 10, 5, 10, 25 }, { 0, 0, 0, 20 }, L"0%" },
        { L"LeftToRight", 0.5f, { 10, 5, 110, 25 }, { 0, 0, 100, 20 }, L"50%" },
        { L"LeftToRight", 1.5f, { 10, 5, 210, 25 }, { 0, 0, 200, 20 }, L"100%" },
        { L"LeftToRight", -0.2f, { 10, 5, 10, 25 }, { 0, 0, 0, 20 }, L"0%" },
        { L"LeftToRight", 0.0f / 0.0f, { 10, 5, 10, 25 }, { 0, 0, 0, 20 }, L"0%" }, // a total of 0
        { L"RightToLeft", 0.25f, { 160, 5, 210, 25 }, { 150, 0, 200, 20 }, L"25%" },
        { L"TopToBottom", 0.5f, { 10, 5, 210, 15 }, { 0, 0, 200, 10 }, L"50%" },
        { L"BottomToTop", 0.5f, { 10, 15, 210, 25 }, { 0, 10, 200, 20 }, L"50%" },
        { L"Sideways", 0.5f, { 10, 5, 210, 25 }, { 0, 0, 200, 20 }, L"50%" },
    };
    for (const Case& c : cases) {
        auto* bar = Add<UxProgressBar>(L"<_Rect>0, 0, 220, 30</_Rect><Direction>" + std::wstring(c.direction)
            + L"</Direction><BackSkin><_Rect>0, 0, 220, 30</_Rect><File>progress.png</File></BackSkin>"
              L"<BarSkin><_Rect>10, 5, 200, 20</_Rect><File>progress_bar.png</File></BarSkin><Label><Text>-</Text></Label>");
        bar->Progress = c.progress;
        bar->Update();
        EXPECT_FALSE(RectsDiffer(bar->BarSkin.GetRect(), c.bar)) << c.direction << " " << c.progress;
        EXPECT_FALSE(RectsDiffer(bar->BarSkin.GetImage().GetDesc().ImageCoord, c.image)) << c.direction;
        EXPECT_EQ(bar->Label.GetText(), c.label) << c.direction << " " << c.progress;
    }
}

} // namespace
