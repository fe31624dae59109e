#pragma once

#include "ux/graphics/UxImageDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// JPEG through libjpeg: grey pictures become 8-bit frames with a grey palette, colour
// and CMYK pictures 24-bit frames in blue, green, red order; rows bottom-up.
class UxJpegDecoder : public UxImageDecoder {
public:
    bool Decode(UxInputStream& stream) override;

private:
    // Library errors jump back to Decode; nothing with a destructor may live on the
    // stack in between, so the state is kept here.
    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
    };

    bool DecodeImage(UxInputStream& stream);
    static void ErrorExit(j_common_ptr cinfo);
    static void EmitMessage(j_common_ptr cinfo, int level);
    static void Progress(j_common_ptr cinfo);

    jpeg_decompress_struct m_cinfo {};
    ErrorManager m_error {};
    jpeg_progress_mgr m_progress {};
    std::unique_ptr<UxImage> m_frame;
};
