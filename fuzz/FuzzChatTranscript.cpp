// A conversation taking text from others piece by piece, as lines arrive: the first byte
// picks its width, then byte 0 ends a piece, 1 switches between two styles and 2 puts in
// an emoticon. The text stays whole, laid out as it comes it lies as laid out at once,
// and drawing any part of it stays within bounds.
#include "app/chat/ChatTranscript.h"
#include "fuzz/FontLeak.h"
#include "fuzz/SkinFuzz.h"

#include <cstdlib>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        plat::SetTraceHook([](const std::wstring&) {});
        new UxFontPool;
        new UxDeviceContextPool;
        UseDefaultSkin(*new UxPathResolver, *new UxDeviceImagePool);
        return true;
    }();
    (void)ready;
    if (size < 1 || size > 64 * 1024)
        return 0;
    UxTextStyle styles[2];
    styles[0].Font.Height = 19;
    styles[1].Font.FaceName = L"TestFixed";
    styles[1].Font.Height = 16;
    styles[1].TextColor = 0x0000FF;
    UxDrawItem smile;
    smile.Desc.Image.FileName = L"emo_smile.png";
    smile.Desc.Method = UxImageDesc::AlphaBlendPerPixel;
    smile.Text = L"/미소/";

    ChatTranscript transcript;
    const int32_t width = 8 + data[0] % 200;
    transcript.SetRect({ 0, 0, width, 300 });
    Check(transcript.SetStyle(styles[0]));
    std::wstring expected;
    size_t style = 0;
    size_t start = 1;
    for (size_t i = 1; i <= size; ++i) {
        if (i < size && data[i] > 2)
            continue;
        const std::wstring piece = FromUtf8(std::string(reinterpret_cast<const char*>(data + start), i - start));
        transcript.InsertText(piece);
        for (wchar_t c : piece)
            if (c != L'\r')
                expected += (c >= 0xF0000 && c < 0x110000) || (c >= 0xD800 && c <= 0xDFFF) ? L'\uFFFD' : c;
        if (i < size && data[i] == 1) {
            style ^= 1;
            Check(transcript.SetStyle(styles[style]));
        } else if (i < size && data[i] == 2 && transcript.InsertImage(smile)) {
            expected += smile.Text;
        }
        start = i + 1;
    }
    Check(transcript.GetText() == expected);

    const std::vector<uint32_t> rows = transcript.GetLastRowStarts();
    const int32_t height = transcript.GetDocumentHeight();
    Check(height >= 0);
    transcript.SetRect({ 0, 0, width + 37, 300 });
    transcript.SetRect({ 0, 0, width, 300 });
    Check(transcript.GetLastRowStarts() == rows);
    Check(transcript.GetDocumentHeight() == height);

    // Its start, a band in the middle and its end, each drawn over the surface's width.
    for (int32_t top : { 0, height / 2 - 20, height - 300 })
        transcript.PaintContent(&FuzzSurface(), { 0, 0, 480, 300 }, { 0, top, 480, top + 300 });
    return 0;
}
