// Whatever another program put on the clipboard, pasted into an edit of any style: the
// edit keeps only characters (on one line no line break), never more than a paste may
// bring, and a one-line edit keeps its caret's side in view.
#include "fuzz/SkinFuzz.h"
#include "platform/display/Display.h"
#include "platform/event/Window.h"
#include "platform/system/Utf8.h"
#include "ux/widgets/UxEdit.h"

#include <cstdlib>

namespace {

bool Open()
{
    plat::SetTraceHook([](const std::wstring&) {});
    new UxFontPool;
    new UxDeviceContextPool;
    setenv("QUORIX_DISPLAY", "headless", 1);
    const plat::HWND window = plat::CreateMessageWindow(L"FuzzPaste", &plat::DefWindowProcW);
    return window && plat::OpenDisplay(window, L"FuzzPaste");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = Open();
    if (!ready || size < 2)
        return 0;
    // The first byte chooses the styles, the second the box's width and limit.
    const int32_t styles = data[0] & (UxEdit::NumberOnly | UxEdit::Password | UxEdit::SingleLine);
    plat::SetClipboardText(plat::DecodeUtf8(std::string(reinterpret_cast<const char*>(data) + 2, size - 2)));
    UxEdit edit;
    UxTextStyle style;
    style.Font.Height = 16;
    style.Font.FaceName = L"TestFixed";
    if (!edit.Setup(style))
        return 0;
    edit.SetStyles(styles);
    edit.SetRect({ 0, 0, 8 + (data[1] & 0x3F) * 4, 24 });
    edit.SetMaxInput(data[1] & 0x40 ? 30 : 0);
    edit.Paste();
    edit.Paste();
    const std::wstring text = edit.GetText();
    if (text.size() > 2 * (size_t(1) << 16) || (edit.GetMaxInput() && edit.GetLength() > edit.GetMaxInput()))
        std::abort();
    for (wchar_t c : text)
        if ((c < 0x20 && c != L'\n') || (c == L'\n' && (styles & UxEdit::SingleLine)))
            std::abort();
    const UxScrollAxis& x = edit.GetXAxis();
    if (x.GetOffset() > 0 || x.GetOffset() < std::min(0, x.GetViewSize() - x.GetContentPixels()))
        std::abort();
    return 0;
}
