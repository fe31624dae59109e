#include "ux/net/UxTcpPeerNotifier.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "ux/net/UxTcpPeer.h"

#include <mutex>

bool UxTcpPeerNotifier::Create(UxTcpPeer* peer)
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        plat::WNDCLASSW windowClass;
        windowClass.lpfnWndProc = &UxTcpPeerNotifier::WindowProc;
        windowClass.lpszClassName = kClassName;
        plat::RegisterClassW(&windowClass);
    });
    Destroy();
    m_peer = peer;
    m_window
        = plat::CreateWindowExW(0, kClassName, kClassName, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!m_window)
        return false;
    plat::SetWindowLongPtrW(m_window, plat::GWLP_USERDATA, reinterpret_cast<intptr_t>(peer));
    return true;
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
