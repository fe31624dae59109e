#include "platform/system/Trace.h"

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

// Standard error gets UTF-8 whatever the process locale is.
std::string EncodeUtf8(const wchar_t* text)
{
    std::string out;
    for (; *text; ++text) {
        auto c = static_cast<char32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
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
    std::string utf8 = EncodeUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void SetTraceHook(TraceHook hook)
{
    std::lock_guard<std::mutex> lock(TraceMutex());
    Hook() = std::move(hook);
}

} // namespace plat
