#pragma once

#include <functional>
#include <string>

namespace plat {

// What the desktop's handler made of a target: true when it exited with status 0, that
// is once it has handed the target on to the program that shows it, and true as well
// when it is still running after a few seconds (see SetShellOpenPatience). Some
// handlers wait for the browser or installer they start and return its status when it
// closes; one still running has started it, and its late status says nothing of
// opening.
using ShellOpenDone = std::function<void(bool opened)>;

// Opens a file or URL with the desktop's handler (xdg-open), started without a shell,
// with every signal at its default and none blocked.
// Returns at once; the handler's exit is awaited on a thread of its own. done, when
// given, is called exactly once with the answer, on the UI thread from the message loop
// and never within this call: false as well when the handler could not be started.
// Whoever passes done keeps what it touches alive until then, or checks that it still
// is. Files are given in designed form and mapped to native paths; texts with "://" go
// as they are.
void ShellOpen(const std::wstring& target, ShellOpenDone done = {});

// Tests install a hook that receives the target instead of starting anything; its
// result is the handler's answer, delivered to done as the handler's would be. An empty
// hook removes it.
using ShellOpenHook = std::function<bool(const std::wstring& target)>;
void SetShellOpenHook(ShellOpenHook hook);

// How long the handler may take to fail; still running after that, it has handed the
// target on. 3,000 ms unless tests shorten it; applies to handlers started later.
void SetShellOpenPatience(int milliseconds);

} // namespace plat
