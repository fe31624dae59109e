#pragma once

// Builders of small picture files for the decoder tests and fuzz seeds: bitmaps and GIFs
// byte by byte, PNG and JPEG through the libraries' own writers.

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace testimg {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline void Append(Bytes& b, const Bytes& more)
{
    b.insert(b.end(), more.begin(), more.end());
}

inline void AppendText(Bytes& b, const char* s)
{
    b.insert(b.end(), s, s + std::strlen(s));
}

// A bitmap file: header size 12 (core), 40 or larger; palette entries are given as
// 4-byte (or, for the core header, 3-byte) groups; pixels follow the palette.
struct Bmp {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    Bytes masks; // written right behind a 40-byte header
    Bytes palette;
    Bytes pixels;

    Bytes Build() const
    {
        Bytes info;
        Put32(info, headerSize);
        if (headerSize == 12) {
            Put16(info, static_cast<uint32_t>(width));
            Put16(info, static_cast<uint32_t>(height));
            Put16(info, 1);
            Put16(info, bits);
        } else {
            Put32(info, static_cast<uint32_t>(width));
            Put32(info, static_cast<uint32_t>(height));
            Put16(info, 1);
            Put16(info, bits);
            Put32(info, compression);
            Put32(info, static_cast<uint32_t>(pixels.size()));
            Put32(info, 2835);
            Put32(info, 2835);
            Put32(info, coloursUsed);
            Put32(info, 0);
            // Longer headers carry the masks in their first extra bytes.
            Bytes extra(headerSize - 40, 0);
            for (size_t i = 0; i < masks.size() && i < extra.size(); ++i)
                extra[i] = masks[i];
            Append(info, extra);
            if (headerSize == 40)
                Append(info, masks);
        }
        Bytes file = { 'B', 'M' };
        uint32_t offset = 14 + static_cast<uint32_t>(info.size() + palette.size());
        Put32(file, offset + static_cast<uint32_t>(pixels.size()));
        Put32(file, 0);
        Put32(file, offset);
        Append(file, info);
        Append(file, palette);
        Append(file, pixels);
        return file;
    }
};

// Variable-length-code compression as GIF stores it (clear code first, end code last,
// a clear when the table is full).
inline Bytes LzwEncode(const Bytes& indices, int minSize)
{
    Bytes out;
    uint32_t acc = 0;
    int count = 0;
    const int clear = 1 << minSize;
    int size = minSize + 1;
    int next = clear + 2;
    auto emit = [&](int code) {
        acc |= static_cast<uint32_t>(code) << count;
        count += size;
        while (count >= 8) {
            out.push_back(static_cast<uint8_t>(acc));
            acc >>= 8;
            count -= 8;
        }
    };
    std::map<std::pair<int, int>, int> table;
    emit(clear);
    if (!indices.empty()) {
        int current = indices[0];
        for (size_t i = 1; i < indices.size(); ++i) {
            int k = indices[i];
            auto it = table.find({ current, k });
            if (it != table.end()) {
                current = it->second;
                continue;
            }
            emit(current);
            if (next < 4096) {
                table[{ current, k }] = next++;
                if (next > (1 << size) && size < 12)
                    ++size;
            } else {
                emit(clear);
                table.clear();
                next = clear + 2;
                size = minSize + 1;
            }
            current = k;
        }
        emit(current);
    }
    emit(clear + 1);
    if (count > 0)
        out.push_back(static_cast<uint8_t>(acc));
    return out;
}

// Cuts data into sub-blocks of at most chunk bytes and adds the empty one.
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

// A GIF assembled block by block.
struct Gif {
    Bytes bytes;

    Gif(int width, int height, int globalEntries, bool withGlobalTable = true)
    {
        AppendText(bytes, "GIF89a");
        Put16(bytes, static_cast<uint32_t>(width));
        Put16(bytes, static_cast<uint32_t>(height));
        int bitsLess1 = 0;
        while ((2 << bitsLess1) < globalEntries)
            ++bitsLess1;
        bytes.push_back(static_cast<uint8_t>((withGlobalTable ? 0x80 : 0) | bitsLess1));
        bytes.push_back(0);
        bytes.push_back(0);
        if (withGlobalTable) {
            for (int i = 0; i < (2 << bitsLess1); ++i) {
                bytes.push_back(static_cast<uint8_t>(i * 3));
                bytes.push_back(static_cast<uint8_t>(i * 5));
                bytes.push_back(static_cast<uint8_t>(i * 7));
            }
        }
    }

    Gif& Control(int disposal, int delay, int transparent)
    {
        Bytes b = { 0x21, 0xF9, 4 };
        b.push_back(static_cast<uint8_t>(disposal << 2 | (transparent >= 0 ? 1 : 0)));
        Put16(b, static_cast<uint32_t>(delay));
        b.push_back(static_cast<uint8_t>(transparent >= 0 ? transparent : 0));
        b.push_back(0);
        Append(bytes, b);
        return *this;
    }

    Gif& Loop(int count)
    {
        Bytes b = { 0x21, 0xFF, 11 };
        AppendText(b, "NETSCAPE2.0");
        b.push_back(3);
        b.push_back(1);
        Put16(b, static_cast<uint32_t>(count));
        b.push_back(0);
        Append(bytes, b);
        return *this;
    }

    Gif& Image(int width, int height, const Bytes& indices, int minSize = 8, bool interlaced = false,
        int localEntries = 0, size_t chunk = 255)
    {
        bytes.push_back(0x2C);
        Put16(bytes, 0);
        Put16(bytes, 0);
        Put16(bytes, static_cast<uint32_t>(width));
        Put16(bytes, static_cast<uint32_t>(height));
        int bitsLess1 = 0;
        while ((2 << bitsLess1) < localEntries)
            ++bitsLess1;
        bytes.push_back(
            static_cast<uint8_t>((localEntries ? 0x80 | bitsLess1 : 0) | (interlaced ? 0x40 : 0)));
        for (int i = 0; localEntries && i < (2 << bitsLess1); ++i) {
            bytes.push_back(static_cast<uint8_t>(255 - i));
            bytes.push_back(0);
            bytes.push_back(static_cast<uint8_t>(i));
        }
        return Raw(static_cast<uint8_t>(minSize), SubBlocks(LzwEncode(indices, minSize), chunk));
    }

    Gif& Raw(uint8_t first, const Bytes& rest)
    {
        bytes.push_back(first);
        Append(bytes, rest);
        return *this;
    }

    Bytes End()
    {
        Bytes b = bytes;
        b.push_back(0x3B);
        return b;
    }
};

// PNG through the library's writer. Rows are given top-down, packed as the layout says.
inline Bytes MakePng(int width, int height, int colourType, int depth, const Bytes& rows,
    const std::vector<png_color>& palette = {}, const Bytes& alphaOfPalette = {}, bool interlaced = false)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth,
        colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!alphaOfPalette.empty())
        png_set_tRNS(png, info, alphaOfPalette.data(), static_cast<int>(alphaOfPalette.size()), nullptr);
    png_write_info(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_bytep> pointers(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        pointers[static_cast<size_t>(y)]
            = const_cast<png_bytep>(rows.data() + static_cast<size_t>(y) * rowBytes);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// JPEG through the library's compressor; samples top-down, components 1 (grey),
// 3 (red, green, blue) or 4 (CMYK as stored by common editors).
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
        JSAMPROW row = const_cast<JSAMPROW>(
            samples.data() + c.next_scanline * static_cast<size_t>(width * components));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

} // namespace testimg
