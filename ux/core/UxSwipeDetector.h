#pragma once

#include <cstdint>

class UxWindow;

// Turns a drag into one of eight directions, sent to the owner's OnGesture.
class UxSwipeDetector {
public:
    enum Direction : uint32_t { Left = 1, Up = 2, Right = 4, Down = 8 };

    explicit UxSwipeDetector(UxWindow* owner = nullptr)
        : m_owner(owner)
    {
    }

    void SetOwner(UxWindow* owner) { m_owner = owner; }
    void SetMask(uint32_t mask) { m_mask = mask; }
    uint32_t GetMask() const { return m_mask; }
    void SetThresholds(int32_t x, int32_t y)
    {
        m_thresholdX = x;
        m_thresholdY = y;
    }

    void Begin(int32_t x, int32_t y)
    {
        m_startX = x;
        m_startY = y;
    }
    // The gesture code sent, -1 when none.
    int32_t End(int32_t x, int32_t y);

private:
    UxWindow* m_owner;
    uint32_t m_mask = 0;
    int32_t m_thresholdX = 20;
    int32_t m_thresholdY = 20;
    int32_t m_startX = 0;
    int32_t m_startY = 0;
};
