#pragma once

// One running copy per name: a lock file in the user's runtime folder, and beside it a
// local socket on which the holder listens. A second start finds the lock taken, asks
// the holder over the socket to raise its window, and gives up.

#include <functional>
#include <memory>
#include <string>

namespace plat {

class SingleInstance {
public:
    // onRaise runs on the listener thread when another start asks for the window.
    SingleInstance(const std::wstring& name, std::function<void()> onRaise);
    ~SingleInstance(); // stops listening and lets go of the lock
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock. False when another one does (it has
    // been asked to raise its window) or the runtime folder cannot be used.
    bool Acquire();
    bool IsHeld() const;

    // $XDG_RUNTIME_DIR/quorix (else a per-user folder under /tmp).
    static std::string RuntimeFolder();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace plat
