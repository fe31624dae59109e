#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxAlphaTween.h"
#include "ux/graphics/UxSurface.h"
#include "ux/markup/UxScrollIndicatorSettings.h"

#include <cstdint>

class UxDeviceContext;
class UxScrollAxis;
class UxScrollWindow;
class UxXmlNode;

// The thin translucent bar a scroll window shows along its right edge (vertical axis)
// or its bottom edge (horizontal axis) while it scrolls; it fades out once the axis
// rests.
class UxScrollBar {
public:
    static constexpr uint8_t kShownAlpha = 192;

    UxScrollBar();
    virtual ~UxScrollBar();
    UxScrollBar(const UxScrollBar&) = delete;
    UxScrollBar& operator=(const UxScrollBar&) = delete;

    bool Create(UxScrollWindow* owner, UxScrollAxis* axis);
    // "Enabled", "Margin" and "Thick"; absent keys keep their values.
    void ApplySkin(const UxXmlNode* node);
    void ApplySettings(const UxScrollIndicatorSettings& settings);

    // In the owner's client space. The thumb is empty over content of no length.
    plat::RECT TrackRect() const;
    plat::RECT ThumbRect() const;

    // rect: where to blend, in the surface's space. False only when the blend fails.
    bool Draw(UxDeviceContext& dc, const plat::RECT& rect);
    // Starts the fade when forced or when the bar was shown at full strength.
    void StartFade(bool force);
    void StopFade();
    void RequestTrackRefresh() { m_track = 1; }
    // One fade step: advances the alpha and invalidates what changes.
    void Refresh();
    // Hidden, no fade, full alpha for the next showing.
    void Reset();

    bool IsEnabled() const { return m_enabled != 0; }
    void SetEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    int32_t GetThickness() const { return m_thickness; }
    int32_t GetMargin() const { return m_margin; }
    bool IsFading() const { return m_fade.progress.IsRunning(); }
    // Draw blends the bar now: its axis moves, or it fades and is not yet gone.
    bool IsShowing() const;
    uint8_t GetAlpha() const { return m_fade.current; }
    bool WasShown() const { return m_shown != 0; }

private:
    bool IsVertical() const;
    static void OnFadeStep(uintptr_t bar);

    UxScrollWindow* m_owner = nullptr;
    UxScrollAxis* m_axis = nullptr;
    uint8_t m_enabled = 1;
    UxSurface m_surface;
    int32_t m_thickness = 8;
    int32_t m_margin = 2;
    UxAlphaTween m_fade;
    uint8_t m_shown = 0;
    uint8_t m_track = 0;
};
