#pragma once

#include "ux/core/UxTween.h"

#include <cstdint>

class UxListWindow;

// Animates one row edit of a list over half a second: a row growing in or shrinking
// out, or a group's rows opening or closing.
class UxListRowAnimation {
public:
    enum Mode : int32_t { Insert = 0, Remove = 1, Expand = 3, Collapse = 4 };

    UxListRowAnimation();
    virtual ~UxListRowAnimation() = default;
    UxListRowAnimation(const UxListRowAnimation&) = delete;
    UxListRowAnimation& operator=(const UxListRowAnimation&) = delete;

    void SetList(UxListWindow* list) { m_list = list; }
    // False for another mode. With animate off the end state applies at once.
    bool Start(int32_t mode, int32_t index, bool animate);
    // value < 0: the tween's current value.
    void Step(float value);
    // Stops the tween and applies the end state.
    void Finish();
    // Stops without applying anything (the rows are going away).
    void Stop() { m_tween.Stop(); }
    bool IsRunning() const { return m_tween.IsRunning(); }

    int32_t GetMode() const { return m_mode; }
    int32_t GetIndex() const { return m_index; }

private:
    static void OnStep(uintptr_t animation);

    UxListWindow* m_list = nullptr;
    int32_t m_mode = Insert;
    int32_t m_index = -1;
    UxTween m_tween;
    float m_total = 0; // expand and collapse: the group's full height
};
