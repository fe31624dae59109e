// An edit reading an arbitrary skin node, then taking text, selections and compositions:
// sizes, limits and styles from the skin must keep the layout within bounds.
#include "platform/system/Trace.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxDeviceContextPool.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxXmlDocument.h"
#include "ux/widgets/UxEdit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Setup()
{
    plat::SetTraceHook([](const std::wstring&) {});
    auto* resolver = new UxPathResolver;
    resolver->SetBase(0, L"\\nonexistent-quorix-fuzz\\Image\\");
    new UxFontPool;
    new UxDeviceImagePool;
    new UxDeviceContextPool;
}

void Exercise(UxXmlNode* node)
{
    UxEdit edit;
    if (!edit.ApplySkin(node))
        return;
    edit.InsertText(L"안녕 hello\r\n둘째 줄");
    edit.OnSetSelection(3, 1);
    edit.OnChar(8, 0);
    edit.OnImeComposition(L'가', 1);
    edit.OnImeComposition(L'각', 1);
    edit.OnChar(L'각', 0);
    edit.SetRect({ 0, 0, 37, 20 });
    edit.OnKeyDown(0x2E, 0); // Delete
    edit.OnKeyDown(0x23, 0); // End
    int32_t start = 0, end = 0;
    edit.GetSelection(start, end);
    if (start < 1 || end < start || end > edit.GetLength() + 1)
        std::abort();
    if (edit.GetDocument().GetHeight() < 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (Setup(), true);
    (void)ready;
    if (size > 8 * 1024)
        return 0;
    UxXmlDocument doc;
    if (!doc.LoadText(FromUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    Exercise(&doc);
    for (size_t i = 0; i < doc.GetChildCount() && i < 8; ++i)
        Exercise(doc.GetChild(i));
    return 0;
}
