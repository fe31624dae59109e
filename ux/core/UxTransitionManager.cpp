#include "ux/core/UxTransitionManager.h"

#include "platform/event/MessageQueue.h"
#include "ux/core/UxDeviceWindow.h"
#include "ux/core/UxRect.h"
#include "ux/core/UxTransition.h"
#include "ux/core/UxWindow.h"

#include <algorithm>
#include <cstdlib>

UxTransitionManager::~UxTransitionManager()
{
    RemoveAll();
}

bool UxTransitionManager::Add(const UxTransitionRequest& request)
{
    auto* transition = new UxTransition(request);
    m_transitions.push_back(transition);
    if (transition->Start())
        return true;
    Remove(transition);
    return false;
}

void UxTransitionManager::Remove(UxTransition* transition)
{
    auto found = std::find(m_transitions.begin(), m_transitions.end(), transition);
    if (found == m_transitions.end())
        return;
    m_transitions.erase(found);
    delete transition;
    if (m_transitions.empty())
        EndHeldPress(true);
}

void UxTransitionManager::RemoveAll()
{
    // What was pressed belongs to screens that are going.
    EndHeldPress(false);
    std::vector<UxTransition*> all;
    all.swap(m_transitions);
    for (UxTransition* transition : all)
        delete transition;
}

bool UxTransitionManager::IsRunning() const
{
    return std::any_of(
        m_transitions.begin(), m_transitions.end(), [](UxTransition* t) { return t->IsRunning(); });
}

bool UxTransitionManager::IsArriving(const UxWindow* window) const
{
    return std::any_of(m_transitions.begin(), m_transitions.end(),
        [window](UxTransition* t) { return t->GetRequest().Target == window; });
}

bool UxTransitionManager::DrawAll(UxDeviceContext& dest)
{
    for (UxTransition* transition : m_transitions)
        if (!transition->Draw(dest))
            return false;
    return true;
}

plat::RECT UxTransitionManager::GetArea() const
{
    plat::RECT area {};
    for (UxTransition* transition : m_transitions)
        UniteRect(area, transition->GetRequest().Source->GetScreenRect());
    return area;
}

bool UxTransitionManager::HoldPress(int32_t x, int32_t y)
{
    if (m_press.held || !IsRunning())
        return false;
    bool covered = false;
    for (UxTransition* transition : m_transitions) {
        if (!PointInRect(transition->GetRequest().Source->GetScreenRect(), { x, y }))
            continue;
        if (!transition->ShowsTargetAt({ x, y }))
            return false;
        covered = true;
    }
    if (!covered)
        return false;
    m_press = { true, false, { x, y }, {} };
    return true;
}

bool UxTransitionManager::HoldMove(int32_t x, int32_t y, int32_t slop)
{
    if (!m_press.held)
        return false;
    if (!m_press.released && (std::abs(x - m_press.down.x) >= slop || std::abs(y - m_press.down.y) >= slop))
        m_press = {};
    return true;
}

bool UxTransitionManager::HoldRelease(int32_t x, int32_t y)
{
    if (!m_press.held || m_press.released)
        return false;
    m_press.released = true;
    m_press.up = { x, y };
    return true;
}

void UxTransitionManager::EndHeldPress(bool post)
{
    HeldPress press = m_press;
    m_press = {};
    UxDeviceWindow* device = UxDeviceWindow::GetInstance();
    if (!post || !press.held || !device)
        return;
    auto at = [](const plat::POINT& p) {
        return plat::MAKELPARAM(static_cast<uint16_t>(p.x), static_cast<uint16_t>(p.y));
    };
    plat::PostMessageW(device->GetHandle(), plat::WM_LBUTTONDOWN, 1, at(press.down));
    if (press.released)
        plat::PostMessageW(device->GetHandle(), plat::WM_LBUTTONUP, 0, at(press.up));
}
