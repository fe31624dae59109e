#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"
#include "ux/core/UxTransitionRequest.h"

#include <vector>

class UxDeviceContext;
class UxTransition;

// Keeps the running transitions, which it owns, and draws them on every paint.
class UxTransitionManager : public UxSingleton<UxTransitionManager> {
public:
    UxTransitionManager() = default;
    ~UxTransitionManager() override;

    // Starts a transition. One that cannot start is not kept: a transition without a
    // tween would hide both windows and never end.
    bool Add(const UxTransitionRequest& request);
    void Remove(UxTransition* transition);
    // Deletes every transition without the end hooks: the caller sets the windows'
    // visibility itself.
    void RemoveAll();
    bool IsRunning() const;
    // Draws every transition in the order they were added; false at the first that
    // fails.
    bool DrawAll(UxDeviceContext& dest);

    const std::vector<UxTransition*>& GetTransitions() const { return m_transitions; }
    size_t GetCount() const { return m_transitions.size(); }
    // The screen area the transitions draw over (empty when none runs).
    plat::RECT GetArea() const;

private:
    std::vector<UxTransition*> m_transitions;
};
