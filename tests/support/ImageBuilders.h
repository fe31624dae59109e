#pragma once

// Small picture files for the decoder tests and fuzz seeds: bitmaps and GIFs byte by
// byte, PNG and JPEG through the libraries' own writers; and decoding from memory.

#include "ux/core/UxStream.h"
#include "ux/graphics/UxImageSequence.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace testimg {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint32_t v, int size)
{
    for (int i = 0; i < size; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A bitmap file: header size 12 (core), 40 or longer (masks then sit in its tail);
// palette entries of 3 (core) or 4 bytes; pixels right behind the palette.
struct Bmp {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
    Bytes palette, pixels, masks;
    uint32_t headerSize = 40, coloursUsed = 0;

    Bmp(int32_t w, int32_t h, uint16_t b, uint32_t c, Bytes pal, Bytes pix)
        : width(w)
        , height(h)
        , bits(b)
        , compression(c)
        , palette(std::move(pal))
        , pixels(std::move(pix))
    {
    }

    Bytes Build() const
    {
        Bytes info;
        Put(info, headerSize, 4);
        int side = headerSize == 12 ? 2 : 4;
        Put(info, static_cast<uint32_t>(width), side);
        Put(info, static_cast<uint32_t>(height), side);
        Put(info, 1, 2);
        Put(info, bits, 2);
        if (headerSize > 12) {
            for (uint32_t v :
                { compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u, coloursUsed, 0u })
                Put(info, v, 4);
            Bytes tail = masks;
            tail.resize(std::max<size_t>(headerSize - 40, headerSize == 40 ? masks.size() : 0));
            info = info + tail;
        }
        Bytes file = { 'B', 'M' };
        uint32_t offset = 14 + static_cast<uint32_t>(info.size() + palette.size());
        Put(file, offset + static_cast<uint32_t>(pixels.size()), 4);
        Put(file, 0, 4);
        Put(file, offset, 4);
        return file + info + palette + pixels;
    }
};

// GIF image data: clear code first, end code last, a clear whenever the table is full.
inline Bytes LzwEncode(const Bytes& indices, int minSize)
{
    Bytes out;
    uint32_t acc = 0;
    int count = 0, size = minSize + 1;
    const int clear = 1 << minSize;
    int next = clear + 2;
    auto emit = [&](int code) {
        acc |= static_cast<uint32_t>(code) << count;
        for (count += size; count >= 8; count -= 8, acc >>= 8)
            out.push_back(static_cast<uint8_t>(acc));
    };
    std::map<std::pair<int, int>, int> table;
    emit(clear);
    int current = indices.empty() ? -1 : indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        auto it = table.find({ current, indices[i] });
        if (it != table.end()) {
            current = it->second;
            continue;
        }
        emit(current);
        if (next < 4096) {
            table[{ current, indices[i] }] = next++;
            size += next > (1 << size) && size < 12;
        } else {
            emit(clear);
            table.clear();
            next = clear + 2;
            size = minSize + 1;
        }
        current = indices[i];
    }
    if (current >= 0)
        emit(current);
    emit(clear + 1);
    if (count > 0)
        out.push_back(static_cast<uint8_t>(acc));
    return out;
}

// Data cut into sub-blocks of at most chunk bytes, then the empty one.
inline Bytes SubBlocks(const Bytes& data, size_t chunk = 255)
{
    Bytes out;
    for (size_t i = 0; i < data.size(); i += chunk) {
        size_t n = std::min(chunk, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<long>(i), data.begin() + static_cast<long>(i + n));
    }
    out.push_back(0);
    return out;
}

inline int TableBits(int entries)
{
    int bits = 0;
    while ((2 << bits) < entries)
        ++bits;
    return bits;
}

// A GIF assembled block by block; global entry i is (3i, 5i, 7i), local (255 - i, 0, i).
struct Gif {
    Bytes bytes = { 'G', 'I', 'F', '8', '9', 'a' };

    Gif(int width, int height, int globalEntries, bool withGlobalTable = true)
    {
        Put(bytes, static_cast<uint32_t>(width), 2);
        Put(bytes, static_cast<uint32_t>(height), 2);
        int bits = TableBits(globalEntries);
        bytes = bytes + Bytes { static_cast<uint8_t>((withGlobalTable ? 0x80 : 0) | bits), 0, 0 };
        for (int i = 0; withGlobalTable && i < (2 << bits); ++i)
            bytes = bytes
                + Bytes { static_cast<uint8_t>(i * 3), static_cast<uint8_t>(i * 5),
                      static_cast<uint8_t>(i * 7) };
    }

    Gif& Control(int disposal, int delay, int transparent)
    {
        uint8_t packed = static_cast<uint8_t>(disposal << 2 | (transparent >= 0));
        return Raw(0x21,
            { 0xF9, 4, packed, static_cast<uint8_t>(delay), static_cast<uint8_t>(delay >> 8),
                static_cast<uint8_t>(transparent), 0 });
    }

    Gif& Loop(int count)
    {
        return Raw(0x21,
            Bytes { 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0' }
                + Bytes { 3, 1, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8), 0 });
    }

    Gif& Image(int width, int height, const Bytes& indices, int minSize = 8, bool interlaced = false,
        int localEntries = 0, size_t chunk = 255)
    {
        bytes.push_back(0x2C);
        for (int v : { 0, 0, width, height })
            Put(bytes, static_cast<uint32_t>(v), 2);
        int bits = TableBits(localEntries);
        bytes.push_back(static_cast<uint8_t>((localEntries ? 0x80 | bits : 0) | (interlaced ? 0x40 : 0)));
        for (int i = 0; localEntries && i < (2 << bits); ++i)
            bytes = bytes + Bytes { static_cast<uint8_t>(255 - i), 0, static_cast<uint8_t>(i) };
        return Raw(static_cast<uint8_t>(minSize), SubBlocks(LzwEncode(indices, minSize), chunk));
    }

    Gif& Raw(uint8_t first, const Bytes& rest)
    {
        bytes = bytes + Bytes { first } + rest;
        return *this;
    }

    Bytes End() const { return bytes + Bytes { 0x3B }; }
};

// PNG through the library's writer; rows top-down, packed as the layout says.
inline Bytes MakePng(int width, int height, int colourType, int depth, const Bytes& rows,
    const std::vector<png_color>& palette = {}, const Bytes& paletteAlpha = {}, bool interlaced = false)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    auto write = [](png_structp p, png_bytep data, size_t n) {
        static_cast<Bytes*>(png_get_io_ptr(p))
            ->insert(static_cast<Bytes*>(png_get_io_ptr(p))->end(), data, data + n);
    };
    png_set_write_fn(png, &out, write, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth,
        colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!paletteAlpha.empty())
        png_set_tRNS(png, info, paletteAlpha.data(), static_cast<int>(paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y)
        pointers.push_back(
            const_cast<png_bytep>(rows.data()) + static_cast<size_t>(y) * png_get_rowbytes(png, info));
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// JPEG through the library's compressor; components 1 grey, 3 red-green-blue, 4 CMYK.
inline Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, int quality = 95)
{
    jpeg_compress_struct c {};
    jpeg_error_mgr err {};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data())
            + c.next_scanline * static_cast<size_t>(width * components);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

inline std::unique_ptr<UxImageSequence> DecodeBytes(const Bytes& bytes, int32_t type = UxImageTypeAuto)
{
    UxMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    auto sequence = std::make_unique<UxImageSequence>();
    return sequence->Decode(stream, type) ? std::move(sequence) : nullptr;
}

// The first prefix shorter than the whole that still decodes, or -1 when none does.
inline long FirstDecodingPrefix(const Bytes& bytes)
{
    for (size_t n = 0; n < bytes.size(); ++n) {
        if (DecodeBytes(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(n))))
            return static_cast<long>(n);
    }
    return -1;
}

// Bytes of the pixel at (x, y from the top) of an 8-bit or deeper frame, either row order.
inline const uint8_t* PixelAt(const UxImage& frame, int x, int y)
{
    return frame.GetRow(frame.IsTopDown() ? y : frame.GetHeight() - 1 - y) + x * frame.GetBitsPerPixel() / 8;
}

} // namespace testimg
