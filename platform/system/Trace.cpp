#include "platform/system/Trace.h"

#include "platform/system/Utf8.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace plat {

namespace {

    std::mutex& TraceMutex()
    {
        static std::mutex m;
        return m;
    }

    TraceHook& Hook()
    {
        static TraceHook hook;
        return hook;
    }

} // namespace

void OutputDebugStringW(const wchar_t* text)
{
    if (!text)
        return;
    std::lock_guard<std::mutex> lock(TraceMutex());
    if (Hook()) {
        Hook()(text);
        return;
    }
    // Standard error gets UTF-8 whatever the process locale is.
    std::string utf8 = EncodeUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void SetTraceHook(TraceHook hook)
{
    std::lock_guard<std::mutex> lock(TraceMutex());
    Hook() = std::move(hook);
}

} // namespace plat
