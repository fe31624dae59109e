#include "ux/graphics/UxPngDecoder.h"

#include "ux/core/UxStream.h"
#include "ux/core/UxText.h"

namespace {

// Bounds on what ancillary chunks may cost (text, profiles): count and decompressed size.
constexpr png_uint_32 kMaxChunks = 128;
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

bool Fail(const wchar_t* reason)
{
    UxTrace(L"[UX+] %s, %s.\n", L"UxPngDecoder::Decode", reason);
    return false;
}

} // namespace

void UxPngDecoder::ReadData(png_structp png, png_bytep buffer, size_t length)
{
    auto* stream = static_cast<UxInputStream*>(png_get_io_ptr(png));
    if (length > UINT32_MAX || !stream->Read(buffer, static_cast<uint32_t>(length)))
        png_error(png, "Error: png_read_data");
}

void UxPngDecoder::Error(png_structp png, png_const_charp message)
{
    UxTrace(L"[UX+] %s, %hs.\n", L"UxPngDecoder::Decode", message);
    png_longjmp(png, 1);
}

void UxPngDecoder::Warning(png_structp png, png_const_charp message)
{
    // Traced once per picture: damaged files can warn on every chunk.
    auto* self = static_cast<UxPngDecoder*>(png_get_error_ptr(png));
    if (self->m_warnings++ == 0)
        UxTrace(L"[UX+] %s, warning: %hs.\n", L"UxPngDecoder::Decode", message);
}

bool UxPngDecoder::Decode(UxInputStream& stream)
{
    m_warnings = 0;
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, Error, Warning);
    if (!m_png)
        return Fail(L"Cannot create the reader");
    m_info = png_create_info_struct(m_png);
    if (!m_info) {
        png_destroy_read_struct(&m_png, nullptr, nullptr);
        return Fail(L"Cannot create the reader");
    }
    if (setjmp(png_jmpbuf(m_png)))
        return Finish(false);
    png_set_read_fn(m_png, &stream, ReadData);
    return Finish(DecodeImage());
}

bool UxPngDecoder::Finish(bool ok)
{
    png_destroy_read_struct(&m_png, &m_info, nullptr);
    m_rows.clear();
    if (ok)
        m_frames.push_back(std::move(m_frame));
    m_frame.reset();
    return ok;
}

bool UxPngDecoder::DecodeImage()
{
    png_set_user_limits(m_png, kUxImageMaxSide, kUxImageMaxSide);
    png_set_chunk_cache_max(m_png, kMaxChunks);
    png_set_chunk_malloc_max(m_png, kMaxChunkBytes);
#ifdef PNG_IGNORE_ADLER32
    // Every chunk's CRC already covers the compressed bytes; zlib's own sum over the
    // inflated rows is a second pass over every pixel on each picture's first draw.
    png_set_option(m_png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(m_png, m_info);

    png_uint_32 width = png_get_image_width(m_png, m_info);
    png_uint_32 height = png_get_image_height(m_png, m_info);
    int depth = png_get_bit_depth(m_png, m_info);
    int colourType = png_get_color_type(m_png, m_info);

    if (depth == 16)
        png_set_strip_16(m_png);
    if (png_get_valid(m_png, m_info, PNG_INFO_tRNS)) {
        // Transparency chunk: every layout becomes colour with alpha.
        png_set_tRNS_to_alpha(m_png);
        if (!(colourType & PNG_COLOR_MASK_COLOR))
            png_set_gray_to_rgb(m_png);
    } else if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(m_png);
    } else if (colourType == PNG_COLOR_TYPE_GRAY && depth == 2) {
        png_set_expand_gray_1_2_4_to_8(m_png);
    } else if (colourType == PNG_COLOR_TYPE_PALETTE && depth == 2) {
        png_set_packing(m_png);
    }
    png_set_bgr(m_png);
    png_set_interlace_handling(m_png);
    png_read_update_info(m_png, m_info);

    int channels = png_get_channels(m_png, m_info);
    int bits = channels * png_get_bit_depth(m_png, m_info);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return Fail(L"Unsupported layout");
    m_frame = std::make_unique<UxImage>();
    if (!m_frame->Allocate(static_cast<int32_t>(width), static_cast<int32_t>(height), bits))
        return Fail(L"Bad size");
    if (png_get_rowbytes(m_png, m_info) > static_cast<size_t>(m_frame->GetStride()))
        return Fail(L"Unsupported layout");

    int outType = png_get_color_type(m_png, m_info);
    if (outType == PNG_COLOR_TYPE_GRAY) {
        m_frame->SetGreyPalette(1 << bits);
    } else if (outType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(m_png, m_info, &palette, &count) && palette)
            m_frame->SetPalette(reinterpret_cast<const uint8_t*>(palette), count, false);
    }

    // 32-bit frames are top-down, the others bottom-up.
    bool topDown = bits == 32;
    const int32_t h = m_frame->GetHeight();
    m_rows.resize(static_cast<size_t>(h));
    for (int32_t i = 0; i < h; ++i)
        m_rows[static_cast<size_t>(i)] = m_frame->GetRow(topDown ? i : h - 1 - i);
    m_frame->SetTopDown(topDown);
    png_read_image(m_png, m_rows.data());
    png_read_end(m_png, nullptr);
    return true;
}
