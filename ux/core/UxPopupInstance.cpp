#include "ux/core/UxPopupInstance.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "ux/core/UxObject.h"

#include <algorithm>

namespace {

constexpr plat::UINT kDeletePending = plat::WM_USER + 1;

} // namespace

UxPopupInstance::~UxPopupInstance()
{
    DeletePending();
    if (m_window)
        plat::DestroyWindow(m_window);
}

void UxPopupInstance::DeleteLater(UxObject* object)
{
    if (!object || IsPending(object))
        return;
    m_pending.push_back(object);
    if (!m_window)
        m_window = plat::CreateMessageWindow(L"UxPopupInstance", WindowProc, reinterpret_cast<intptr_t>(this));
    if (!m_posted && m_window)
        m_posted = plat::PostMessageW(m_window, kDeletePending, 0, 0);
}

void UxPopupInstance::DeletePending()
{
    m_posted = false;
    // A destructor may close another popup and queue it: take the list as it stands.
    while (!m_pending.empty()) {
        std::vector<UxObject*> pending;
        pending.swap(m_pending);
        for (UxObject* object : pending)
            delete object;
    }
}

bool UxPopupInstance::IsPending(const UxObject* object) const
{
    return std::find(m_pending.begin(), m_pending.end(), object) != m_pending.end();
}

plat::LRESULT UxPopupInstance::WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kDeletePending) {
        if (auto* self = reinterpret_cast<UxPopupInstance*>(plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA)))
            self->DeletePending();
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}
