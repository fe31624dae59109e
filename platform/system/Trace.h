#pragma once

#include <functional>
#include <string>

namespace plat {

// The debugger-output stand-in: every trace line goes to standard error, and to the
// capture hook when a test has installed one.
void OutputDebugStringW(const wchar_t* text);

using TraceHook = std::function<void(const std::wstring&)>;

// Installs a hook that receives every trace text (an empty hook removes it).
// While a hook is installed nothing is written to standard error.
void SetTraceHook(TraceHook hook);

} // namespace plat
