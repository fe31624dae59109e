// Every widget reading an arbitrary skin document: counts, sizes and rectangles from the
// skin must stay within bounds whatever they say. Pictures never load here (the image
// folder does not exist), fonts do.
#include "platform/system/Trace.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxXmlDocument.h"
#include "ux/widgets/UxButton.h"
#include "ux/widgets/UxCheckButton.h"
#include "ux/widgets/UxImageWindow.h"
#include "ux/widgets/UxLabel.h"
#include "ux/widgets/UxLedAnimation.h"
#include "ux/widgets/UxLinearLayout.h"
#include "ux/widgets/UxMessageBox.h"
#include "ux/widgets/UxPageHeader.h"
#include "ux/widgets/UxPageIndicator.h"
#include "ux/widgets/UxPopupMenu.h"
#include "ux/widgets/UxProgressBar.h"
#include "ux/widgets/UxTabWindow.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Setup()
{
    plat::SetTraceHook([](const std::wstring&) {});
    auto* resolver = new UxPathResolver;
    resolver->SetBase(0, L"\\nonexistent-quorix-fuzz\\Image\\");
    new UxFontPool;
    new UxDeviceImagePool;
}

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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (Setup(), true);
    (void)ready;
    if (size > 16 * 1024)
        return 0;
    UxXmlDocument doc;
    if (!doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    Apply(&doc);
    for (size_t i = 0; i < doc.GetChildCount() && i < 16; ++i)
        Apply(doc.GetChild(i));
    return 0;
}
