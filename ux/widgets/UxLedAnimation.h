#pragma once

#include "ux/core/UxWindow.h"

#include <vector>

class UxCheckButton;

// A row of check-button LEDs lit in sequence by a timer while the window is visible:
// the busy indicator.
class UxLedAnimation : public UxWindow {
public:
    enum Mode : int32_t { OneWay = 0, TwoWay = 1, Still = 2 };

    ~UxLedAnimation() override;

    bool OnVisibleChanged(bool visible) override;
    // "NumLeds", "Animation", "Interval", "AutoStartEnabled", then the LEDs' own keys
    // from this same node, then "LedSize".
    bool ApplySkin(UxXmlNode* node) override;

    // Appends count LEDs, each a child.
    bool CreateLeds(int32_t count);
    // All LEDs off and a periodic step of interval / LED count; nothing without LEDs.
    void Start();
    void Stop();
    bool IsRunning() const { return m_timer != 0; }

    // Places the LEDs of the given size evenly with equal outer margins.
    void LayoutLeds(int32_t width, int32_t height);
    // How many LEDs are lit (they are lit from the first).
    int32_t GetLitCount() const;
    const std::vector<UxCheckButton*>& GetLeds() const { return m_leds; }

    int32_t Animation = OneWay;
    float Interval = 1.0f;
    uint8_t AutoStart = 0;

private:
    static void StepTimer(uintptr_t self);
    void Step();
    void Light(int32_t count);

    std::vector<UxCheckButton*> m_leds;
    uint32_t m_timer = 0;
    int32_t m_counter = 0;
};
