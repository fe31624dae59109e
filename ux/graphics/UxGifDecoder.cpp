#include "ux/graphics/UxGifDecoder.h"

#include "ux/core/UxStream.h"
#include "ux/core/UxText.h"
#include "ux/graphics/UxLittleEndian.h"
#include "ux/graphics/UxLzwDecoder.h"

#include <cstring>

namespace {

bool Fail(const wchar_t* reason)
{
    UxTrace(L"[UX+] %s, %s.\n", L"UxGifDecoder::Decode", reason);
    return false;
}

} // namespace

int32_t UxGifDecoder::DepthForTable(int32_t entries)
{
    return entries <= 2 ? 1 : entries <= 16 ? 4 : 8;
}

bool UxGifDecoder::SkipSubBlocks(UxInputStream& stream)
{
    for (;;) {
        uint8_t size;
        if (!stream.Read(&size, 1))
            return false;
        if (size == 0)
            return true;
        if (!stream.Seek(size, 1))
            return false;
    }
}

bool UxGifDecoder::Decode(UxInputStream& stream)
{
    uint8_t screen[13];
    if (!stream.Read(screen, sizeof screen) || std::memcmp(screen, "GIF", 3) != 0
        || (std::memcmp(screen + 3, "87a", 3) != 0 && std::memcmp(screen + 3, "89a", 3) != 0))
        return Fail(L"Not a GIF file");
    m_logicalWidth = UxReadLe16(screen + 6);
    m_logicalHeight = UxReadLe16(screen + 8);
    uint8_t packed = screen[10];
    m_globalEntries = 2 << (packed & 7);
    m_hasGlobalTable = (packed & 0x80) != 0;
    m_globalDepth = DepthForTable(m_globalEntries);
    m_logicalBits = m_globalDepth;
    if (m_hasGlobalTable && !stream.Read(m_globalTable, static_cast<uint32_t>(m_globalEntries) * 3))
        return Fail(L"Truncated colour table");

    for (;;) {
        uint8_t introducer;
        if (!stream.Read(&introducer, 1))
            return Fail(L"Truncated file");
        switch (introducer) {
        case 0x21:
            if (!ReadExtension(stream))
                return Fail(L"Truncated extension");
            break;
        case 0x2C:
            if (!ReadImage(stream))
                return false;
            break;
        case 0x3B:
            return true;
        default:
            break; // stray bytes between blocks are passed over
        }
    }
}

bool UxGifDecoder::ReadExtension(UxInputStream& stream)
{
    uint8_t label;
    if (!stream.Read(&label, 1))
        return false;
    if (label == 0xF9) {
        // Graphic control; sub-blocks of another size than 4 are skipped.
        uint8_t block[255];
        uint8_t size;
        for (;;) {
            if (!UxLzwDecoder::ReadSubBlock(stream, block, size))
                return false;
            if (size == 0)
                break;
            if (size == 4) {
                m_controlPacked = block[0];
                m_controlDelay = UxReadLe16(block + 1);
                m_controlTransparent = block[3];
            }
        }
        // The first frame is opaque unless it is to be disposed of.
        uint8_t disposal = (m_controlPacked >> 2) & 7;
        if (m_frames.empty() && disposal <= 1)
            m_controlPacked &= static_cast<uint8_t>(~1u);
        return true;
    }
    if (label == 0xFF) {
        // Application: the loop count rides in a 3-byte sub-block (id 1) behind the
        // 11-byte "NETSCAPE2.0" identifier.
        bool looping = false;
        bool first = true;
        uint8_t block[255];
        uint8_t size;
        for (;;) {
            if (!UxLzwDecoder::ReadSubBlock(stream, block, size))
                return false;
            if (size == 0)
                return true;
            if (first)
                looping = size == 11 && std::memcmp(block, "NETSCAPE2.0", 11) == 0;
            else if (looping && size == 3 && block[0] == 1)
                m_loopCount = UxReadLe16(block + 1);
            first = false;
        }
    }
    // Comments, plain text and anything unknown: skipped by their sub-block lengths.
    return SkipSubBlocks(stream);
}

bool UxGifDecoder::ReadImage(UxInputStream& stream)
{
    uint8_t d[9];
    if (!stream.Read(d, sizeof d))
        return Fail(L"Truncated image descriptor");
    uint16_t left = UxReadLe16(d);
    uint16_t top = UxReadLe16(d + 2);
    int32_t width = UxReadLe16(d + 4);
    int32_t height = UxReadLe16(d + 6);
    uint8_t packed = d[8];
    bool hasLocal = (packed & 0x80) != 0;
    bool interlaced = (packed & 0x40) != 0;
    int32_t localEntries = 2 << (packed & 7);
    uint8_t localTable[256 * 3];
    if (hasLocal && !stream.Read(localTable, static_cast<uint32_t>(localEntries) * 3))
        return Fail(L"Truncated colour table");

    if (width == 0 || height == 0) {
        // Nothing to show: the image data is read past.
        uint8_t minSize;
        if (!stream.Read(&minSize, 1) || !SkipSubBlocks(stream))
            return Fail(L"Truncated image data");
        return true;
    }
    int32_t depth = hasLocal ? DepthForTable(localEntries) : m_globalDepth;
    uint64_t bytes = static_cast<uint64_t>(UxImage::StrideFor(width, depth)) * static_cast<uint64_t>(height);
    if (m_frames.size() >= kMaxFrames || m_totalBytes + bytes > kUxImageMaxBytes)
        return Fail(L"Too many frames");
    auto frame = std::make_unique<UxImage>();
    if (!frame->Allocate(width, height, depth))
        return Fail(L"Bad size");
    m_totalBytes += bytes;
    // Without any colour table the palette stays black.
    if (hasLocal)
        frame->SetPalette(localTable, localEntries, false);
    else if (m_hasGlobalTable)
        frame->SetPalette(m_globalTable, m_globalEntries, false);

    UxLzwDecoder lzw(*frame, interlaced);
    if (!lzw.Decode(stream))
        return Fail(L"Damaged image data");

    frame->disposal = (m_controlPacked >> 2) & 7;
    frame->left = left;
    frame->top = top;
    frame->delay = m_controlDelay * 10;
    frame->transparentIndex = (m_controlPacked & 1) ? m_controlTransparent : -1;
    m_frames.push_back(std::move(frame));
    return true;
}
