// A skin document of any text: every element read as an image item and a text item
// (their files looked up in a folder with one real picture), every word reader run over
// its text, and the items drawn.
#include "fuzz/FontLeak.h"
#include "platform/system/Trace.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempFolder.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/graphics/UxImageDesc.h"
#include "ux/graphics/UxImageItem.h"
#include "ux/graphics/UxTextItem.h"
#include "ux/markup/UxSkinWords.h"
#include "ux/markup/UxXmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct Skin {
    Skin()
    {
        plat::SetTraceHook([](const std::wstring&) {});
        testimg::Bytes png = testimg::MakePng(2, 2, PNG_COLOR_TYPE_RGBA, 8,
            { 255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 9, 9, 9, 255 });
        folder.Write("a.png", std::string(png.begin(), png.end()));
        resolver.SetBase(0, folder.Designed());
    }
    TempFolder folder;
    UxPathResolver resolver;
    UxDeviceImagePool images;
    UxFontPool fonts;
    std::unique_ptr<UxDeviceContext> surface = MakeSurface(32, 32);
};

void Visit(Skin& skin, const UxXmlNode& node, size_t depth)
{
    if (depth > 64)
        return;
    const std::wstring text = node.GetText();
    (void)ParseFontEffects(text);
    (void)ParseEditStyles(text);
    (void)ParseAligns(text);
    (void)ParseKeyboardType(text);
    (void)ParseDirection(text);
    (void)ParseAnimationMode(text);
    (void)ParseDrawMethod(text);
    (void)ReadDrawItem(&node);
    UxImageItem image;
    if (image.ApplySkin(&node))
        image.Draw(*skin.surface, { 0, 0, 32, 32 }, { 0, 0, 32, 32 }, { 32, 32 });
    UxTextItem label;
    if (label.ApplySkin(&node))
        label.Draw(*skin.surface, { 0, 0, 32, 32 }, { 0, 0, 32, 32 });
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        Visit(skin, *node.GetChild(i), depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Skin skin;
    if (size > 16 * 1024)
        return 0;
    UxXmlDocument doc;
    if (doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        Visit(skin, doc, 0);
    return 0;
}
