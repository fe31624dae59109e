#pragma once

#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// A memory context over a fresh bitmap for drawing tests. When the test has failed by
// the time the canvas goes, the picture is written as <suite>.<test>.png under the test
// data folder, to look at.
class GdiCanvas {
public:
    GdiCanvas(int width, int height, bool alpha = false)
    {
        dc = plat::CreateCompatibleDC(nullptr);
        if (alpha) {
            plat::BITMAPINFO info;
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = -height;
            info.bmiHeader.biBitCount = 32;
            bitmap = plat::CreateDIBSection(dc, &info, plat::DIB_RGB_COLORS, nullptr);
        } else {
            bitmap = plat::CreateCompatibleBitmap(dc, width, height);
        }
        previous = plat::SelectObject(dc, bitmap);
    }
    ~GdiCanvas()
    {
        if (::testing::Test::HasFailure())
            SavePicture();
        plat::SelectObject(dc, previous);
        plat::DeleteObject(bitmap);
        plat::DeleteDC(dc);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void Fill(plat::COLORREF colour, plat::RECT r)
    {
        plat::COLORREF old = plat::SetBkColor(dc, colour);
        plat::ExtTextOutW(dc, 0, 0, plat::ETO_OPAQUE, &r, nullptr, 0, nullptr);
        plat::SetBkColor(dc, old);
    }
    void Fill(plat::COLORREF colour) { Fill(colour, plat::RECT { 0, 0, bitmap->Width(), bitmap->Height() }); }

    // Raw B, G, R, A word and the colour at (x, y).
    uint32_t Raw(int x, int y) const { return bitmap->Pixel(x, y); }
    plat::COLORREF At(int x, int y) const { return plat::GetPixel(dc, x, y); }

    // The colours along row y.
    std::vector<plat::COLORREF> Row(int y) const
    {
        std::vector<plat::COLORREF> row;
        for (int x = 0; x < bitmap->Width(); ++x)
            row.push_back(At(x, y));
        return row;
    }

    // Pixels of r that are not the background colour.
    int Ink(plat::RECT r, plat::COLORREF background) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) != background;
        return n;
    }

    // Starts of the runs of non-background pixels along row y.
    std::vector<int> RunStarts(int y, plat::COLORREF background) const
    {
        std::vector<int> starts;
        bool inRun = false;
        for (int x = 0; x < bitmap->Width(); ++x) {
            bool ink = At(x, y) != background;
            if (ink && !inRun)
                starts.push_back(x);
            inRun = ink;
        }
        return starts;
    }

    void SavePicture() const
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const char* folder = std::getenv("XDG_DATA_HOME");
        std::string path = std::string(folder ? folder : "/tmp") + "/" + info->test_suite_name() + "."
            + info->name() + ".png";
        if (plat::WritePng(bitmap, path))
            std::printf("picture of the failed drawing: %s\n", path.c_str());
    }

    plat::HDC dc = nullptr;
    plat::HBITMAP bitmap = nullptr;
    plat::HGDIOBJ previous = nullptr;
};
