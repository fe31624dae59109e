#include "platform/gdi/Gdi.h"
#include "tests/support/GdiCanvas.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace plat;

namespace {

std::vector<uint8_t> ReadRgba(const std::string& path, int& width, int& height)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    width = int(image.width);
    height = int(image.height);
    return pixels;
}

TEST(PngWriter, WritesWhatTheBitmapShows)
{
    std::string path = std::string(std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "/tmp")
        + "/png-writer-test.png";
    GdiCanvas opaque(3, 2);
    opaque.Fill(RGB(10, 20, 30));
    opaque.Fill(RGB(200, 100, 0), RECT { 2, 1, 3, 2 });
    ASSERT_TRUE(WritePng(opaque.bitmap, path));
    int w = 0, h = 0;
    auto rgba = ReadRgba(path, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(3, 2));
    std::vector<uint8_t> expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(expected.end(), { 10, 20, 30, 255 });
    expected.insert(expected.end(), { 200, 100, 0, 255 });
    EXPECT_EQ(rgba, expected);

    // Premultiplied pixels come out straight.
    GdiCanvas layered(1, 1, true);
    layered.bitmap->Row(0)[0] = 0x80400000; // red 64 at alpha 128
    ASSERT_TRUE(WritePng(layered.bitmap, path));
    EXPECT_EQ(ReadRgba(path, w, h), (std::vector<uint8_t> { 128, 0, 0, 128 }));
    std::remove(path.c_str());

    EXPECT_FALSE(WritePng(opaque.bitmap, "/nonexistent-folder/x.png"));
}

} // namespace
