#include "ux/core/UxSwipeDetector.h"

#include "ux/core/UxWindow.h"

int32_t UxSwipeDetector::End(int32_t x, int32_t y)
{
    if (!m_owner)
        return -1;
    int32_t dx = x - m_startX, dy = y - m_startY;
    bool left = dx<-m_thresholdX, right = dx> m_thresholdX;
    bool up = dy<-m_thresholdY, down = dy> m_thresholdY;
    struct Rule {
        uint32_t mask;
        bool matches;
        int32_t code;
    };
    const Rule rules[] = {
        { Left | Up, left && up, 1 },
        { Left | Down, left && down, 7 },
        { Right | Up, right && up, 3 },
        { Right | Down, right && down, 5 },
        { Left, left, 0 },
        { Right, right, 4 },
        { Up, up, 2 },
        { Down, down, 6 },
    };
    for (const Rule& rule : rules) {
        if ((m_mask & rule.mask) == rule.mask && rule.matches) {
            m_owner->OnGesture(nullptr, rule.code);
            return rule.code;
        }
    }
    return -1;
}
