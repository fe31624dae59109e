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

// A frame's time against a memcpy of one frame taken in the same iteration, just
// before it, so that both run under whatever load the machine has at that moment.
// "vs_memcpy" is the ratio of the two sums: 2.0 means twice memcpy's time.
class VsMemcpy {
public:
    VsMemcpy()
        : m_from(kFrameBytes, 1)
        , m_to(kFrameBytes)
    {
    }

    // One timed memcpy, then the frame, timed.
    template <typename Frame> void Iterate(Frame&& frame)
    {
        const auto start = Clock::now();
        std::memcpy(m_to.data(), m_from.data(), kFrameBytes);
        benchmark::DoNotOptimize(m_to.data());
        benchmark::ClobberMemory();
        const auto copied = Clock::now();
        frame();
        const auto done = Clock::now();
        m_copy += copied - start;
        m_frame += done - copied;
        ++m_count;
    }

    void Report(benchmark::State& state) const
    {
        if (!m_count || m_copy.count() <= 0)
            return;
        // In floating point: the durations' own division is an integer one.
        state.counters["vs_memcpy"] = std::chrono::duration<double>(m_frame) / std::chrono::duration<double>(m_copy);
        state.counters["frame_us"]
            = std::chrono::duration<double, std::micro>(m_frame).count() / double(m_count);
        state.counters["memcpy_us"]
            = std::chrono::duration<double, std::micro>(m_copy).count() / double(m_count);
    }

private:
    using Clock = std::chrono::steady_clock;
    std::vector<uint8_t> m_from, m_to;
    Clock::duration m_copy {}, m_frame {};
    size_t m_count = 0;
};

// The text of the n-th line a peer says in the chat benchmarks: 40 characters, mostly
// Hangul.
inline std::wstring ChatLineText(size_t n)
{
    std::wstring text = L"오늘 회의는 3시에 B동 회의실에서 합니다 (" + std::to_wstring(n) + L")";
    text.resize(40, L'.');
    return text;
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
