// A buddy-like list of 1,000 rows in 50 groups, full screen (480 x 640) on a headless
// desktop: one frame after a scroll of a few pixels, and one frame where nothing moved,
// each painted and presented, reported as a ratio to a memcpy of one frame
// ("vs_memcpy": 2.0 means twice memcpy's time).

#include "bench/BenchSupport.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/SampleList.h"
#include "ux/graphics/UxDeviceImagePool.h"
#include "ux/graphics/UxFontPool.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Scene {
    explicit Scene(int groups)
    {
        desktop.desktop->AddChild(list.get());
        list->SetRect({ 0, 0, 480, 640 });
        list->Fill(groups, 20);
        desktop.Flush(); // the first, full paint
    }
    ~Scene()
    {
        desktop.desktop->RemoveChild(list.get());
        list.reset();
    }

    DesktopFixture desktop;
    UxFontPool* fonts = new UxFontPool;
    UxDeviceImagePool* images = new UxDeviceImagePool;
    std::unique_ptr<SampleList> list = std::make_unique<SampleList>();
    std::unique_ptr<UxFontPool> fontOwner { fonts };
    std::unique_ptr<UxDeviceImagePool> imageOwner { images };
};

// Down by 3 pixels a frame, turning at either end. The argument is the number of groups
// of 20: the time must not grow with it.
void BM_ScrollFrame(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    UxScrollAxis& y = scene.list->GetYAxis();
    int32_t end = y.GetViewSize() - y.GetContentPixels();
    int32_t step = -3;
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            if (y.GetOffset() + step < end || y.GetOffset() + step > 0)
                step = -step;
            y.SetPosition(y.GetOffset() + step);
            scene.list->Invalidate(plat::RECT {}, false);
            scene.desktop.Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_ScrollFrame)->Arg(50)->Arg(500);

void BM_StillFrame(benchmark::State& state)
{
    Scene scene(50);
    scene.list->GetYAxis().SetPosition(-20000);
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            scene.list->Invalidate(plat::RECT {}, false);
            scene.desktop.Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_StillFrame);

// For comparison: every frame painted whole.
void BM_FullFrame(benchmark::State& state)
{
    Scene scene(50);
    scene.list->SetPaintMode(UxScrollWindow::PaintFull);
    VsMemcpy ratio;
    for (auto _ : state) {
        ratio.Iterate([&] {
            scene.list->Invalidate(plat::RECT {}, false);
            scene.desktop.Flush();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_FullFrame);

} // namespace
