#include "ux/graphics/UxBmpDecoder.h"

#include "ux/core/UxStream.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxLittleEndian.h"
#include "ux/graphics/UxRowFlipper.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kFileHeaderSize = 14;
// Headers grew to 124 bytes; anything much longer is not a bitmap.
constexpr uint32_t kMaxHeaderSize = 1024;

bool Fail(const wchar_t* reason)
{
    UxTrace(L"[UX+] %s, %s.\n", L"UxBmpDecoder::Decode", reason);
    return false;
}

bool ValidLayout(uint32_t compression, uint16_t bits)
{
    switch (compression) {
    case kUxBitmapRgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kUxBitmapRle8:
        return bits == 8;
    case kUxBitmapRle4:
        return bits == 4;
    case kUxBitmapBitFields:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

void PutPixel(UxImage& frame, int64_t x, int64_t y, uint8_t value, bool fourBits)
{
    if (x >= frame.GetWidth() || y >= frame.GetHeight())
        return; // runs and deltas never write outside the picture
    uint8_t* row = frame.GetRow(static_cast<int32_t>(y));
    if (!fourBits) {
        row[x] = value;
        return;
    }
    uint8_t& b = row[x / 2];
    b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (value & 0x0F))
                : static_cast<uint8_t>((b & 0x0F) | value << 4);
}

} // namespace

bool UxBmpDecoder::Decode(UxInputStream& stream)
{
    int64_t start = stream.Tell();
    uint8_t file[kFileHeaderSize];
    if (!stream.Read(file, sizeof file) || file[0] != 'B' || file[1] != 'M')
        return Fail(L"Not a bitmap file");
    uint32_t pixelOffset = UxReadLe32(file + 10);

    uint8_t info[40];
    if (!stream.Read(info, 4))
        return Fail(L"Truncated header");
    uint32_t headerSize = UxReadLe32(info);
    UxBitmapHeader h {};
    h.biSize = sizeof h;
    bool core = headerSize == kCoreHeaderSize;
    if (core) {
        if (!stream.Read(info + 4, 8))
            return Fail(L"Truncated header");
        h.biWidth = UxReadLe16(info + 4);
        h.biHeight = UxReadLe16(info + 6);
        h.biBitCount = UxReadLe16(info + 10);
        h.biCompression = kUxBitmapRgb;
    } else if (headerSize >= sizeof info && headerSize <= kMaxHeaderSize) {
        if (!stream.Read(info + 4, sizeof info - 4))
            return Fail(L"Truncated header");
        h.biWidth = static_cast<int32_t>(UxReadLe32(info + 4));
        h.biHeight = static_cast<int32_t>(UxReadLe32(info + 8));
        h.biBitCount = UxReadLe16(info + 14);
        h.biCompression = UxReadLe32(info + 16);
        h.biXPelsPerMeter = static_cast<int32_t>(UxReadLe32(info + 24));
        h.biYPelsPerMeter = static_cast<int32_t>(UxReadLe32(info + 28));
        h.biClrUsed = UxReadLe32(info + 32);
    } else {
        return Fail(L"Unknown header size");
    }
    h.biPlanes = 1;

    bool topDown = h.biHeight < 0;
    if (h.biHeight == INT_MIN)
        return Fail(L"Bad size");
    h.biHeight = topDown ? -h.biHeight : h.biHeight;
    if (!ValidLayout(h.biCompression, h.biBitCount))
        return Fail(L"Unsupported depth or compression");

    // The palette on file may be shorter than 2^bits; the frame's is always full.
    uint32_t fileColours = 0;
    if (h.biBitCount <= 8) {
        uint32_t full = 1u << h.biBitCount;
        fileColours = (h.biClrUsed == 0 || h.biClrUsed > full) ? full : h.biClrUsed;
    }

    auto frame = std::make_unique<UxImage>();
    if (!frame->Allocate(h))
        return Fail(L"Bad size");

    if (h.biCompression == kUxBitmapBitFields) {
        // Longer headers hold the masks in their tail, an alpha mask among them.
        uint8_t masks[16] = {};
        uint32_t count = headerSize >= 56 ? 16 : 12;
        if (!stream.Read(masks, count))
            return Fail(L"Truncated masks");
        uint32_t* m = frame->GetMasks();
        for (int i = 0; i < 4; ++i)
            m[i] = UxReadLe32(masks + 4 * i);
    }

    // The palette follows the full header (and the masks of a 40-byte header).
    uint32_t paletteAt = kFileHeaderSize + headerSize;
    if (headerSize == sizeof info && h.biCompression == kUxBitmapBitFields)
        paletteAt += 12;
    if (fileColours) {
        uint32_t entrySize = core ? 3 : 4;
        uint8_t entries[256 * 4];
        if (!stream.Seek(start + paletteAt, 0) || !stream.Read(entries, fileColours * entrySize))
            return Fail(L"Truncated palette");
        if (core) {
            frame->SetPalette(entries, static_cast<int32_t>(fileColours), true);
        } else {
            std::memcpy(frame->GetPalette(), entries, fileColours * entrySize);
        }
    }

    if (!stream.Seek(start + pixelOffset, 0))
        return Fail(L"Bad pixel offset");
    if (h.biCompression == kUxBitmapRle8 || h.biCompression == kUxBitmapRle4) {
        if (!DecodeRle(stream, *frame, h.biCompression == kUxBitmapRle4))
            return Fail(L"Truncated run-length data");
        frame->GetHeader()->biCompression = kUxBitmapRgb;
    } else if (!stream.Read(frame->GetPixels(), static_cast<uint32_t>(frame->GetPixelSize()))) {
        return Fail(L"Truncated pixels");
    }

    // 32-bit frames go out top-down, all others bottom-up.
    bool wantTopDown = h.biBitCount == 32;
    if (topDown != wantTopDown)
        UxRowFlipper::Flip(*frame);
    frame->SetTopDown(wantTopDown);
    frame->unusedAlphaMeansOpaque = h.biBitCount == 32 && h.biCompression == kUxBitmapRgb;
    m_frames.push_back(std::move(frame));
    return true;
}

