#include "ux/graphics/UxJpegDecoder.h"

#include "ux/core/UxText.h"
#include "ux/graphics/UxJpegSource.h"

namespace {

// Working memory the library may take (progressive pictures keep every coefficient).
constexpr long kMaxLibraryMemory = 256L << 20;
// Progressive files can repeat scans without end; real ones have a few dozen.
constexpr int kMaxScans = 500;

bool Fail(const wchar_t* reason)
{
    UxTrace(L"[UX+] %s, %s.\n", L"UxJpegDecoder::Decode", reason);
    return false;
}

} // namespace

void UxJpegDecoder::ErrorExit(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    UxTrace(L"[UX+] %s, %hs.\n", L"UxJpegDecoder::Decode", text);
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void UxJpegDecoder::EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // progress chatter
    // Damaged data is warned about once per picture; decoding goes on.
    if (cinfo->err->num_warnings++ == 0) {
        char text[JMSG_LENGTH_MAX];
        (*cinfo->err->format_message)(cinfo, text);
        UxTrace(L"[UX+] %s, warning: %hs.\n", L"UxJpegDecoder::Decode", text);
    }
}

void UxJpegDecoder::Progress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        UxTrace(L"[UX+] %s, %s.\n", L"UxJpegDecoder::Decode", L"Too many scans");
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }
}

bool UxJpegDecoder::Decode(UxInputStream& stream)
{
    m_cinfo = {};
    m_cinfo.err = jpeg_std_error(&m_error.pub);
    m_error.pub.error_exit = ErrorExit;
    m_error.pub.emit_message = EmitMessage;
    m_progress.progress_monitor = Progress;
    if (setjmp(m_error.jump)) {
        jpeg_destroy_decompress(&m_cinfo);
        m_frame.reset();
        return false;
    }
    jpeg_create_decompress(&m_cinfo);
    bool ok = DecodeImage(stream);
    jpeg_destroy_decompress(&m_cinfo);
    if (ok)
        m_frames.push_back(std::move(m_frame));
    m_frame.reset();
    return ok;
}

bool UxJpegDecoder::DecodeImage(UxInputStream& stream)
{
    m_cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    m_cinfo.progress = &m_progress;
    UxJpegSource::Install(&m_cinfo, &stream);
    jpeg_read_header(&m_cinfo, TRUE);

    uint64_t width = m_cinfo.image_width;
    uint64_t height = m_cinfo.image_height;
    if (width < 1 || height < 1 || width > kUxImageMaxSide || height > kUxImageMaxSide)
        return Fail(L"Bad size");
    bool cmyk = false;
    switch (m_cinfo.num_components) {
    case 1:
        m_cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case 3:
        m_cinfo.out_color_space = JCS_EXT_BGR;
        break;
    case 4:
        m_cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        return Fail(L"Unsupported colour layout");
    }
    if (width * height * (cmyk ? 3 : m_cinfo.num_components) > kUxImageMaxBytes)
        return Fail(L"Bad size");
    jpeg_start_decompress(&m_cinfo);

    m_frame = std::make_unique<UxImage>();
    int32_t bits = cmyk ? 24 : m_cinfo.output_components * 8;
    if (!m_frame->Allocate(
            static_cast<int32_t>(m_cinfo.output_width), static_cast<int32_t>(m_cinfo.output_height), bits))
        return Fail(L"Bad size");
    if (bits == 8)
        m_frame->SetGreyPalette(256);

    JSAMPARRAY sample = nullptr;
    if (cmyk)
        sample = (*m_cinfo.mem->alloc_sarray)(
            reinterpret_cast<j_common_ptr>(&m_cinfo), JPOOL_IMAGE, m_cinfo.output_width * 4, 1);
    const int32_t h = m_frame->GetHeight();
    while (m_cinfo.output_scanline < m_cinfo.output_height) {
        int32_t line = static_cast<int32_t>(m_cinfo.output_scanline);
        uint8_t* row = m_frame->GetRow(h - 1 - line); // bottom-up
        JSAMPROW target = cmyk ? sample[0] : row;
        if (jpeg_read_scanlines(&m_cinfo, &target, 1) != 1)
            return Fail(L"Truncated data");
        if (!cmyk)
            continue;
        // Inverted CMYK as stored by common editors: each channel scaled by the fourth.
        const JSAMPLE* s = sample[0];
        for (JDIMENSION x = 0; x < m_cinfo.output_width; ++x, s += 4, row += 3) {
            row[0] = static_cast<uint8_t>(s[2] * s[3] / 255);
            row[1] = static_cast<uint8_t>(s[1] * s[3] / 255);
            row[2] = static_cast<uint8_t>(s[0] * s[3] / 255);
        }
    }
    jpeg_finish_decompress(&m_cinfo);
    return true;
}
