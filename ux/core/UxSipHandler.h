#pragma once

#include "platform/system/InputPanel.h"
#include "ux/core/UxSingleton.h"

#include <cstdint>
#include <vector>

class UxWindow;

// Shows and hides the input panel and sets the input method's conversion mode. A hide
// asked for on activation waits for the next paint, so the screen is redrawn first.
class UxSipHandler : public UxSingleton<UxSipHandler> {
public:
    enum State : int32_t { Shown = 0, HideRequested = 1, JustHidden = 2, Hidden = 3 };

    UxSipHandler();

    void RequestHide() { m_state = HideRequested; }
    void Show();
    // After each successful paint.
    void ApplyPendingHide();
    // 0 and 1: Hangul input; anything else: alphanumeric.
    void SetConversionMode(int32_t mode);
    // Drops the input method's composition without a result.
    void CancelComposition();

    int32_t GetState() const { return m_state; }
    // The panel shown last covers part of the screen (a desktop draws no keyboard).
    bool TakesRoom() const { return m_room; }
    size_t GetCurrentIndex() const { return m_current; }
    const std::vector<plat::IMENUMINFO>& GetInputMethods() const { return m_methods; }

private:
    std::vector<plat::IMENUMINFO> m_methods;
    size_t m_current = 0;
    int32_t m_state = Hidden;
    bool m_room = false;
};
