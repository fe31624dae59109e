// Full-screen (480 x 640) fill, copy and per-pixel blend, each reported as a ratio to a
// plain memcpy of the same bytes ("vs_memcpy": 2.0 means twice memcpy's time).

#include "bench/BenchSupport.h"
#include "platform/gdi/Gdi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

using namespace plat;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;

void Report(benchmark::State& state, const VsMemcpy& ratio)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
    ratio.Report(state);
}

struct Surface {
    explicit Surface(bool alpha)
    {
        dc = CreateCompatibleDC(nullptr);
        if (alpha) {
            BITMAPINFO info;
            info.bmiHeader.biWidth = kWidth;
            info.bmiHeader.biHeight = -kHeight;
            info.bmiHeader.biBitCount = 32;
            bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr);
        } else {
            bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
        }
        previous = SelectObject(dc, bitmap);
    }
    ~Surface()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

void BM_Memcpy(benchmark::State& state)
{
    std::vector<uint8_t> a(kFrameBytes, 1), b(kFrameBytes);
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            std::memcpy(b.data(), a.data(), kFrameBytes);
            benchmark::DoNotOptimize(b.data());
            benchmark::ClobberMemory();
        });
    }
    Report(state, ratio);
}

void BM_Fill(benchmark::State& state)
{
    Surface screen(false);
    RECT all { 0, 0, kWidth, kHeight };
    COLORREF colour = 0;
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            SetBkColor(screen.dc, colour++ & 0xFFFFFF);
            ExtTextOutW(screen.dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
            benchmark::ClobberMemory();
        });
    }
    Report(state, ratio);
}

void BM_Copy(benchmark::State& state)
{
    Surface screen(false), surface(false);
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            BitBlt(screen.dc, 0, 0, kWidth, kHeight, surface.dc, 0, 0, SRCCOPY);
            benchmark::ClobberMemory();
        });
    }
    Report(state, ratio);
}

void BM_BlendPerPixel(benchmark::State& state)
{
    Surface screen(false), image(true);
    // Every alpha from 0 to 255 across each row, premultiplied grey.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t a = uint32_t(x * 255 / (kWidth - 1));
            uint32_t c = a * 200 / 255;
            image.bitmap->Row(y)[x] = (a << 24) | (c << 16) | (c << 8) | c;
        }
    BLENDFUNCTION blend { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            AlphaBlend(screen.dc, 0, 0, kWidth, kHeight, image.dc, 0, 0, kWidth, kHeight, blend);
            benchmark::ClobberMemory();
        });
    }
    Report(state, ratio);
}

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_Fill);
BENCHMARK(BM_Copy);
BENCHMARK(BM_BlendPerPixel);

} // namespace
