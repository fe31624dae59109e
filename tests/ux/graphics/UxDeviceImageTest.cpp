#include "ux/graphics/UxDeviceImage.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UxPump.h"
#include "tests/ux/graphics/GraphicsFixture.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxStream.h"
#include "ux/graphics/UxFrameBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using testimg::Bytes;

std::unique_ptr<UxDeviceImage> MakeImage(const Bytes& file, int32_t mode = UxDeviceImageInfo::Premultiplied)
{
    auto image = std::make_unique<UxDeviceImage>();
    auto sequence = testimg::DecodeBytes(file);
    if (!sequence || !image->Load(std::move(sequence), mode))
        return nullptr;
    return image;
}

// 2 x 2 RGBA: top row transparent red and half-covered (200, 100, 50), bottom row opaque
// blue and opaque green.
Bytes RgbaPicture()
{
    return testimg::MakePng(
        2, 2, PNG_COLOR_TYPE_RGBA, 8, { 255, 0, 0, 0, 200, 100, 50, 128, 0, 0, 255, 255, 0, 255, 0, 255 });
}

// B, G, R, A of a frame's bitmap at (x, y from the top).
Bytes DibPixel(UxFrameBitmap* frame, int x, int y)
{
    auto* bits = static_cast<const uint8_t*>(frame->GetBitmap().GetBits());
    bits += (y * frame->GetBitmap().GetFormat().Width + x) * 4;
    return Bytes(bits, bits + 4);
}

TEST(UxFrameBitmap, ConversionPremultipliesOrKeysTheTransparentEntry)
{
    // Premultiplied, rows top-down: alpha 0 gives all zero, the rest scaled and truncated.
    auto image = MakeImage(RgbaPicture());
    ASSERT_TRUE(image);
    UxFrameBitmap* frame = image->FrameAt(0);
    ASSERT_NE(frame->GetBitmap().GetBits(), nullptr);
    EXPECT_EQ(DibPixel(frame, 0, 0), (Bytes { 0, 0, 0, 0 }));
    EXPECT_EQ(DibPixel(frame, 1, 0), (Bytes { 50 * 128 / 255, 100 * 128 / 255, 200 * 128 / 255, 128 }));
    EXPECT_EQ(DibPixel(frame, 0, 1), (Bytes { 255, 0, 0, 255 }));

    // A 24-bit picture in the premultiplied mode becomes a bitmap without memory.
    auto rgb = MakeImage(testimg::MakePng(1, 1, PNG_COLOR_TYPE_RGB, 8, { 10, 20, 30 }));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->FrameAt(0)->GetBitmap().GetBits(), nullptr);
    auto target = MakeSurface(2, 1);
    ASSERT_TRUE(rgb->Blit(*target, {}, {}, plat::SRCCOPY));
    EXPECT_EQ(PixelAt(*target, 0, 0), plat::RGB(10, 20, 30));
    EXPECT_FALSE(UxFrameBitmap().Convert(7, image->FrameAt(0)->GetFrame()));

    // A transparent palette entry becomes the colour key; global entry i is (3i, 5i, 7i).
    auto keyed = MakeImage(testimg::Gif(2, 1, 8).Control(2, 0, 3).Image(2, 1, { 3, 5 }, 3).End());
    ASSERT_TRUE(keyed && keyed->FrameAt(0)->HasColorKey());
    target->FillRect(plat::RGB(1, 2, 3), {});
    ASSERT_TRUE(keyed->TransparentBlt(*target, {}, {}, keyed->FrameAt(0)->GetColorKey()));
    EXPECT_EQ(PixelAt(*target, 0, 0), plat::RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(*target, 1, 0), plat::RGB(15, 25, 35));
}

// Two pixels of a hand-built bitmap file in every depth and mask layout that carries
// alpha or reorders channels, and what each must look like once converted and drawn.
struct BitmapCase {
    const char* name;
    Bytes file;
    uint8_t rgba[2][4]; // straight colour and alpha of the left and right pixel
};

Bytes Le(std::initializer_list<uint32_t> values, int size)
{
    Bytes b;
    for (uint32_t v : values)
        testimg::Put(b, v, size);
    return b;
}

Bytes BitmapFile(uint16_t bits, uint32_t compression, Bytes pixels, Bytes masks = {}, uint32_t header = 40)
{
    testimg::Bmp bmp(2, 1, bits, compression, {}, std::move(pixels));
    bmp.masks = std::move(masks);
    bmp.headerSize = header;
    return bmp.Build();
}

