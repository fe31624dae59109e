#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class UxInputStream;

// The decompressor's data source over a toolkit input stream. Lives in the library's
// permanent pool, so it goes away with the decompressor.
struct UxJpegSource {
    jpeg_source_mgr pub; // first: the library sees a jpeg_source_mgr*
    UxInputStream* stream;
    JOCTET* buffer;
    bool startOfFile;

    static constexpr size_t kBufferSize = 4096;

    static void Install(j_decompress_ptr cinfo, UxInputStream* stream);

private:
    static void InitSource(j_decompress_ptr cinfo);
    static boolean FillInputBuffer(j_decompress_ptr cinfo);
    static void SkipInputData(j_decompress_ptr cinfo, long count);
    static void TermSource(j_decompress_ptr cinfo);
};
