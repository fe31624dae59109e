#pragma once

#include "ux/core/UxTween.h"

#include <cstdint>
#include <deque>

class UxScrollWindow;

// One direction of a scroll window: the offset of the content, the pointer drag that
// moves it, the fling that carries it on after release and the settle that brings it
// back into range. Offsets are pixels, 0 with the content's start at the window's start
// and negative towards its end.
class UxScrollAxis {
public:
    UxScrollAxis();
    virtual ~UxScrollAxis(); // the tweens stop with their members

    UxScrollAxis(const UxScrollAxis&) = delete;
    UxScrollAxis& operator=(const UxScrollAxis&) = delete;

    // Binds the axis to its window, whose pointer slop becomes the drag threshold.
    void SetOwner(UxScrollWindow* owner);

    // c is the pointer's x for the horizontal axis, its y for the vertical one.
    void OnPointerDown(int32_t c);
    void OnPointerMove(int32_t c);
    void OnPointerUp(int32_t c);

    // Moves the children along the axis by the change and stores the offset.
    void SetPosition(int32_t offset);
    // position in content units, in offset terms (0 the start, negative further on).
    void ScrollTo(int32_t position);
    // Brings an offset outside its range back; true when a correction was made or started.
    bool Settle();
    void StopTweens();

    void SetViewSize(int32_t pixels) { m_viewSize = pixels; }
    void SetContentSize(int32_t units);

    // Dragging, flinging or settling.
    bool IsMoving() const { return m_dragging || m_fling.IsRunning() || m_settle.IsRunning(); }
    // Dragged, or still going fast enough to be seen moving: a fling or a spring-back
    // that creeps on by less than a pixel in kStillMs looks still.
    bool IsVisiblyMoving() const;
    static constexpr uint32_t kStillMs = 50;
    bool IsDragging() const { return m_dragging != 0; }
    bool IsFlinging() const { return m_fling.IsRunning(); }
    bool IsSettling() const { return m_settle.IsRunning(); }
    // Pixels per second from the samples of the last 150 ms.
    float GetVelocity() const;

    void SetDraggable(bool draggable) { m_draggable = draggable ? 1 : 0; }
    bool IsDraggable() const { return m_draggable != 0; }
    void SetElastic(bool elastic) { m_elastic = elastic ? 1 : 0; }
    void SetDragThreshold(int32_t pixels) { m_dragThreshold = pixels; }
    int32_t GetDragThreshold() const { return m_dragThreshold; }
    int32_t GetViewSize() const { return m_viewSize; }
    int32_t GetContentSize() const { return m_contentSize; }
    int32_t GetContentPixels() const { return m_contentPixels; }
    int32_t GetOffset() const { return m_offset; }
    int32_t GetPosition() const { return m_position; }
    float GetScale() const { return m_scale; }
    // Pixels between the content's end and the window's end; positive past the end.
    int32_t GetGap() const { return m_viewSize - m_offset - m_contentPixels; }

private:
    struct Sample {
        int32_t value;
        uint32_t time;
    };

    void PushSample(int32_t c);
    void StartFling(float distance);
    void FlingStep();
    void SettleStep();
    bool Settle(bool elastic);
    static void OnFlingStep(uintptr_t axis);
    static void OnSettleStep(uintptr_t axis);

    UxScrollWindow* m_owner = nullptr;
    uint8_t m_draggable = 1;
    UxTween m_fling;
    std::deque<Sample> m_samples;
    float m_flingFactor = 0.4f;
    int32_t m_dragThreshold = 0;
    uint8_t m_dragging = 0;
    uint8_t m_elastic = 1;
    UxTween m_settle;
    float m_edgeFriction = 0.015f;
    int32_t m_viewSize = 0;
    int32_t m_contentSize = 0;
    int32_t m_position = 0;
    float m_scale = 1.0f;
    int32_t m_contentPixels = 0;
    int32_t m_offset = 0;
    int32_t m_dragStart = 0;
    uint32_t m_lastFriction = 0;
    float m_flingPrevious = 0; // the fling tween's value at the previous step
};
