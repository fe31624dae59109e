// An edit reading an arbitrary skin node, then taking text, selections and compositions:
// sizes, limits and styles from the skin must keep the layout within bounds.
#include "fuzz/SkinFuzz.h"
#include "ux/widgets/UxEdit.h"

#include <cstdlib>

namespace {

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
    return FuzzSkinDocument(data, size, 8 * 1024, 8, true, Exercise);
}
