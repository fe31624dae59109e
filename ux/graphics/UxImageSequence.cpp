#include "ux/graphics/UxImageSequence.h"

#include "ux/core/UxFileReader.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxStream.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxBmpDecoder.h"
#include "ux/graphics/UxGifDecoder.h"
#include "ux/graphics/UxJpegDecoder.h"
#include "ux/graphics/UxPngDecoder.h"

#include <cstring>
#include <cwctype>

namespace {

std::unique_ptr<UxImageDecoder> MakeDecoder(int32_t type)
{
    switch (type) {
    case UxImageTypeBmp:
        return std::make_unique<UxBmpDecoder>();
    case UxImageTypeJpeg:
        return std::make_unique<UxJpegDecoder>();
    case UxImageTypePng:
        return std::make_unique<UxPngDecoder>();
    case UxImageTypeGif:
        return std::make_unique<UxGifDecoder>();
    default:
        return nullptr;
    }
}

} // namespace

int32_t UxImageSequence::TypeFromExtension(const std::wstring& path)
{
    std::wstring ext = GetFileExtension(path);
    for (wchar_t& c : ext)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (ext == L".bmp")
        return UxImageTypeBmp;
    if (ext == L".jpg")
        return UxImageTypeJpeg;
    if (ext == L".png")
        return UxImageTypePng;
    if (ext == L".gif")
        return UxImageTypeGif;
    return UxImageTypeAuto;
}

int32_t UxImageSequence::TypeFromSignature(const uint8_t* b, size_t size)
{
    static const uint8_t png[8] = { 0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A };
    if (size < 8)
        return UxImageTypeAuto;
    if (std::memcmp(b, png, 8) == 0)
        return UxImageTypePng;
    if (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)
        return UxImageTypeGif;
    if (b[0] == 0xFF && b[1] == 0xD8)
        return UxImageTypeJpeg;
    if (b[0] == 'B' && b[1] == 'M')
        return UxImageTypeBmp;
    return UxImageTypeAuto;
}

bool UxImageSequence::LoadImageFile(const std::wstring& path, int32_t type)
{
    if (type == UxImageTypeAuto)
        type = TypeFromExtension(path);
    UxFileReader file;
    if (!file.Open(path)) {
        UxTrace(
            L"[UX+] %s, Cannot open the image file %s.\n", L"UxImageSequence::LoadImageFile", path.c_str());
        return false;
    }
    return Decode(file, type);
}

bool UxImageSequence::Decode(UxInputStream& stream, int32_t type)
{
    if (type == UxImageTypeAuto) {
        uint8_t head[8] = {};
        size_t got = stream.Peek(head, sizeof head) ? sizeof head : 0;
        type = TypeFromSignature(head, got);
    }
    std::unique_ptr<UxImageDecoder> decoder = MakeDecoder(type);
    if (!decoder) {
        UxTrace(L"[UX+] %s, Unknown image type.\n", L"UxImageSequence::Decode");
        return false;
    }
    if (!decoder->Decode(stream) || decoder->GetFrames().empty())
        return false;

    auto& frames = decoder->GetFrames();
    const UxImage& first = *frames.front();
    m_width = decoder->GetLogicalWidth() > 0 ? decoder->GetLogicalWidth() : first.GetWidth();
    m_height = decoder->GetLogicalHeight() > 0 ? decoder->GetLogicalHeight() : first.GetHeight();
    m_bits = decoder->GetLogicalBits() > 0 ? decoder->GetLogicalBits() : first.GetBitsPerPixel();
    m_loopCount = decoder->GetLoopCount();
    m_frames = std::move(frames);
    return true;
}
