#pragma once

// Shared body of the picture decoder fuzz targets: decode with one decoder, then touch
// every byte the frames claim to own so a wrong size shows up under the sanitizers.

#include "platform/system/Trace.h"
#include "ux/core/UxStream.h"
#include "ux/graphics/UxImageSequence.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline int FuzzImage(const uint8_t* data, size_t size, int32_t type)
{
    static const bool quiet = (plat::SetTraceHook([](const std::wstring&) {}), true);
    (void)quiet;
    if (size > UINT32_MAX)
        return 0;
    UxMemoryStream stream(data, static_cast<uint32_t>(size));
    UxImageSequence sequence;
    if (!sequence.Decode(stream, type))
        return 0;
    volatile uint32_t sum = 0;
    for (size_t i = 0; i < sequence.GetFrameCount(); ++i) {
        const UxImage* frame = sequence.GetFrame(i);
        for (size_t b = 0; b < frame->GetHeaderBlockSize(); ++b)
            sum = sum + frame->GetHeaderBlock()[b];
        const uint8_t* last = frame->GetRow(frame->GetHeight() - 1);
        for (int32_t b = 0; b < frame->GetStride(); ++b)
            sum = sum + last[b];
        sum = sum + frame->GetPixels()[frame->GetPixelSize() - 1];
    }
    return 0;
}