TEST(UxFrameBitmap, ThirtyTwoAndSixteenBitBitmapsKeepTheirColoursAndAlphaInEveryMode)
{
    const BitmapCase cases[] = {
        { "plain 32-bit, fourth bytes unused", BitmapFile(32, 0, { 30, 20, 10, 0, 60, 50, 40, 0 }),
            { { 10, 20, 30, 255 }, { 40, 50, 60, 255 } } },
        { "plain 32-bit with alpha", BitmapFile(32, 0, { 30, 20, 10, 255, 60, 50, 40, 128 }),
            { { 10, 20, 30, 255 }, { 40, 50, 60, 128 } } },
        { "32-bit fields, red lowest",
            BitmapFile(32, 3, { 10, 20, 30, 0, 40, 50, 60, 0 }, Le({ 0xFF, 0xFF00, 0xFF0000 }, 4)),
            { { 10, 20, 30, 255 }, { 40, 50, 60, 255 } } },
        { "32-bit fields with an alpha mask",
            BitmapFile(32, 3, { 128, 10, 20, 30, 255, 40, 50, 60 },
                Le({ 0xFF00, 0xFF0000, 0xFF000000, 0xFF }, 4), 108),
            { { 10, 20, 30, 128 }, { 40, 50, 60, 255 } } },
        { "16-bit fields 5-6-5", BitmapFile(16, 3, Le({ 0xF800, 0x07E0 }, 2), Le({ 0xF800, 0x07E0, 0x1F }, 4)),
            { { 255, 0, 0, 255 }, { 0, 255, 0, 255 } } },
        { "16-bit fields with an alpha mask",
            BitmapFile(16, 3, Le({ 0x8F00, 0xF0F0 }, 2), Le({ 0x0F00, 0x00F0, 0x000F, 0xF000 }, 4), 56),
            { { 255, 0, 0, 136 }, { 0, 255, 0, 255 } } },
    };
    const plat::COLORREF grey = plat::RGB(100, 100, 100);
    auto near = [](int a, int b) { return std::abs(a - b) <= 2; };
    for (const BitmapCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto blended = MakeImage(c.file);
        auto stored = MakeImage(c.file, UxDeviceImageInfo::AsStored);
        auto compatible = MakeImage(c.file, UxDeviceImageInfo::Compatible);
        ASSERT_TRUE(blended && stored && compatible);
        auto target = MakeSurface(2, 1);
        target->FillRect(grey, {});
        ASSERT_TRUE(blended->AlphaBlendPerPixel(*target, { 0, 0, 2, 1 }, { 0, 0, 2, 1 }));
        auto copy = MakeSurface(2, 1);
        ASSERT_TRUE(compatible->Blit(*copy, {}, {}, plat::SRCCOPY));
        for (int x = 0; x < 2; ++x) {
            const uint8_t* want = c.rgba[x];
            Bytes straight = DibPixel(stored->FrameAt(0), x, 0);
            EXPECT_TRUE(near(straight[2], want[0]) && near(straight[1], want[1]) && near(straight[0], want[2])
                && near(straight[3], want[3]))
                << "as stored, pixel " << x;
            plat::COLORREF drawn = PixelAt(*target, x, 0);
            int channels[3] = { plat::GetRValue(drawn), plat::GetGValue(drawn), plat::GetBValue(drawn) };
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(near(channels[i], (want[i] * want[3] + 100 * (255 - want[3])) / 255))
                    << "blended, pixel " << x << " channel " << i << ": " << channels[i];
            plat::COLORREF copied = PixelAt(*copy, x, 0);
            EXPECT_TRUE(near(plat::GetRValue(copied), want[0]) && near(plat::GetGValue(copied), want[1])
                && near(plat::GetBValue(copied), want[2]))
                << "compatible, pixel " << x;
        }
    }
}

// Three frames with delays 0, 50 and 0 ms: 100, 50 and 100, 250 ms in all.
Bytes Animation(int loops)
{
    testimg::Gif gif(1, 1, 4);
    gif.Loop(loops);
    for (int delay : { 0, 5, 0 })
        gif.Control(0, delay, -1).Image(1, 1, { 1 }, 2);
    return gif.End();
}

