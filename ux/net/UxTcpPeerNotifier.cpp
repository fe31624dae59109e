#include "ux/net/UxTcpPeerNotifier.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "ux/net/UxTcpPeer.h"

bool UxTcpPeerNotifier::Create(UxTcpPeer* peer)
{
    Destroy();
    m_peer = peer;
    m_window = plat::CreateMessageWindow(
        kClassName, &UxTcpPeerNotifier::WindowProc, reinterpret_cast<intptr_t>(peer));
    return m_window != nullptr;
}

void UxTcpPeerNotifier::Destroy()
{
    if (m_window) {
        plat::DestroyWindow(m_window);
        m_window = nullptr;
    }
}

bool UxTcpPeerNotifier::Post(int event)
{
    return m_window && plat::PostMessageW(m_window, 0, reinterpret_cast<plat::WPARAM>(m_peer), event);
}

plat::LRESULT UxTcpPeerNotifier::WindowProc(
    plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    // Only events this window's own peer posted are delivered.
    if (message == 0 && wParam
        && static_cast<intptr_t>(wParam) == plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA))
        reinterpret_cast<UxTcpPeer*>(wParam)->OnSocketEvent(static_cast<int>(lParam));
    return plat::DefWindowProcW(window, message, wParam, lParam);
}
