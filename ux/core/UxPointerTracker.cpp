#include "ux/core/UxPointerTracker.h"

#include "ux/core/UxPopupControl.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTimerManager.h"
#include "ux/core/UxWindow.h"

#include <cstdlib>

namespace {

UxWindow* OpenPopup()
{
    UxPopupInstance* instance = UxPopupInstance::GetInstance();
    return instance ? instance->GetPopup() : nullptr;
}

} // namespace

UxPointerTracker::UxPointerTracker(UxWindow* owner)
    : m_owner(owner)
{
}

UxPointerTracker::~UxPointerTracker()
{
    *m_alive = false;
    RemoveTimer(m_holdTimer);
    RemoveTimer(m_clickTimer);
    RemoveTimer(m_longPressTimer);
}

void UxPointerTracker::RemoveTimer(uint32_t& id)
{
    if (id) {
        if (UxTimerManager* timers = UxTimerManager::GetInstance())
            timers->Remove(id);
        id = 0;
    }
}

bool UxPointerTracker::Dispatch(UxPointerTracker& tracker, Kind kind, int32_t x, int32_t y)
{
    switch (kind) {
    case Kind::Down:
        return tracker.OnTrackerDown(x, y);
    case Kind::Move:
        return tracker.OnTrackerMove(x, y);
    case Kind::Up:
        return tracker.OnTrackerUp(x, y);
    }
    return false;
}

bool UxPointerTracker::OnTrackerDown(int32_t x, int32_t y)
{
    LastPoint = { x, y };
    UxWindow* popup = OpenPopup();
    if (popup == m_owner) {
        auto* control = dynamic_cast<UxPopupControl*>(popup);
        if (control && control->GetCloseOnOutsideTap()
            && !PointInRect(m_owner->GetRect(), m_owner->ScreenToParent({ x, y }))) {
            control->Close(0); // deletes the popup and this tracker with it
            return true;
        }
    }
    return Route(Kind::Down, x, y);
}

bool UxPointerTracker::OnTrackerMove(int32_t x, int32_t y)
{
    LastPoint = { x, y };
    if (UxWindow* captured = UxWindow::CapturedWindow)
        return captured->GetPointerTracker().Drag(x, y);
    return Route(Kind::Move, x, y);
}

bool UxPointerTracker::OnTrackerUp(int32_t x, int32_t y)
{
    LastPoint = { x, y };
    if (UxWindow* captured = UxWindow::CapturedWindow)
        return captured->GetPointerTracker().Release(x, y);
    return Route(Kind::Up, x, y);
}

bool UxPointerTracker::RoutePopupFirst(Kind kind, int32_t x, int32_t y, bool& handled)
{
    UxWindow* popup = OpenPopup();
    if (InPopupRouting || !popup)
        return false;
    InPopupRouting = 1;
    // The popup may close itself on the way; only its pointer was read before.
    Dispatch(popup->GetPointerTracker(), kind, x, y);
    InPopupRouting = 0;
    handled = true;
    return true;
}

bool UxPointerTracker::Route(Kind kind, int32_t x, int32_t y)
{
    bool handled = false;
    if (RoutePopupFirst(kind, x, y, handled))
        return handled;

    std::shared_ptr<bool> alive = m_alive;
    if (UxWindow* next = m_owner->GetNextSibling()) {
        if (Dispatch(next->GetPointerTracker(), kind, x, y))
            return true;
        if (!*alive)
            return true;
    }

    if (kind != Kind::Down && !m_pressed)
        return false;
    if (!m_owner->IsVisible() || m_disabled)
        return false;
    bool inside = PointInRect(m_owner->GetRect(), m_owner->ScreenToParent({ x, y }));
    if (!inside)
        return kind != Kind::Down;

    if (UxWindow* child = m_owner->GetFirstChild()) {
        if (Dispatch(child->GetPointerTracker(), kind, x, y))
            return true;
        if (!*alive)
            return true;
    }

    switch (kind) {
    case Kind::Down:
        return Press(x, y);
    case Kind::Move:
        Drag(x, y);
        return true;
    case Kind::Up:
        Release(x, y);
        return true;
    }
    return false;
}

