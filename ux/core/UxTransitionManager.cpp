#include "ux/core/UxTransitionManager.h"

#include "ux/core/UxRect.h"
#include "ux/core/UxTransition.h"
#include "ux/core/UxWindow.h"

#include <algorithm>

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
}

void UxTransitionManager::RemoveAll()
{
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
    for (UxTransition* transition : m_transitions) {
        plat::RECT r = transition->GetRequest().Source->GetScreenRect();
        if (IsRectEmpty(area))
            area = r;
        else
            UnionRect(area, r);
    }
    return area;
}
