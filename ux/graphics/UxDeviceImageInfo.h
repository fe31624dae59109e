#pragma once

#include <cstdint>
#include <string>

class UxInputStream;

// What a device image is made from; the image pool's key.
struct UxDeviceImageInfo {
    // How the frames become bitmaps.
    enum BitmapMode : int32_t {
        Premultiplied = 0, // 32-bit frames with per-pixel alpha; others as Compatible
        AsStored = 1, // the frame's pixels copied unchanged
        Compatible = 2, // a bitmap like the screen's, without alpha
    };

    UxInputStream* Stream = nullptr; // null: read FileName
    std::wstring FileName; // relative to the image folder
    int32_t Type = 4; // 0 BMP, 1 JPEG, 2 PNG, 3 GIF, 4 by extension or signature
    int32_t Mode = Premultiplied;

    // Stream (as an address), file name, type, mode.
    bool operator<(const UxDeviceImageInfo& other) const;
};
