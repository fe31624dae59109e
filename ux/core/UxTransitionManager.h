#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"
#include "ux/core/UxTransitionRequest.h"

#include <vector>

class UxDeviceContext;
class UxTransition;
class UxWindow;

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
    // A transition brings the window in: hidden, it is drawn by the transition's picture.
    bool IsArriving(const UxWindow* window) const;
    // Draws every transition in the order they were added; false at the first that
    // fails.
    bool DrawAll(UxDeviceContext& dest);

    const std::vector<UxTransition*>& GetTransitions() const { return m_transitions; }
    size_t GetCount() const { return m_transitions.size(); }
    // The screen area the transitions draw over (empty when none runs).
    plat::RECT GetArea() const;

    // A press where the transitions' picture already shows the arriving windows at rest
    // (the part a slide has bared) is held and posted again once the last transition has
    // ended, with its release when that came meanwhile: a tap on a screen that looks
    // still is never lost. Points are in screen space; false when the press is not held.
    bool HoldPress(int32_t x, int32_t y);
    // A held press that moves by slop or more is a drag on a moving screen: dropped.
    bool HoldMove(int32_t x, int32_t y, int32_t slop);
    bool HoldRelease(int32_t x, int32_t y);

private:
    // Posts the held press (and release) to the device window, or forgets it.
    void EndHeldPress(bool post);

    struct HeldPress {
        bool held = false;
        bool released = false;
        plat::POINT down;
        plat::POINT up;
    };

    std::vector<UxTransition*> m_transitions;
    HeldPress m_press;
};
