#pragma once

#include <functional>
#include <string>

namespace plat {

// Opens a file or URL with the desktop's handler (xdg-open), started without a shell
// and without waiting for it. True when the handler could be started. Files are given
// in designed form and mapped to native paths; texts with "://" go as they are.
bool ShellOpen(const std::wstring& target);

// Tests install a hook that receives the target instead of starting anything; its
// result is ShellOpen's. An empty hook removes it.
using ShellOpenHook = std::function<bool(const std::wstring& target)>;
void SetShellOpenHook(ShellOpenHook hook);

} // namespace plat
