#pragma once

#include "platform/event/Message.h"

class UxTcpPeer;

// A hidden window of class "UxTcpPeerWindow" that carries the socket thread's events
// to the UI thread: Post may be called from any thread, the window procedure runs on
// the UI thread and hands each event to its peer.
class UxTcpPeerNotifier {
public:
    UxTcpPeerNotifier() = default;
    ~UxTcpPeerNotifier() { Destroy(); }
    UxTcpPeerNotifier(const UxTcpPeerNotifier&) = delete;
    UxTcpPeerNotifier& operator=(const UxTcpPeerNotifier&) = delete;

    bool Create(UxTcpPeer* peer);
    // Destroying the window also drops the events still queued for it.
    void Destroy();
    bool Post(int event);
    plat::HWND GetWindow() const { return m_window; }

    static constexpr const wchar_t* kClassName = L"UxTcpPeerWindow";

private:
    static plat::LRESULT WindowProc(
        plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

    UxTcpPeer* m_peer = nullptr;
    plat::HWND m_window = nullptr;
};