TEST(UxDeviceImage, FrameFollowsTheClockThroughDelaysAndLoops)
{
    UxTimeFixture time;
    auto forever = MakeImage(Animation(0));
    ASSERT_TRUE(forever);
    ASSERT_EQ(forever->GetFrameCount(), 3u);
    EXPECT_EQ(forever->GetTotalDuration(), 250u);
    EXPECT_EQ(forever->FrameAt(3), nullptr);

    auto twice = MakeImage(Animation(2));
    ASSERT_TRUE(twice);
    // Time, then the frame of each.
    const uint64_t steps[][3] = { { 0, 0, 0 }, { 99, 0, 0 }, { 100, 1, 1 }, { 120, 1, 1 }, { 150, 2, 2 },
        { 260, 0, 0 }, { 499, 2, 2 }, { 500, 0, 2 }, { 2620, 1, 2 } };
    uint64_t start = time.manual.Now();
    for (auto [at, inForever, inTwice] : steps) {
        time.manual.Set(start + at);
        EXPECT_EQ(forever->CurrentFrameIndex(), inForever) << "at " << at;
        EXPECT_EQ(twice->CurrentFrameIndex(), inTwice) << "at " << at;
    }
}

TEST(UxDeviceImage, DrawsTheCurrentFrameFourWays)
{
    auto image = MakeImage(RgbaPicture());
    ASSERT_TRUE(image);
    auto target = MakeSurface(4, 2);
    const plat::RECT whole { 0, 0, 2, 2 };
    const plat::COLORREF grey = plat::RGB(100, 100, 100);

    target->FillRect(grey, {});
    ASSERT_TRUE(image->AlphaBlendPerPixel(*target, whole, whole));
    EXPECT_EQ(PixelAt(*target, 0, 0), grey); // fully transparent
    EXPECT_EQ(PixelAt(*target, 0, 1), plat::RGB(0, 0, 255));
    ASSERT_TRUE(image->AlphaBlend(*target, whole, whole, 255));
    EXPECT_EQ(PixelAt(*target, 0, 0), plat::RGB(0, 0, 0)) << "constant alpha: the premultiplied black";
    target->FillRect(grey, {});
    ASSERT_TRUE(image->Blit(*target, { 2, 0, 4, 2 }, { 0, 1, 1, 2 }, plat::SRCCOPY)); // stretched
    EXPECT_EQ(PixelAt(*target, 3, 1), plat::RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(*target, 1, 1), grey);

    image->Release();
    EXPECT_FALSE(image->TransparentBlt(*target, whole, whole, 0));
}

TEST(UxDeviceImage, LoadsFromTheImageFolderAtOnceOrWhenFirstNeeded)
{
    TempFolder folder;
    Bytes png = RgbaPicture();
    folder.Write("Face.PNG", std::string(png.begin(), png.end()));
    UxPathResolver resolver;
    resolver.SetBase(0, folder.Designed());

    UxDeviceImage image;
    UxDeviceImageInfo info;
    info.FileName = L"face.png";
    ASSERT_TRUE(image.Load(info));
    EXPECT_EQ(image.GetWidth(), 2);
    info.FileName = L"missing.png";
    EXPECT_FALSE(image.Load(info));

    // Deferred, a file is read when first needed, and may be dropped and read again.
    auto target = MakeSurface(2, 2);
    const plat::RECT whole { 0, 0, 2, 2 };
    info.FileName = L"face.png";
    ASSERT_TRUE(image.Defer(info));
    EXPECT_FALSE(image.IsRealized());
    EXPECT_EQ(image.GetWidth(), 2); // the size asks for the file
    EXPECT_TRUE(image.IsRealized());
    image.Drop();
    EXPECT_FALSE(image.IsRealized());
    EXPECT_EQ(image.GetHeight(), 2); // still known
    EXPECT_FALSE(image.IsRealized());
    ASSERT_TRUE(image.Blit(*target, whole, whole, plat::SRCCOPY)); // drawing reads it again
    EXPECT_EQ(PixelAt(*target, 0, 1), plat::RGB(0, 0, 255));

    // A stream is read at once and kept: it is the caller's and may be gone later.
    UxMemoryStream stream(png.data(), uint32_t(png.size()));
    UxDeviceImageInfo streamed;
    streamed.Stream = &stream;
    ASSERT_TRUE(image.Defer(streamed));
    EXPECT_TRUE(image.IsRealized());
    image.Drop();
    EXPECT_TRUE(image.IsRealized());

    info.FileName = L"missing.png";
    EXPECT_FALSE(image.Defer(info));
    // A file that stops decoding draws nothing.
    ASSERT_TRUE(image.Defer(UxDeviceImageInfo { nullptr, L"face.png" }));
    folder.Write("Face.PNG", "not a picture");
    EXPECT_FALSE(image.Blit(*target, whole, whole, plat::SRCCOPY));
    EXPECT_FALSE(image.IsRealized());
}

} // namespace
