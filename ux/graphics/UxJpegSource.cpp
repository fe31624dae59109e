#include "ux/graphics/UxJpegSource.h"

#include "ux/core/UxStream.h"

#include <jerror.h>

void UxJpegSource::Install(j_decompress_ptr cinfo, UxInputStream* stream)
{
    auto* src = static_cast<UxJpegSource*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(UxJpegSource)));
    src->buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferSize));
    src->stream = stream;
    src->startOfFile = true;
    src->pub.init_source = InitSource;
    src->pub.fill_input_buffer = FillInputBuffer;
    src->pub.skip_input_data = SkipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = TermSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    cinfo->src = &src->pub;
}

void UxJpegSource::InitSource(j_decompress_ptr cinfo)
{
    reinterpret_cast<UxJpegSource*>(cinfo->src)->startOfFile = true;
}

boolean UxJpegSource::FillInputBuffer(j_decompress_ptr cinfo)
{
    auto* src = reinterpret_cast<UxJpegSource*>(cinfo->src);
    src->stream->Read(src->buffer, kBufferSize);
    size_t got = src->stream->GetLastCount();
    if (got == 0) {
        // A file that ends before its end-of-image marker is damaged: no made-up data.
        if (src->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = got;
    src->startOfFile = false;
    return TRUE;
}

void UxJpegSource::SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count < 1)
        return;
    auto* src = reinterpret_cast<UxJpegSource*>(cinfo->src);
    size_t n = static_cast<size_t>(count);
    while (n > src->pub.bytes_in_buffer) {
        n -= src->pub.bytes_in_buffer;
        FillInputBuffer(cinfo);
    }
    src->pub.next_input_byte += n;
    src->pub.bytes_in_buffer -= n;
}

void UxJpegSource::TermSource(j_decompress_ptr) { }