bool UxPointerTracker::Press(int32_t x, int32_t y)
{
    RemoveTimer(m_holdTimer);
    RemoveTimer(m_clickTimer);
    RemoveTimer(m_longPressTimer);
    m_pressed = 1;
    m_held = 0;
    m_press = { x, y };
    std::shared_ptr<bool> alive = m_alive;
    UxWindow* owner = m_owner;
    owner->SetCapture(true);
    // Only a box that takes keys takes the caret: a press on anything else leaves it in
    // the box being typed into.
    if (*alive && owner->TakesKeys())
        owner->SetFocus(true);
    if (!*alive)
        return true;
    bool accepted = owner->OnPointerDown(x, y);
    if (!*alive)
        return true;
    if (!accepted)
        return false;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        m_holdTimer = timers->Add(m_holdTime, m_holdTime, HoldStep, reinterpret_cast<uintptr_t>(this));
    return true;
}

bool UxPointerTracker::Drag(int32_t x, int32_t y)
{
    // Leaving the slop square ends the tap, held or not: no hold, and no click after
    // release, so dragging a list never opens a row.
    if (std::abs(m_press.x - x) >= m_slop || std::abs(m_press.y - y) >= m_slop) {
        RemoveTimer(m_holdTimer);
        RemoveTimer(m_longPressTimer);
    }
    return m_owner->OnPointerMove(x, y);
}

bool UxPointerTracker::Release(int32_t x, int32_t y)
{
    m_pressed = 0;
    RemoveTimer(m_longPressTimer);
    std::shared_ptr<bool> alive = m_alive;
    UxWindow* owner = m_owner;
    owner->SetCapture(false);
    if (!*alive)
        return true;
    bool accepted = owner->OnPointerUp(x, y);
    if (!*alive)
        return true;
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (accepted && m_holdTimer && timers) {
        m_clickTimer = timers->Add(m_holdTime, m_holdTime, ClickStep, reinterpret_cast<uintptr_t>(this));
        return true;
    }
    // Nothing follows this release: no hold, no click.
    RemoveTimer(m_holdTimer);
    EndPress();
    return accepted;
}

void UxPointerTracker::EndPress()
{
    if (UxWindow* parent = m_owner->GetParent())
        parent->OnChildPressEnded(m_owner);
}

void UxPointerTracker::HoldStep(uintptr_t tracker)
{
    auto* self = reinterpret_cast<UxPointerTracker*>(tracker);
    self->m_held = 1; // the hold timer's id stays: a release within the slop still clicks
    std::shared_ptr<bool> alive = self->m_alive;
    self->m_owner->OnPointerHold(LastPoint.x, LastPoint.y);
    if (!*alive || !self->m_pressed || !self->m_holdTimer)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance()) {
        const float rest = self->m_longPressTime - self->m_holdTime;
        self->m_longPressTimer = timers->Add(rest, rest, LongPressStep, tracker);
    }
}

void UxPointerTracker::LongPressStep(uintptr_t tracker)
{
    auto* self = reinterpret_cast<UxPointerTracker*>(tracker);
    self->m_longPressTimer = 0;
    if (!self->m_pressed || !self->m_holdTimer)
        return;
    std::shared_ptr<bool> alive = self->m_alive;
    UxWindow* owner = self->m_owner;
    if (!owner->OnContextMenu(LastPoint.x, LastPoint.y) || !*alive)
        return;
    // The menu took the press: letting go neither clicks nor drags what lies under it.
    self->RemoveTimer(self->m_holdTimer);
    self->m_pressed = 0;
    owner->SetCapture(false);
    if (*alive)
        self->EndPress();
}

void UxPointerTracker::ClickStep(uintptr_t tracker)
{
    auto* self = reinterpret_cast<UxPointerTracker*>(tracker);
    self->m_held = 0;
    self->m_clickTimer = 0;
    std::shared_ptr<bool> alive = self->m_alive;
    self->m_owner->OnPointerClick(LastPoint.x, LastPoint.y);
    if (*alive)
        self->EndPress();
}