bool UxBmpDecoder::DecodeRle(UxInputStream& stream, UxImage& frame, bool fourBits)
{
    const int64_t width = frame.GetWidth();
    const int64_t height = frame.GetHeight();
    int64_t x = 0;
    int64_t y = 0; // rows count from the bottom, the first row in memory
    uint8_t data[256];
    for (;;) {
        uint8_t pair[2];
        if (!stream.Read(pair, 2))
            return false;
        uint32_t count = pair[0];
        uint8_t value = pair[1];
        if (count > 0) {
            // An encoded run alternates the value's high and low nibbles, high first.
            uint8_t nibbles[2] = { static_cast<uint8_t>(value >> 4), static_cast<uint8_t>(value & 0x0F) };
            for (uint32_t i = 0; i < count && x + i < width; ++i)
                PutPixel(frame, x + i, y, fourBits ? nibbles[i & 1] : value, fourBits);
            x = std::min(x + count, width);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            y = std::min(y + 1, height);
            break;
        case 1: // end of bitmap
            return true;
        case 2: { // delta
            uint8_t d[2];
            if (!stream.Read(d, 2))
                return false;
            x = std::min<int64_t>(x + d[0], width);
            y = std::min<int64_t>(y + d[1], height);
            break;
        }
        default: { // absolute run of value pixels, padded to a 16-bit boundary
            uint32_t n = value;
            uint32_t bytes = fourBits ? (n + 1) / 2 : n;
            uint32_t padded = bytes + (bytes & 1);
            if (!stream.Read(data, padded))
                return false;
            for (uint32_t i = 0; i < n && x + i < width; ++i) {
                uint8_t v = fourBits ? ((i & 1) ? data[i / 2] & 0x0F : data[i / 2] >> 4) : data[i];
                PutPixel(frame, x + i, y, static_cast<uint8_t>(v), fourBits);
            }
            x = std::min<int64_t>(x + n, width);
            break;
        }
        }
    }
}
