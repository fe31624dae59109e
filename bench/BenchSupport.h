#pragma once

// What several benchmarks measure against: a plain memcpy of one full-screen frame,
// the resident memory of a process, and a count of the heap in use.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>
#include <sys/types.h>
#include <vector>

// One 480 x 640 frame of 32-bit pixels.
constexpr size_t kFrameBytes = size_t(480) * 640 * 4;

// Seconds for one memcpy of a frame, best of many runs.
inline double FrameMemcpySeconds()
{
    static const double seconds = [] {
        std::vector<uint8_t> a(kFrameBytes, 1), b(kFrameBytes);
        double best = 1e9;
        for (int run = 0; run < 200; ++run) {
            auto start = std::chrono::steady_clock::now();
            std::memcpy(b.data(), a.data(), kFrameBytes);
            benchmark::DoNotOptimize(b.data());
            benchmark::ClobberMemory();
            best = std::min(
                best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    }();
    return seconds;
}

// Each iteration's time as a ratio to that memcpy ("vs_memcpy": 2.0 means twice its time).
inline void ReportVsMemcpy(benchmark::State& state)
{
    state.counters["vs_memcpy"] = benchmark::Counter(double(state.iterations()) * FrameMemcpySeconds(),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// VmRSS of a process (this one when pid is 0), in kilobytes; 0 when it cannot be read.
inline double ResidentKb(pid_t pid = 0)
{
    std::ifstream status("/proc/" + (pid ? std::to_string(pid) : std::string("self")) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6));
    return 0;
}

// Bytes on the heap now, and the most since a benchmark last set it; counted only in a
// program that says COUNT_HEAP_ALLOCATIONS().
inline size_t g_heapLive = 0;
inline size_t g_heapPeak = 0;

inline void* CountedAllocate(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    g_heapLive += malloc_usable_size(p);
    g_heapPeak = std::max(g_heapPeak, g_heapLive);
    return p;
}

inline void CountedRelease(void* p)
{
    if (!p)
        return;
    g_heapLive -= malloc_usable_size(p);
    std::free(p);
}

// Replaces the global operator new and delete with the counted ones; once, at file scope.
// clang-format off
#define COUNT_HEAP_ALLOCATIONS()                                                         \
    void* operator new(size_t size) { return CountedAllocate(size); }                   \
    void* operator new[](size_t size) { return CountedAllocate(size); }                 \
    void operator delete(void* p) noexcept { CountedRelease(p); }                       \
    void operator delete[](void* p) noexcept { CountedRelease(p); }                     \
    void operator delete(void* p, size_t) noexcept { CountedRelease(p); }               \
    void operator delete[](void* p, size_t) noexcept { CountedRelease(p); }
// clang-format on
