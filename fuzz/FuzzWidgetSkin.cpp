// Every widget reading an arbitrary skin document: counts, sizes and rectangles from the
// skin must stay within bounds whatever they say. Pictures the skin names load from the
// default skin's folder.
#include "fuzz/SkinFuzz.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxLedAnimation.h"
#include "ux/widgets/UxLinearLayout.h"
#include "ux/widgets/UxListWindow.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"
#include "ux/widgets/UxPopupMenu.h"
#include "ux/widgets/UxProgressBar.h"
#include "ux/widgets/UxTabWindow.h"

namespace {

void Apply(UxXmlNode* node)
{
    UxLabel label;
    label.ApplySkin(node);
    UxImageWindow image;
    image.ApplySkin(node);
    UxButton button;
    button.ApplySkin(node);
    UxCheckButton check;
    check.ApplySkin(node);

    UxLedAnimation leds;
    leds.ApplySkin(node);
    leds.LayoutLeds(leds.GetWidth(), leds.GetHeight());

    UxPageHeader header;
    header.ApplySkin(node);

    UxPageIndicator dots;
    dots.ApplySkin(node);
    for (int i = 0; i < 3; ++i)
        dots.AddPage();
    for (int32_t page : { 0, 2, 9, -1 })
        dots.SetCurrentPage(page);

    UxTabWindow tabs;
    tabs.ApplySkin(node);
    tabs.Select(1);

    UxProgressBar bar;
    bar.ApplySkin(node);
    for (float progress : { 0.0f, 0.37f, 1.0f }) {
        bar.Progress = progress;
        bar.Update();
    }

    UxPopupMenu menu;
    menu.ApplySkin(node);
    UxMessageBox box;
    box.ApplySkin(node);
    box.SetStyle(127);

    // Scroll and list windows
    UxScrollWindow scroll;
    scroll.ApplySkin(node);
    scroll.SetContentSize(4000, 9000);
    scroll.GetXAxis().SetPosition(-700);
    scroll.GetXIndicator().ThumbRect();
    scroll.GetYIndicator().ThumbRect();
    UxListWindow list;
    list.ApplySkin(node);
    list.SetContentSize(list.GetXAxis().GetContentSize(), 9000);
    list.GetYIndicator().ThumbRect();
    list.RowAtScreenY(list.GetRect().top);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzSkinDocument(data, size, 16 * 1024, 16, false, Apply);
}
