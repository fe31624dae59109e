#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Device-independent bitmap header, laid out byte for byte as the drawing layer reads it.
struct UxBitmapHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight; // negative: rows stored top-down
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(UxBitmapHeader) == 40, "the header is 40 bytes");

// Compression values keep the numbers the bitmap format uses.
constexpr uint32_t kUxBitmapRgb = 0;
constexpr uint32_t kUxBitmapRle8 = 1;
constexpr uint32_t kUxBitmapRle4 = 2;
constexpr uint32_t kUxBitmapBitFields = 3;

struct UxPaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

// Image types; 4 means: decide by file extension or by the first bytes.
enum UxImageType : int32_t {
    UxImageTypeBmp = 0,
    UxImageTypeJpeg = 1,
    UxImageTypePng = 2,
    UxImageTypeGif = 3,
    UxImageTypeAuto = 4,
};

// Limits on what a decoder accepts: a side, one frame's pixels, all frames of a picture.
constexpr int32_t kUxImageMaxSide = 8192;
constexpr uint64_t kUxImageMaxBytes = 64ull << 20;

// One decoded frame: a header block (header, bit-field masks when the compression is
// bit fields, counted in the header's size, then 2^bits palette entries for 8 bits or
// fewer) and the pixel rows.
// Rows are bottom-up unless IsTopDown (32-bit frames are delivered top-down).
class UxImage {
public:
    UxImage() = default;
    virtual ~UxImage() = default;
    UxImage(const UxImage&) = delete;
    UxImage& operator=(const UxImage&) = delete;

    // Builds the header block from a template and allocates zeroed pixels. Width and
    // height must be 1..8,192 (the sign of the height is kept), bits 1, 4, 8, 16, 24 or 32
    // and the pixels at most 64 MiB. The palette always has 2^bits entries for 8 bits or
    // fewer (missing entries are black) and none above; the image size field is the
    // pixel byte count.
    bool Allocate(const UxBitmapHeader& header);
    // Rounds bits up to 1, 4, 8, 16, 24 or 32 and allocates an uncompressed frame.
    bool Allocate(int32_t width, int32_t height, int32_t bits);

    // Palette fillers; entries beyond the palette are ignored.
    void SetPalette(const uint8_t* entries, int32_t count, bool blueFirst);
    void SetPalette(const uint8_t* red, const uint8_t* green, const uint8_t* blue, int32_t count);
    void SetGreyPalette(int32_t count);

    // Frees the header block and pixels; the frame record (delay, transparency) stays.
    void FreePixels();

    // Marks the rows as stored top-down (negative header height) or bottom-up.
    void SetTopDown(bool topDown);
    bool IsTopDown() const;

    const uint8_t* GetHeaderBlock() const { return m_block.get(); }
    size_t GetHeaderBlockSize() const { return m_blockSize; }
    UxBitmapHeader* GetHeader() { return reinterpret_cast<UxBitmapHeader*>(m_block.get()); }
    const UxBitmapHeader* GetHeader() const { return reinterpret_cast<const UxBitmapHeader*>(m_block.get()); }
    // Four 32-bit masks (red, green, blue, alpha; alpha 0 when the file gives none) or
    // null when the frame has no bit fields.
    uint32_t* GetMasks();
    UxPaletteEntry* GetPalette();
    const UxPaletteEntry* GetPalette() const;
    int32_t GetPaletteCount() const { return m_paletteCount; }

    uint8_t* GetPixels() { return m_pixels.get(); }
    const uint8_t* GetPixels() const { return m_pixels.get(); }
    size_t GetPixelSize() const { return m_pixelSize; }
    // Row as stored in memory (0 = first row in memory).
    uint8_t* GetRow(int32_t index) { return m_pixels.get() + static_cast<size_t>(index) * m_stride; }
    const uint8_t* GetRow(int32_t index) const
    {
        return m_pixels.get() + static_cast<size_t>(index) * m_stride;
    }

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    int32_t GetBitsPerPixel() const { return m_bits; }
    int32_t GetStride() const { return m_stride; }

    // Animation record (GIF frames).
    uint16_t disposal = 0;
    uint16_t left = 0;
    uint16_t top = 0;
    int32_t delay = 0; // milliseconds
    int32_t transparentIndex = -1;
    // Bitmap files leave the fourth byte of 32-bit pixels unused: when all of them are 0,
    // the picture is opaque rather than invisible.
    bool unusedAlphaMeansOpaque = false;

    static int32_t StrideFor(int32_t width, int32_t bits) { return ((bits * width + 31) / 32) * 4; }

private:
    std::unique_ptr<uint8_t[]> m_block;
    size_t m_blockSize = 0;
    std::unique_ptr<uint8_t[]> m_pixels;
    size_t m_pixelSize = 0;
    int32_t m_paletteCount = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_bits = 0;
    int32_t m_stride = 0;
};
