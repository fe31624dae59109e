#pragma once

// Decodes bytes held in memory for the picture tests.

#include "ux/core/UxStream.h"
#include "ux/graphics/UxImageSequence.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace testimg {

inline std::unique_ptr<UxImageSequence> DecodeBytes(const std::vector<uint8_t>& bytes, int32_t type = 4)
{
    UxMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    auto sequence = std::make_unique<UxImageSequence>();
    if (!sequence->Decode(stream, type))
        return nullptr;
    return sequence;
}

// The first prefix (shorter than the whole) that still decodes, or -1 when none does.
inline long FirstDecodingPrefix(const std::vector<uint8_t>& bytes, int32_t type = 4)
{
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        if (DecodeBytes(cut, type))
            return static_cast<long>(n);
    }
    return -1;
}

} // namespace testimg
