#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxTransitionRequest.h"
#include "ux/core/UxTween.h"

class UxDeviceContext;

// One running change from a leaving window to an arriving one of the same size. Both
// are captured into their own surfaces and hidden; until the tween ends, the transition
// manager draws the two pictures combined by the effect on every paint. The progress
// runs from 1 (only the source shows) to 0 (only the target).
class UxTransition {
public:
    explicit UxTransition(const UxTransitionRequest& request);
    // Gives the captured surfaces back to the pool; the end hooks are not called.
    virtual ~UxTransition();
    UxTransition(const UxTransition&) = delete;
    UxTransition& operator=(const UxTransition&) = delete;

    // Captures both windows and starts the tween. On failure (traced) both windows are
    // as visible as before and nothing stays captured.
    bool Start();
    // One frame of the effect at the current progress.
    bool Draw(UxDeviceContext& dest);
    // Whether that frame shows the target at the screen point where it will stay.
    bool ShowsTargetAt(const plat::POINT& point) const;

    bool IsRunning() const { return m_tween.IsRunning(); }
    const UxTransitionRequest& GetRequest() const { return m_request; }
    float GetProgress() const { return m_tween.GetValue(); }

private:
    static void Step(uintptr_t self);
    void Finish();
    void ReleaseSurfaces();

    UxTransitionRequest m_request;
    UxTween m_tween;
    UxDeviceContext* m_sourceSurface = nullptr;
    UxDeviceContext* m_targetSurface = nullptr;
};
